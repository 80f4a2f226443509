// geranhost.exe end to end: scripts through the real library, exit codes and messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Result {
  DWORD exitCode = 0;
  std::string output;  // stdout and stderr
};

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

// Runs geranhost.exe (beside this test) with args and the script text written to a file.
Result RunHost(const std::string& args, const std::string& script) {
  const std::string scriptPath = TempPath("geranhost_test.gts");
  const std::string outputPath = TempPath("geranhost_test.out");
  std::ofstream(scriptPath, std::ios::binary) << script;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::string command = "geranhost.exe " + args + " \"" + scriptPath + "\"";
  PROCESS_INFORMATION process{};
  Result result;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start geranhost.exe, error " << GetLastError();
  }
  CloseHandle(output);
  std::ifstream file(outputPath, std::ios::binary);
  // Standard output is in text mode: lines end in CR LF.
  for (auto c = std::istreambuf_iterator<char>(file); c != std::istreambuf_iterator<char>(); ++c)
    if (*c != '\r') result.output += *c;
  return result;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr const char* kStubs =
    "## Stubs\n"
    "Initialise(1, 2, 3, 0xFFFFFFFF) => -1\n"
    "znGeranApiInterfaceDll_Shutdown() => -1\n"
    "RemoteConnection_Set(7) => -1\n"
    "GetErrorMsg(0, 0, 0)\n";

TEST(Geranhost, RunsAScriptThroughTheLibraryAndExitsZero) {
  const Result result = RunHost("--no-progress", kStubs);
  EXPECT_EQ(result.exitCode, 0u) << result.output;
  EXPECT_NE(result.output.find("znGeranApiInterfaceDll.dll\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("[4] RemoteConnection_Set(7)\n     = -1  ok  ("), std::string::npos)
      << result.output;
  EXPECT_TRUE(EndsWith(result.output, "\n4 passed, 0 failed\n")) << result.output;
}

TEST(Geranhost, FailedExpectationExitsOne) {
  const Result result = RunHost("-q", "Shutdown() => 0\nShutdown() => -1\n");
  EXPECT_EQ(result.exitCode, 1u) << result.output;
  EXPECT_NE(result.output.find("[1] Shutdown()\n     = -1  FAILED: expected 0"), std::string::npos)
      << result.output;
  EXPECT_TRUE(
      EndsWith(result.output, "\nfailed: line 1: Shutdown() returned -1, expected 0\n1 passed, 1 failed\n"))
      << result.output;
}

TEST(Geranhost, BadScriptExitsTwoAndCallsNothing) {
  const Result result = RunHost("", "Shutdown()\nShutdown(1)\n");
  EXPECT_EQ(result.exitCode, 2u) << result.output;
  EXPECT_NE(result.output.find("geranhost_test.gts:2:10: Shutdown takes 0 arguments, not more: Shutdown()\n"),
            std::string::npos)
      << result.output;
  EXPECT_TRUE(
      EndsWith(result.output, "1 error in " + TempPath("geranhost_test.gts") + "; nothing was called\n"))
      << result.output;
  EXPECT_EQ(result.output.find("[1]"), std::string::npos) << result.output;
}

TEST(Geranhost, CheckOnlyParsesAndAMissingLibraryIsAnError) {
  const Result check = RunHost("--check", kStubs);
  EXPECT_EQ(check.exitCode, 0u) << check.output;
  EXPECT_TRUE(EndsWith(check.output, "geranhost_test.gts: 4 calls, no errors\n")) << check.output;
  const Result missing = RunHost("--dll nowhere\\none.dll", kStubs);
  EXPECT_EQ(missing.exitCode, 2u) << missing.output;
  EXPECT_NE(missing.output.find("geranhost: cannot load "), std::string::npos) << missing.output;
}

}  // namespace
