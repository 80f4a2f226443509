// The scenario script language, run through scenarioLibDll_RunTestScript.
#include "scenario_lib.h"
#include "stdout_capture.h"

#include <windows.h>

#include <chrono>
#include <cstring>
#include <fstream>

namespace geran::test {
namespace {

struct Outcome {
  int result;
  std::string out;
  std::string err;
};

Outcome RunScript(const std::string& script, int mode = 4) {
  StdoutCapture out;
  StdoutCapture err(2);
  const int result = scenarioLibDll_RunTestScript(script.c_str(), mode, static_cast<int>(script.size()) + 1);
  return Outcome{result, out.Take(), err.Take()};
}

void ExpectOutcome(const Outcome& seen, const Outcome& expected, const std::string& script) {
  EXPECT_EQ(seen.result, expected.result) << script;
  EXPECT_EQ(seen.out, expected.out) << script;
  EXPECT_EQ(seen.err, expected.err) << script;
}

class ScriptTest : public ScenarioLibTest {};

TEST_F(ScriptTest, CommandsRunInOrder) {
  const struct {
    const char* script;
    Outcome expected;
    int callbox;
  } cases[] = {
      {"echo one; echo two", {1, "one\ntwo\n", ""}, 0},
      {"echo  two  words  ", {1, "two  words\n", ""}, 0},
      {"echo", {1, "\n", ""}, 0},
      {"callbox on", {1, "", ""}, 1},
      {"callbox on; callbox off", {1, "", ""}, 0},
      {"callbox on; expect callbox on; echo on", {1, "on\n", ""}, 1},
      {"expect callbox off; wait 0", {1, "", ""}, 0},
      {"", {1, "", ""}, 0},
  };
  for (const auto& c : cases) {
    ScenarioLib_Reset();
    ExpectOutcome(RunScript(c.script), c.expected, c.script);
    EXPECT_EQ(ScenarioLib_CallboxMode(), c.callbox) << c.script;
  }
}

TEST_F(ScriptTest, SemicolonsLineEndsAndCommentsSeparate) {
  ExpectOutcome(RunScript("echo a;; ;echo b # echo c; echo d\r\n\n  echo e  \n#echo f"), {1, "a\nb\ne\n", ""},
                "mixed");
}

TEST_F(ScriptTest, FaultyScriptIsRefusedBeforeAnyCommandRuns) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"callbox on; bogus", "script:1: unknown command \"bogus\""},
      {"callbox on\nEcho x", "script:2: unknown command \"Echo\""},
      {"callbox on; callbox maybe", "script:1: callbox takes on or off, not \"maybe\""},
      {"callbox on; callbox", "script:1: callbox takes on or off, not \"\""},
      {"callbox on; expect callbox", "script:1: expect takes callbox on or callbox off, not \"callbox\""},
      {"callbox on; expect mode on", "script:1: expect takes callbox on or callbox off, not \"mode on\""},
      {"callbox on; wait", "script:1: wait takes milliseconds from 0 to 600000, not \"\""},
      {"callbox on; wait -1", "script:1: wait takes milliseconds from 0 to 600000, not \"-1\""},
      {"callbox on; wait 600001", "script:1: wait takes milliseconds from 0 to 600000, not \"600001\""},
      {"callbox on; wait 1000000", "script:1: wait takes milliseconds from 0 to 600000, not \"1000000\""},
      {"callbox on; wait 10ms", "script:1: wait takes milliseconds from 0 to 600000, not \"10ms\""},
      {"callbox on; run", "script:1: run needs the path of a script file"},
      {"callbox on\n\nrun C:\\no\\such.scn", "script:3: cannot open \"C:\\no\\such.scn\""},
  };
  for (const auto& c : cases) {
    ExpectOutcome(RunScript(c.script), {0, "", std::string("scenario: ") + c.message + "\n"}, c.script);
    EXPECT_EQ(ScenarioLib_CallboxMode(), 0) << c.script << ": nothing may run";
  }
}

TEST_F(ScriptTest, FailedExpectationStopsOnlyInMode4) {
  const std::string script = "expect callbox on; echo after";
  const std::string message = "scenario: script:1: expected the call box on, it is off\n";
  ExpectOutcome(RunScript(script, 4), {0, "", message}, "mode 4");
  ExpectOutcome(RunScript(script, 0), {0, "after\n", message}, "mode 0");
  ExpectOutcome(RunScript("callbox on; expect callbox off; expect callbox on", 0),
                {0, "", "scenario: script:1: expected the call box off, it is on\n"},
                "one failure fails the run");
}

