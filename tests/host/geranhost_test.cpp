// Against the real library: geranhost.exe end to end (output, exit codes, script errors).
#include "host_process.h"
#include "temp_master_file.h"
#include "trace_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <olectl.h>  // DllRegisterServer, which the simulator exports

#include <fstream>
#include <optional>

extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine);  // TestSetSimulator.dll

namespace geran::host {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

const std::string kScript = test::TempPath("geranhost_test.gts");

// geranhost.exe's exit code on the script (none: no file), its stdout and stderr in output.
DWORD RunHost(const std::string& args, const std::optional<std::string>& script, std::string& output) {
  if (script)
    std::ofstream(kScript, std::ios::binary) << *script;
  else
    DeleteFileA(kScript.c_str());
  return test::RunGeranhost(args + " \"" + kScript + "\"", output);
}

TEST(Geranhost, ExitCodeAndOutputOfGoodFailingAndBadRuns) {
  const char* stubs =
      "## Stubs\nInitialise(1, 2, 3, 0xFFFFFFFF) => -1\nznGeranApiInterfaceDll_Shutdown() => -1\n"
      "RemoteConnection_Set(7) => -1\nGetErrorMsg(0, 0, 0)\n";
  // Too short as sent: the SI 4 as written, the command cut by its count.
  const char* shortMessages =
      "SendSIMsg(4, [0x06, 0x1C, 0x00, 0xF1, 0x10, 0x00, 0x01, 0x49, 0x06, 0x28], 10)\n"
      "SendMsg(1, 0, [0x06, 0x35, 0x01], 2, 0)\n";
  const struct {
    std::string args;
    std::optional<std::string> script;
    DWORD exitCode;
    std::string expected;  // in the output
    std::string ending;    // the output's last line
  } cases[] = {
      {"--no-progress", stubs, 0, "[4] RemoteConnection_Set(7)\n     = -1  ok  (", "\n4 passed, 0 failed\n"},
      {"--check", stubs, 0, "", "geranhost_test.gts: 4 calls, no errors\n"},
      {"", "Shutdown()\nShutdown(1)\n\nRest()\n", 2,
       "geranhost_test.gts:2:10: Shutdown takes 0 arguments, not more: Shutdown()\n    Shutdown(1)\n"
       "             ^\n",
       "\n2 errors in " + kScript + "; nothing was called\n"},
      {"--check", "Reset()\n", 0, "", "geranhost_test.gts: 1 call, no errors\n"},
      {"--check", shortMessages, 0,
       "gts: 2 calls, no errors\n" + kScript +
           ":1:14: warning: System Information Type 4: RACH Control "
           "Parameters at offset 9: missing (the message ends after 10 octets)\n",
       "gts:2:15: warning: Ciphering Mode Command: Ciphering Mode Setting, Cipher Response at offset 2: "
       "missing "
       "(the message ends after 2 octets)\n"},
      {"--check --strict-messages", shortMessages, 2,
       "gts:1:14: System Information Type 4: RACH Control Parameters at offset 9: missing (the message ends "
       "after 10 octets)\n",
       "\n2 errors in " + kScript + "; nothing was called\n"},
      {"--no-progress", "SendMsg(1, 0, [0x06, 0x35, 0x01], 3, 0) => 0\n", 0,
       "[1] SendMsg(1, 0, [0x06, 0x35, 0x01], 3, 0)\n     message: Ciphering Mode Command, 3 octets\n",
       "\n1 passed, 0 failed\n"},
      {"--dll nowhere\\none.dll", stubs, 2, "geranhost: cannot load ", "\n"},
      {"--dll \"" + kScript + "\"", stubs, 2, ": Bad EXE format for " + kScript + ".\n", "\n"},
      // What the run would write later cannot be created: refused before the first call.
      {"--journal Z:\\no\\such\\dir\\x.journal", stubs, 2,
       "geranhost: cannot create the call journal Z:\\no\\such\\dir\\x.journal: ", "\n"},
      {"--junit Z:\\no\\such\\dir\\r.xml", stubs, 2, "geranhost: cannot create the JUnit report Z:\\no",
       "\n"},
      // A file that cannot be read is no usage error: no pointer to --help.
      {"", std::nullopt, 2, "geranhost: cannot read the script " + kScript + ": No such file or directory\n",
       "gts: No such file or directory\n"},
      // A crash in a call (here the simulator's, while the library connects) ends the run at once with its
      // own status, the call named, and a closing line that says so (its count: no later call made).
      {"--no-progress --sim-fail CreateInstance=crash",
       "Shutdown() => -1\nInitialiseSystem() => -1\nReset() => -1\n", 3,
       "[2] InitialiseSystem()\n\ncrashed: line 2: InitialiseSystem(): exception 0xC0000005 (access "
       "violation writing address 0x00000000",
       "\n1 passed, 0 failed; the run crashed at line 2\n"},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(RunHost(c.args, c.script, output), c.exitCode) << output;
    EXPECT_THAT(output, HasSubstr(c.expected));
    EXPECT_THAT(output, EndsWith(c.ending));
    const bool calls = c.exitCode != 2 && c.args != "--check";
    EXPECT_EQ(output.find("\n[") != std::string::npos, calls) << "calls made or not:\n" << output;
  }
}

// --pcap with a script: the run's messages as the library's journal of it recorded them, here one
// LAPDm frame (81 octets, its first the address: SAPI 0, a command) after the file's and record's headers.
TEST(Geranhost, PcapOfAScriptHoldsTheMessagesItSent) {
  const std::string pcap = test::TempPath("geranhost_test.pcap");
  DeleteFileA(pcap.c_str());
  std::string output;
  EXPECT_EQ(RunHost("--no-connect-wait --pcap \"" + pcap + "\"",
                    "InitialiseSystem() => -1\nSendMsg(1, 0, [0x06, 0x35, 0x01], 3, 0) => -1\n", output),
            0u)
      << output;
  const std::string capture = test::ReadFileBytes(pcap.c_str());
  ASSERT_EQ(capture.size(), 24u + 16u + 81u) << output;
  EXPECT_EQ(capture[24 + 16 + 58], '\x03');
}

// A 0 whose cause the host can tell gets a note after the call (the missing connection also at the
// close); a simulator setting COM would not see is refused before the first call.
TEST(Geranhost, ASilentZeroGetsItsReasonAndASettingThatCannotApplyIsRefused) {
  const test::TempMasterFile master("[UMTS]\nRadio System = 3\n");
  const char* configCch = "ConfigCch(1, 0, 20, 0, 0, 0, 0, 5, 0, 1) => 0\n";
  const struct {
    const wchar_t* registration;  // DllInstall's; nullptr: the test set's class not registered
    std::string args;
    std::string script;
    DWORD exitCode;
    std::string expected;  // in the output
  } cases[] = {
      {L"", "", configCch, 0,
       "\nnote: 1 test-set command made without a connection to the test set (no InitialiseSystem() "
       "returned -1)\n1 passed, 0 failed\n"},
      {L"", "--no-connect-wait", "InitialiseSystem() => -1\n" + std::string(configCch), 0,
       "\n     note: no master parameter file is loaded (no LoadMasterParameterFile() has returned -1), so "
       "the "
       "cell has no levels and this returns 0\n"},
      {L"", "--no-connect-wait", "InitialiseSystem() => -1\nInitialiseSystem() => 0\n", 0,
       "\n     note: InitialiseSystem() was called before on this thread: the library connects once a "
       "thread, a second call returns 0\n"},
      {L"", "", "LoadMasterParameterFile(0, 0) => 0\n", 0,
       "\n     note: the library's reason, in C:\\result.txt: Group not Supported, Use GSM/GPRS Only\n"},
      {nullptr, "", "InitialiseSystem() => 0\n", 0,
       "\n     note: the test set's class is not registered, so there is nothing to connect to: to use the "
       "simulator, register it with regsvr32 "},
      {nullptr, "--sim-value RealTimeWait=1", "Reset()\n", 2,
       "geranhost: the simulator's settings cannot apply: the test set's class is not registered (regsvr32 "},
      {L"local", "--sim-fail Reset=crash", "Reset()\n", 2,
       "geranhost: --sim-fail Reset=crash needs the simulator in this process, but it runs as a local "
       "server, where a crash only fails the call (regsvr32 "},
  };
  std::wstring registered = L"";  // as the test's main() left it: in-process
  for (const auto& c : cases) {
    if (const std::wstring asked = c.registration ? c.registration : L"none"; asked != registered) {
      EXPECT_EQ(c.registration ? DllInstall(TRUE, c.registration) : DllUnregisterServer(), S_OK);
      registered = asked;
    }
    std::string output;
    EXPECT_EQ(RunHost("--no-progress " + c.args, c.script, output), c.exitCode) << output;
    EXPECT_THAT(output, HasSubstr(c.expected));
  }
  EXPECT_EQ(DllInstall(TRUE, L""), S_OK);
}

// One pass names every line: a misspelt key with the nearest key, a value the library reads
// otherwise with what it reads, a comment after a value, and the lines the handler refuses, after
// which the load fails (exit 2) and the closing line says so.
TEST(Geranhost, CheckMasterNamesEveryLineTheLibraryRefusesOrReadsOtherwise) {
  const struct {
    const char* file;
    DWORD exitCode;
    std::string expected;
  } cases[] = {
      {"[GSM]\nRx Level = -60\nRadio System = 300\nTX Level = 1e3\nControl ARFCN = 62a\n", 1,
       ":2: unknown key \"Rx Level\" in [GSM], ignored; did you mean \"RX Level\"?\n" + kScript +
           ":3: \"Radio System\" = \"300\" reads as 44: an 8-bit value keeps its low 8 bits (0 to 255)\n" +
           kScript + ":5: \"Control ARFCN\" = \"62a\" reads as 62: not a whole number\n3 problems in " +
           kScript + "\n"},
      {"[GSM]\nTX Level = -60.5 # dBm\n= 5\nControl ARFCN = 62\nControl ARFCN = 63\njunk\nRadio System = "
       "300\n",
       2,
       ":2: \"TX Level\" = \"-60.5 # dBm\": a comment after a value is part of the value; put it on a line "
       "of its own\n" +
           kScript + ":3: malformed line: empty key\n" + kScript +
           ":5: duplicate key \"Control ARFCN\", first defined at line 4 in [GSM]\n" + kScript +
           ":6: malformed line: expected [group], key = value, a comment or a blank line\n" + kScript +
           ":7: \"Radio System\" = \"300\" reads as 44: an 8-bit value keeps its low 8 bits (0 to 255)\n"
           "5 problems in " +
           kScript + ": ParameterHandler.dll refuses the file, so every load fails\n"},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(RunHost("--check-master", c.file, output), c.exitCode) << output;
    EXPECT_EQ(output, kScript + c.expected);
  }
}

}  // namespace
}  // namespace geran::host
