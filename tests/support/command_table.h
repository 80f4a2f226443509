// One table format for the commands that go through the command pattern: a row pins a command's
// result, the calls the test set receives, its standard output and trace files without a connection,
// on success and when its method fails. The cell, general, speech-path and BER suites hold rows.
#pragma once

#include "simulator.h"

#include <optional>
#include <string>

namespace geran::test {

// The caller's variables for the exports that read something back, preset before every call.
constexpr int kUntouched = 0x5A5A5A5A;
extern int readBack;
extern char nameBack[16];  // preset to 15 'x' and a NUL

using Invoke = int (*)(const ProductModule& m);

// What one call must give. Texts may hold "{hr}" (the HRESULT in signed decimal) and "{message}"
// (the system's text for it); trace texts are given as written, with "\n".
struct Outcome {
  int result;
  const char* label = nullptr;  // the failure report's label; nullptr when no report follows
  std::string out = "";         // standard output before the report, or all of it
  std::string test12 = "";      // C:\Test12.txt afterwards
  std::string remoteApi = "";   // C:\GeranRemoteAPI.txt afterwards
  std::optional<int> value{};   // readBack afterwards
  const char* name = nullptr;   // nameBack afterwards, when given
};

struct Command {
  const char* name;    // the export
  const char* source;  // the file that reports its failures
  Invoke invoke;
  std::string call;                       // what the test set receives when connected
  Outcome success, failure, unconnected;  // failure: the method the call names fails with kRefused
};
void PrintTo(const Command& command, std::ostream* os);
std::string RowName(const ::testing::TestParamInfo<Command>& info);

Command Row(const char* name, const char* source, Invoke invoke, std::string call, Outcome success,
            Outcome failure, Outcome unconnected);

// "{hr}" and "{message}" in text filled in for hr.
std::string Fill(std::string text, HRESULT hr);

class CommandTableTest : public ProductTest, public ::testing::WithParamInterface<Command> {
 protected:
  // Loads levels into the store (its console lines are not under test); the result must be -1.
  void LoadLevels(const char* rxLevel, const char* txLevel);
  // Without a connection, then connected: succeeding, and failing. Every row finds the levels -60.5
  // and -50.25 loaded, and the read-backs answer 5, 0xFFFF, 123456, 3 and "trace.log".
  void CheckRow(const Command& command);

 private:
  void Check(const char* what, const Command& command, const Outcome& expected,
             const std::vector<std::string>& calls, HRESULT hr, const std::string& reportText);
};

}  // namespace geran::test