TEST_F(ScriptTest, ModeFlags) {
  ExpectOutcome(RunScript("echo hi; callbox on", 2), {1, "> echo hi\nhi\n> callbox on\n", ""},
                "mode 2 echoes commands");
  ScenarioLib_Reset();
  ExpectOutcome(RunScript("echo hi; callbox on", 1), {1, "", ""}, "mode 1 only checks");
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0) << "mode 1 ran a command";
  ExpectOutcome(RunScript("echo hi; bogus", 1), {0, "", "scenario: script:1: unknown command \"bogus\"\n"},
                "mode 1");
  for (int mode : {8, 16, -1, 0x10004})
    ExpectOutcome(RunScript("echo hi", mode),
                  {0, "", "scenario: unknown mode " + std::to_string(mode) + " (known flags: 1, 2, 4)\n"},
                  "mode " + std::to_string(mode));
}

TEST_F(ScriptTest, WaitSleepsForItsTime) {
  const auto start = std::chrono::steady_clock::now();
  ExpectOutcome(RunScript("wait 60"), {1, "", ""}, "wait 60");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 50);
}

TEST_F(ScriptTest, OnlyTheGivenLengthIsRead) {
  StdoutCapture out;
  StdoutCapture err(2);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo abcdef", 4, 8), 1);
  EXPECT_EQ(scenarioLibDll_RunTestScript(nullptr, 4, 5), 0);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo x", 4, 0), 0);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo x", 4, -3), 0);
  EXPECT_EQ(out.Take(), "abc\n");
  EXPECT_EQ(err.Take(),
            "scenario: no script to run (length 5)\n"
            "scenario: no script to run (length 0)\n"
            "scenario: no script to run (length -3)\n");
  EXPECT_EQ(ScenarioCalls(),
            (std::vector<std::string>{"RunTestScript(\"echo abc\", 4, 8)", "RunTestScript(null, 4, 5)",
                                      "RunTestScript(\"\", 4, 0)", "RunTestScript(\"\", 4, -3)"}));
}

// Script files in a folder of their own under the temporary folder, removed afterwards.
class ScriptFileTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "scenario-test-" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CreateDirectoryA((folder_ + "sub").c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    for (const std::string& file : written_) DeleteFileA(file.c_str());
    RemoveDirectoryA((folder_ + "sub").c_str());
    RemoveDirectoryA(folder_.c_str());
    ScriptTest::TearDown();
  }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = folder_ + name;
    std::ofstream(path, std::ios::binary) << text;
    written_.push_back(path);
    return path;
  }
  std::string folder_;

 private:
  std::vector<std::string> written_;
};

TEST_F(ScriptFileTest, RunReadsAFileLineByLine) {
  const std::string path =
      Write("main.scn", "# a scenario\r\necho first\r\ncallbox on; echo second # done\r\n");
  ExpectOutcome(RunScript("echo before; run " + path + "; echo after"),
                {1, "before\nfirst\nsecond\nafter\n", ""}, path);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 1);
}

TEST_F(ScriptFileTest, RelativePathsStartFromTheRunningFilesFolder) {
  Write("sub\\inner.scn", "echo inner");
  Write("sub\\outer.scn", "run inner.scn\necho outer");
  ExpectOutcome(RunScript("run " + folder_ + "sub\\outer.scn"), {1, "inner\nouter\n", ""}, "nested");
}

TEST_F(ScriptFileTest, FaultsInsideAFileNameTheFileAndLine) {
  const std::string path = Write("faulty.scn", "callbox on\n\nwait soon\n");
  ExpectOutcome(RunScript("run " + path),
                {0, "", "scenario: " + path + ":3: wait takes milliseconds from 0 to 600000, not \"soon\"\n"},
                path);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0) << "the file's first line ran";
}

TEST_F(ScriptFileTest, FilesThatRunEachOtherAreStopped) {
  const std::string path = Write("loop.scn", "echo never\nrun loop.scn\n");
  ExpectOutcome(RunScript("run " + path),
                {0, "", "scenario: " + path + ":2: script files nested deeper than 8\n"}, path);
}

}  // namespace
}  // namespace geran::test
