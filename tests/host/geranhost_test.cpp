// Against the real library: the host's export table, and geranhost.exe end to end (output, exit
// codes, script errors).
#include "exports.h"
#include "host_process.h"
#include "product_module.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace geran::host {
namespace {

TEST(Exports, AllFiftyResolveInOrdinalOrder) {
  const test::ProductModule module;
  ASSERT_EQ(Exports().size(), 50u);
  for (std::size_t i = 0; i < Exports().size(); ++i) {
    const FARPROC byOrdinal = GetProcAddress(module.handle(), MAKEINTRESOURCEA(i + 1));
    EXPECT_NE(byOrdinal, nullptr) << Exports()[i].symbol;
    EXPECT_EQ(module.Find(Exports()[i].symbol), byOrdinal)
        << Exports()[i].symbol << " is not ordinal " << i + 1;
  }
}

const std::string kScript = [] {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder)) + "geranhost_test.gts";
}();

// Runs geranhost.exe on the script; returns its exit code, and in output its stdout and stderr.
DWORD RunHost(const std::string& args, const std::string& script, std::string& output) {
  std::ofstream(kScript, std::ios::binary) << script;
  return test::RunGeranhost(args + " \"" + kScript + "\"", output);
}

TEST(Geranhost, ExitCodeAndOutputOfGoodFailingAndBadRuns) {
  const char* stubs =
      "## Stubs\nInitialise(1, 2, 3, 0xFFFFFFFF) => -1\nznGeranApiInterfaceDll_Shutdown() => -1\n"
      "RemoteConnection_Set(7) => -1\nGetErrorMsg(0, 0, 0)\n";
  const struct {
    const char* args;
    std::string script;
    DWORD exitCode;
    std::string expected;  // in the output
    std::string ending;    // the output's last line
  } cases[] = {
      {"--no-progress", stubs, 0, "[4] RemoteConnection_Set(7)\n     = -1  ok  (", "\n4 passed, 0 failed\n"},
      {"", "Shutdown() => 0\nShutdown() => -1\n", 1, "[1] Shutdown()\n     = -1  FAILED: expected 0  (",
       "\nfailed: line 1: Shutdown() returned -1, expected 0\n1 passed, 1 failed\n"},
      {"", "Shutdown()\nShutdown(1)\n\nRest()\n", 2,
       "geranhost_test.gts:2:10: Shutdown takes 0 arguments, not more: Shutdown()\n    Shutdown(1)\n"
       "             ^\n",
       "\n2 errors in " + kScript + "; nothing was called\n"},
      {"--dll nowhere\\none.dll", stubs, 2, "geranhost: cannot load ", "\n"},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(RunHost(c.args, c.script, output), c.exitCode) << output;
    EXPECT_NE(output.find(c.expected), std::string::npos) << output;
    EXPECT_EQ(output.substr(output.size() - std::min(output.size(), c.ending.size())), c.ending);
    EXPECT_EQ(output.find("\n[") != std::string::npos, c.exitCode != 2) << "calls made or not:\n" << output;
  }
}

}  // namespace
}  // namespace geran::host
