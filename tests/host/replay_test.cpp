// Replay of a recorded run: the demo recorded against a simulator set up like a rack (its own values,
// failing calls), replayed by a reset simulator in-process and as a local server, and a changed
// script stopped at the call it changed.
#include "host_process.h"
#include "script_run.h"
#include "simulator.h"
#include "trace_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine);  // TestSetSimulator.dll

namespace geran::host {
namespace {

using test::RunInProcess;

void SetRackValues() {
  TestSetSim_SetValue("AccessBurst", 35);
  TestSetSim_SetValue("ChannelRequest", 0xE5);
  TestSetSim_SetValue("FrameNumber", 1234);
  TestSetSim_SetValue("FerPermille", 40);
  TestSetSim_SetValue("BerSeed", 7);
  TestSetSim_SetText("LogFileName", L"D:\\rack\\cell 7.log");
}

void SetRackValuesAndFailures() {
  SetRackValues();
  TestSetSim_FailMethod("ConfigCch", E_FAIL, L"cell\tbusy", 1);
  TestSetSim_FailCall("BerCounterGroup.GetClass1b", 2, E_OUTOFMEMORY, nullptr, 1);
}

void LoadReplay(const std::string& path) {
  char error[512] = "";
  EXPECT_EQ(TestSetSim_LoadReplay(path.c_str(), error, sizeof error), S_OK) << error;
}

std::string ReplayOutcome() {
  char outcome[512] = "";
  return TestSetSim_ReplayOutcome(outcome, sizeof outcome) < 0 ? "(no replay)" : outcome;
}

TEST(Replay, AReplayedRunIsTheRecordedRun) {
  const std::string demo = test::ReadFileBytes(test::DemoFile("demo.gts").c_str());
  const std::string path = test::TempPath("replay_recording.txt");
  const test::ScriptRun recorded = RunInProcess(demo, path.c_str(), SetRackValuesAndFailures);
  const test::ScriptRun replayed = RunInProcess(demo, nullptr, [&] { LoadReplay(path); });
  EXPECT_EQ(ReplayOutcome(), "");
  EXPECT_EQ(replayed.output, recorded.output);
  EXPECT_EQ(replayed.traceFiles, recorded.traceFiles);
  EXPECT_EQ(replayed.simulatorJournal, recorded.simulatorJournal);
  // The same through the local server, which reads the journal in its own process.
  ASSERT_EQ(DllInstall(TRUE, L"local"), S_OK);
  const test::ScriptRun replayedLocally = RunInProcess(demo, nullptr, [&] { LoadReplay(path); });
  EXPECT_EQ(ReplayOutcome(), "");
  EXPECT_NE(TestSetSim_ServerProcessId(), static_cast<long>(GetCurrentProcessId()));
  ASSERT_EQ(DllInstall(TRUE, L""), S_OK);
  EXPECT_EQ(replayedLocally.output, recorded.output);
  EXPECT_EQ(replayedLocally.traceFiles, recorded.traceFiles);
  // What the rack's values and failures made of the run, so the replay cannot have passed on defaults.
  const test::ScriptRun unset = RunInProcess(demo, nullptr);
  EXPECT_NE(unset.output, recorded.output);
  EXPECT_NE(unset.traceFiles, recorded.traceFiles);
  EXPECT_NE(recorded.output.find("cell\tbusy"), std::string::npos) << recorded.output;
  EXPECT_NE(recorded.output.find("D:\\\\rack\\\\cell 7.log"), std::string::npos) << recorded.output;
  DeleteFileA(path.c_str());
}

TEST(Replay, GeranhostNamesTheCallThatDeparts) {
  const std::string demoPath = test::DemoFile("demo.gts");
  const std::string demo = test::ReadFileBytes(demoPath.c_str());
  const std::string recording = test::TempPath("replay_host_recording.txt");
  RunInProcess(demo, recording.c_str(), SetRackValues);
  const std::string changedPath = test::TempPath("replay_changed.gts");
  std::ofstream(changedPath, std::ios::binary)
      << std::regex_replace(demo, std::regex("ChangeMSPower\\(5,"), "ChangeMSPower(6,");
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", test::DemoFile("MasterParameters.ini").c_str());
  const std::string replay = "--no-connect-wait --no-progress --replay \"" + recording + "\" ";
  std::string output;
  EXPECT_EQ(test::RunGeranhost(replay + "\"" + demoPath + "\"", output), 0u) << output;
  EXPECT_NE(output.find("39 passed, 0 failed"), std::string::npos) << output;

  EXPECT_EQ(test::RunGeranhost(replay + "\"" + changedPath + "\"", output), 1u) << output;
  const std::regex departure(
      "departed at call 18: expected ChangeMSPower\\(5, 1\\) \\(line 18\\), "
      "received ChangeMSPower\\(6, 1\\)");
  const std::regex reportThenHostLine(
      "COM EXCEPTION: [^\n]*ChangeMSPower\n[^\n]*departed at call 18[\\s\\S]*"
      "\ngeranhost: the replay of [^\n]*departed at call 18");
  EXPECT_TRUE(std::regex_search(output, departure)) << output;
  EXPECT_TRUE(std::regex_search(output, reportThenHostLine)) << output;
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", nullptr);
  DeleteFileA(recording.c_str());
  DeleteFileA(changedPath.c_str());
}

}  // namespace
}  // namespace geran::host
