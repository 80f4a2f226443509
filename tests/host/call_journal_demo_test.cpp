// The demo script recorded against a simulator set up like a rack (its own values, failing calls):
// recording changes nothing the script sees, the recording holds the simulator's own journal, a reset
// simulator replaying it gives the recorded run back, in-process, as a local server and under
// geranhost, and a changed script is stopped at the call it changed.
#include "host_process.h"
#include "recorded_journal_file.h"
#include "runner.h"
#include "script.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>

extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine);  // TestSetSimulator.dll

namespace geran::host {
namespace {

struct ScriptRun {
  std::string output;  // without the calls' durations, which differ from run to run
  std::vector<std::string> simulatorJournal;
  std::string traceFiles;
};

std::string Demo() { return test::ReadFileBytes(test::DemoFile("demo.gts").c_str()); }

// Runs the demo here on a fresh product module (its connection wait skipped) with its master file;
// journal: GERAN_CALL_JOURNAL, or nullptr for none; the simulator registered as registration asks,
// arm sets the reset simulator up.
ScriptRun RunDemo(const char* journal, const wchar_t* registration, const std::function<void()>& arm) {
  EXPECT_EQ(DllInstall(TRUE, registration), S_OK);
  SetEnvironmentVariableA("GERAN_CALL_JOURNAL", journal);
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", test::DemoFile("MasterParameters.ini").c_str());
  test::RemoveTraceFiles();
  TestSetSim_Reset();
  arm();
  ScriptRun run;
  {
    const test::ProductModule module;
    const Script parsed = ParseScript(Demo());
    EXPECT_TRUE(parsed.errors.empty());
    const Binding binding = Bind(parsed, [&](const char* symbol) { return module.Find(symbol); });
    test::StdoutCapture out;
    Run(parsed, binding.functions, RunOptions{});
    run.output = std::regex_replace(out.Take(), std::regex(R"(  \(\d+(\.\d)? m?s\))"), "");
  }
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "simulator objects left alive";
  run.simulatorJournal = test::Journal();
  for (const char* file : {test::kTest12, test::kRemoteApi, test::kResult, test::kCallBox})
    run.traceFiles += std::string(file) + ":\n" + test::ReadFileBytes(file);
  SetEnvironmentVariableA("GERAN_CALL_JOURNAL", nullptr);
  return run;
}

// The rack's own values, and failures with and without a description, so the run has failure reports.
void SetUpLikeARack() {
  TestSetSim_SetValue(sim::value::kAccessBurst, 35);
  TestSetSim_SetValue(sim::value::kFerPermille, 40);
  TestSetSim_SetValue(sim::value::kBerSeed, 7);
  TestSetSim_SetText(sim::text::kLogFileName, L"D:\\rack\\cell 7.log");
  TestSetSim_FailMethod(sim::method::kConfigCch, E_FAIL, L"cell\tbusy", 1);
  TestSetSim_FailMethod(sim::method::kSendSIMsg, static_cast<long>(0x80040201), nullptr, 1);
  TestSetSim_FailMethod(sim::method::kAuxSpeechStart, E_ACCESSDENIED, L"speech source locked", 1);
  TestSetSim_FailCall(sim::method::kBerCounterGroupGetClass1b, 2, E_OUTOFMEMORY, L"counters gone", 1);
}

std::function<void()> Replaying(const std::string& path) {
  return [path] {
    char error[512] = "";
    EXPECT_EQ(TestSetSim_LoadReplay(path.c_str(), error, sizeof error), S_OK) << error;
  };
}

std::string ReplayOutcome() {
  char outcome[512] = "";
  return TestSetSim_ReplayOutcome(outcome, sizeof outcome) < 0 ? "(no replay)" : outcome;
}

TEST(CallJournalDemo, RecordingChangesNothingAndItsReplayIsTheRecordedRunUntilTheScriptDeparts) {
  const std::string path = test::TempPath("demo_call_journal.txt");
  const std::string replayedPath = test::TempPath("demo_replayed_locally.txt");
  DeleteFileA(path.c_str());
  const ScriptRun unrecorded = RunDemo(nullptr, L"", SetUpLikeARack);
  EXPECT_FALSE(test::FileExists(path.c_str()));
  const ScriptRun recorded = RunDemo(path.c_str(), L"", SetUpLikeARack);
  EXPECT_EQ(TestSetSim_ServerProcessId(), static_cast<long>(GetCurrentProcessId()));
  EXPECT_EQ(recorded.output, unrecorded.output) << "every call's result and failure report, byte for byte";
  EXPECT_EQ(recorded.traceFiles, unrecorded.traceFiles);
  EXPECT_EQ(recorded.simulatorJournal, unrecorded.simulatorJournal);
  // What the rack made of the run, so a replay cannot pass on the simulator's defaults.
  EXPECT_NE(recorded.output.find("35 passed, 4 failed"), std::string::npos) << recorded.output;
  EXPECT_NE(recorded.output.find("D:\\\\rack\\\\cell 7.log"), std::string::npos) << recorded.output;

  const std::vector<journal::RecordedCall> recording = test::RecordedJournal(path);
  EXPECT_EQ(test::RecordedCalls(path), recorded.simulatorJournal);

  const ScriptRun replayed = RunDemo(nullptr, L"", Replaying(path));
  EXPECT_EQ(ReplayOutcome(), "");
  EXPECT_EQ(replayed.output, recorded.output);
  EXPECT_EQ(replayed.traceFiles, recorded.traceFiles);
  EXPECT_EQ(replayed.simulatorJournal, recorded.simulatorJournal);

  // The local server reads the journal in its own process and answers across the process boundary
  // as in-process: the same calls, HRESULTs and descriptions recorded, times left out.
  DeleteFileA(replayedPath.c_str());
  const ScriptRun local = RunDemo(replayedPath.c_str(), L"local", Replaying(path));
  EXPECT_EQ(ReplayOutcome(), "");
  EXPECT_NE(TestSetSim_ServerProcessId(), static_cast<long>(GetCurrentProcessId()));
  EXPECT_EQ(DllInstall(TRUE, L""), S_OK);
  EXPECT_EQ(journal::FirstDifference(test::RecordedJournal(replayedPath), recording), std::nullopt);
  EXPECT_EQ(local.output, recorded.output);
  EXPECT_EQ(local.traceFiles, recorded.traceFiles);

  // geranhost replays it too, and stops a changed script at the call it changed.
  const std::string changedPath = test::TempPath("replay_changed.gts");
  std::ofstream(changedPath, std::ios::binary)
      << std::regex_replace(Demo(), std::regex("ChangeMSPower\\(5,"), "ChangeMSPower(6,");
  const std::string replay = "--no-connect-wait --no-progress --replay \"" + path + "\" ";
  std::string output;
  EXPECT_EQ(test::RunGeranhost(replay + "\"" + test::DemoFile("demo.gts") + "\"", output), 1u) << output;
  EXPECT_NE(output.find("\n35 passed, 4 failed\n"), std::string::npos) << output;
  EXPECT_EQ(output.find("departed"), std::string::npos) << output;
  EXPECT_EQ(test::RunGeranhost(replay + "\"" + changedPath + "\"", output), 1u) << output;
  const std::regex reportThenHostLine(
      "COM EXCEPTION: [^\n]*ChangeMSPower\n[^\n]*departed at call 18: expected ChangeMSPower\\(5, 1\\) "
      "\\(line 18\\), received ChangeMSPower\\(6, 1\\)[\\s\\S]*\ngeranhost: the replay of [^\n]*departed "
      "at call 18");
  EXPECT_TRUE(std::regex_search(output, reportThenHostLine)) << output;
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", nullptr);
  for (const std::string& file : {path, replayedPath, changedPath}) DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace geran::host
