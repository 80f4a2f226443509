// The scenario script language, run through scenarioLibDll_RunTestScript.
#include "scenario_lib.h"
#include "stdout_capture.h"
#include "trace_files.h"

#include <windows.h>

#include <fstream>
#include <tuple>

namespace geran::test {
namespace {

struct Outcome {
  int result;
  std::string out;
  std::string err;
  int callbox;  // the call box mode afterwards
  bool operator==(const Outcome& other) const {
    return std::tie(result, out, err, callbox) == std::tie(other.result, other.out, other.err, other.callbox);
  }
};

std::ostream& operator<<(std::ostream& stream, const Outcome& o) {
  return stream << o.result << " out \"" << o.out << "\" err \"" << o.err << "\" callbox " << o.callbox;
}

Outcome RunScript(const std::string& script, int mode = 4) {
  ScenarioLib_Reset();
  StdoutCapture out;
  StdoutCapture err(2);
  const int result = scenarioLibDll_RunTestScript(script.c_str(), mode, static_cast<int>(script.size()) + 1);
  return Outcome{result, out.Take(), err.Take(), ScenarioLib_CallboxMode()};
}

using ScriptTest = ScenarioLibTest;

TEST_F(ScriptTest, RulesAndErrors) {
  const struct {
    const char* script;
    int mode;
    Outcome expected;
  } cases[] = {
      {"echo one; callbox on;; echo  two  words  ", 4, {1, "one\ntwo  words\n", "", 1}},
      {"echo a # echo b; echo c\r\n\n  echo\n#echo d", 4, {1, "a\n\n", "", 0}},
      {"callbox on; expect callbox on; callbox off; expect callbox off; wait 0", 4, {1, "", "", 0}},
      // The whole script is checked before anything runs.
      {"callbox on; bogus", 4, {0, "", "scenario: script:1: unknown command \"bogus\"\n", 0}},
      {"callbox on; wait 600001",
       4,
       {0, "", "scenario: script:1: wait takes milliseconds from 0 to 600000, not \"600001\"\n", 0}},
      {"callbox on\n\nrun C:\\no\\such.scn",
       4,
       {0, "", "scenario: script:3: cannot open \"C:\\no\\such.scn\"\n", 0}},
      // A failed expectation fails the run; mode 4 stops there, mode 0 runs on.
      {"expect callbox on; echo after",
       4,
       {0, "", "scenario: script:1: expected the call box on, it is off\n", 0}},
      {"expect callbox on; echo after",
       0,
       {0, "after\n", "scenario: script:1: expected the call box on, it is off\n", 0}},
      {"echo hi; callbox on", 2, {1, "> echo hi\nhi\n> callbox on\n", "", 1}},
      {"echo hi; callbox on", 1, {1, "", "", 0}},
      {"echo hi", 8, {0, "", "scenario: unknown mode 8 (known flags: 1, 2, 4)\n", 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RunScript(c.script, c.mode), c.expected) << c.script << " (mode " << c.mode << ")";
}

TEST_F(ScriptTest, RunReadsFilesRelativeToTheRunningFile) {
  const std::string folder = TempPath("scenario-test-" + std::to_string(GetCurrentProcessId()) + "\\");
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "sub").c_str(), nullptr);
  const char* const files[][2] = {{"sub\\inner.scn", "# a scenario\r\necho inner\r\ncallbox on # done\r\n"},
                                  {"outer.scn", "run sub\\inner.scn\necho outer"},
                                  {"faulty.scn", "callbox on\n\nwait soon\n"},
                                  {"loop.scn", "echo never\nrun loop.scn\n"}};
  for (const auto& file : files) std::ofstream(folder + file[0], std::ios::binary) << file[1];
  EXPECT_EQ(RunScript("echo before; run " + folder + "outer.scn; echo after"),
            (Outcome{1, "before\ninner\nouter\nafter\n", "", 1}));
  EXPECT_EQ(RunScript("run " + folder + "faulty.scn"),
            (Outcome{0, "",
                     "scenario: " + folder +
                         "faulty.scn:3: wait takes milliseconds from 0 to 600000, not \"soon\"\n",
                     0}));
  EXPECT_EQ(RunScript("run " + folder + "loop.scn"),
            (Outcome{0, "", "scenario: " + folder + "loop.scn:2: script files nested deeper than 8\n", 0}));
  for (const auto& file : files) DeleteFileA((folder + file[0]).c_str());
  RemoveDirectoryA((folder + "sub").c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(ScriptTest, RunTestScriptReadsOnlyTheGivenLengthAndRefusesNull) {
  StdoutCapture out;
  StdoutCapture err(2);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo abcdef", 4, 8), 1);
  EXPECT_EQ(scenarioLibDll_RunTestScript(nullptr, 4, 5), 0);
  EXPECT_EQ(out.Take(), "abc\n");
  EXPECT_EQ(err.Take(), "scenario: no script to run (length 5)\n");
}

}  // namespace
}  // namespace geran::test
