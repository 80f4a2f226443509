// The demo script recorded against the simulator: the recording holds the simulator's own journal,
// recording changes nothing the script sees (output, failure reports, trace files), and the
// simulator as a local server is asked and answers the same as in-process.
#include "recorded_journal_file.h"
#include "script_run.h"
#include "simulator.h"
#include "trace_files.h"

#include <gtest/gtest.h>

extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine);  // TestSetSimulator.dll

namespace geran::host {
namespace {

using test::ReadFileBytes;
using test::RunInProcess;

// Fails a few calls of the run, with and without a description, so it has failure reports.
void ArmFaults() {
  TestSetSim_FailMethod(sim::method::kConfigCch, E_FAIL, L"cell\tbusy", 1);
  TestSetSim_FailMethod(sim::method::kSendSIMsg, static_cast<long>(0x80040201), nullptr, 1);
  TestSetSim_FailMethod(sim::method::kAuxSpeechStart, E_ACCESSDENIED, L"speech source locked", 1);
  TestSetSim_FailMethod(sim::method::kBerCounterGroupGetClass1b, E_OUTOFMEMORY, L"counters gone", 1);
}

// The demo with its faults, recorded in path (nullptr: not recorded), the simulator registered as
// registration asks.
test::ScriptRun RunDemo(const char* path, const wchar_t* registration = L"") {
  EXPECT_EQ(DllInstall(TRUE, registration), S_OK);
  return RunInProcess(ReadFileBytes(test::DemoFile("demo.gts").c_str()), path, ArmFaults);
}

TEST(CallJournalDemo, RecordingHoldsTheSimulatorsJournalAndChangesNothingElse) {
  const std::string path = test::TempPath("demo_call_journal.txt");
  DeleteFileA(path.c_str());
  const test::ScriptRun unrecorded = RunDemo(nullptr);
  EXPECT_FALSE(test::FileExists(path.c_str()));
  const test::ScriptRun recorded = RunDemo(path.c_str());
  EXPECT_EQ(TestSetSim_ServerProcessId(), static_cast<long>(GetCurrentProcessId()));
  EXPECT_EQ(recorded.output, unrecorded.output) << "every call's result and failure report, byte for byte";
  EXPECT_EQ(recorded.traceFiles, unrecorded.traceFiles);
  EXPECT_EQ(recorded.simulatorJournal, unrecorded.simulatorJournal);
  EXPECT_NE(unrecorded.output.find("35 passed, 4 failed"), std::string::npos) << unrecorded.output;
  std::size_t reports = 0;
  for (std::size_t at = 0; (at = recorded.output.find("COM EXCEPTION: ", at)) != std::string::npos; ++at)
    ++reports;
  EXPECT_EQ(reports, 4u) << recorded.output;

  const std::vector<journal::RecordedCall> recording = test::RecordedJournal(path);
  std::vector<std::string> calls;
  std::vector<std::string> failures;
  for (const journal::RecordedCall& call : recording) {
    calls.push_back(call.call);
    if (call.outcome != "0x00000000") failures.push_back(call.call + " -> " + call.outcome);
  }
  EXPECT_EQ(calls, recorded.simulatorJournal);
  EXPECT_EQ(failures,
            (std::vector<std::string>{
                "ConfigCch(1, -60.5, -52.5, 0, 1, [62], 0, 0, 0, 0, 0, 0, 1) -> 0x80004005\t\"cell\\tbusy\"",
                "SendSIMsg(3, 12, [6,27,0,1,0,241,16,0,1,73,6,40]) -> 0x80040201",
                "AuxSpeech.Start(AuxSpeech#1, 1, -1) -> 0x80070005\t\"speech source locked\"",
                "BerCounterGroup.GetClass1b() -> 0x8007000E\t\"counters gone\""}));

  // The simulator as a local server is asked and answers the same as in-process.
  DeleteFileA(path.c_str());
  const test::ScriptRun local = RunDemo(path.c_str(), L"local");
  EXPECT_NE(TestSetSim_ServerProcessId(), static_cast<long>(GetCurrentProcessId()));
  EXPECT_EQ(DllInstall(TRUE, L""), S_OK);
  EXPECT_EQ(journal::FirstDifference(test::RecordedJournal(path), recording), std::nullopt)
      << "calls, HRESULTs and descriptions, times left out";
  EXPECT_EQ(local.output, recorded.output);
  EXPECT_EQ(local.traceFiles, recorded.traceFiles);
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace geran::host
