// Table-driven checks of the cell commands against the simulator: calls, result, stdout, traces.
#pragma once

#include "failure_report.h"
#include "simulator.h"

#include <optional>
#include <string>
#include <vector>

namespace geran::test {

// The fault injected into failing methods; the system has no text for it, so reports show
// "IDispatch error #7" unless the server gives a description.
constexpr HRESULT kRefused = static_cast<HRESULT>(0x80040207);
constexpr const wchar_t* kRefusedDescription = L"refused by the test set";
constexpr const char* kRefusedDescriptionText = "refused by the test set";

// What the caller's variable holds when an export has not written it.
constexpr int kUntouched = 0x5A5A5A5A;

// Calls one export; value is the caller's variable for the exports that read a value back.
using Invoke = int (*)(const ProductModule& module, int* value);

// What one call must give. Texts may hold "{hr}" (the failure's HRESULT in signed decimal) and
// "{message}" (the system's message text for it); trace texts are given as written, with "\n".
struct Outcome {
  int result;
  std::string out;             // standard output before the failure report, or all of it
  const char* label;           // the failure report's label; nullptr when no report follows
  std::string test12;          // C:\Test12.txt afterwards ("" when absent)
  std::string remoteApi;       // C:\GeranRemoteAPI.txt afterwards
  std::optional<int> value{};  // the caller's variable afterwards, for exports that take one
};

struct Command {
  const char* name;
  const char* source;  // repository path of the file that reports its failures
  const char* method;  // the simulator's journal name, for fault injection
  Invoke invoke;
  std::vector<std::string> calls;  // what the test set receives when connected
  Outcome success;
  Outcome failure;      // the method fails with kRefused
  Outcome unconnected;  // no connection: nothing reaches the test set
};

// A call whose only observable effects are its result and what the test set receives.
struct QuietCall {
  const char* name;
  Invoke invoke;
  int result;
  std::vector<std::string> calls;
};

class CellCommandTest : public ProductTest {
 protected:
  // Connects and sets what the simulator's getters answer.
  void ConnectWithReadBackValues();
  // Writes a master parameter file with these GSM levels and loads it.
  void LoadLevels(const char* rxLevel, const char* txLevel);

  void ExpectSuccess(const Command& command);
  // The method fails with kRefused, with kRefusedDescription or without error information.
  void ExpectFailure(const Command& command, bool serverDescribes);
  void ExpectUnconnected(const Command& command);
  // Each call gives its result and calls, and writes nothing to standard output.
  void ExpectQuiet(const std::vector<QuietCall>& cases);
  // Runs invoke with the method failing (or without a connection) thousands of times and checks
  // that the process's committed memory stays flat.
  void ExpectNoGrowth(const Command& command);

  // One call with the caller's variable preset to kUntouched; checks calls, result and output.
  void Check(const Command& command, const Outcome& expected, const std::vector<std::string>& calls,
             HRESULT hr, const std::string& reportText);
};

// Reads back the journal entries made after mark.
std::vector<std::string> JournalSince(size_t mark);

}  // namespace geran::test
