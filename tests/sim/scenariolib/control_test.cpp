// The call box entry point and the control API: journal, forced results, reset.
#include "scenario_lib.h"
#include "stdout_capture.h"

#include <cstring>

namespace geran::test {
namespace {

class CallboxModeTest : public ScenarioLibTest {};

TEST_F(CallboxModeTest, OneStartsZeroStopsOthersAreRefused) {
  const struct {
    int start;
    int result;
    int callboxAfter;
    const char* err;
  } steps[] = {
      {1, -1, 1, ""},
      {1, -1, 1, ""},
      {7, 0, 1, "scenario: CallboxMode_StartStop takes 1 (start) or 0 (stop), not 7\n"},
      {0, -1, 0, ""},
      {-1, 0, 0, "scenario: CallboxMode_StartStop takes 1 (start) or 0 (stop), not -1\n"},
  };
  for (const auto& step : steps) {
    StdoutCapture err(2);
    EXPECT_EQ(scenarioLibDll_CallboxMode_StartStop(step.start), step.result) << step.start;
    EXPECT_EQ(ScenarioLib_CallboxMode(), step.callboxAfter) << step.start;
    EXPECT_EQ(err.Take(), step.err) << step.start;
  }
  EXPECT_EQ(ScenarioCalls(), (std::vector<std::string>{"CallboxMode_StartStop(1)", "CallboxMode_StartStop(1)",
                                                       "CallboxMode_StartStop(7)", "CallboxMode_StartStop(0)",
                                                       "CallboxMode_StartStop(-1)"}));
}

TEST_F(CallboxModeTest, ScriptsAndTheEntryPointShareTheMode) {
  EXPECT_EQ(scenarioLibDll_CallboxMode_StartStop(1), -1);
  EXPECT_EQ(scenarioLibDll_RunTestScript("expect callbox on; callbox off", 4, 31), 1);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0);
}

class ControlTest : public ScenarioLibTest {};

TEST_F(ControlTest, ForcedResultsReplaceTheWork) {
  ASSERT_EQ(ScenarioLib_SetResult("RunTestScript", -7), 1);
  ASSERT_EQ(ScenarioLib_SetResult("CallboxMode_StartStop", 12345), 1);
  StdoutCapture out;
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo x; callbox on", 4, 19), -7);
  EXPECT_EQ(scenarioLibDll_RunTestScript(nullptr, 0, 0), -7);
  EXPECT_EQ(scenarioLibDll_CallboxMode_StartStop(1), 12345);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0);
  EXPECT_EQ(ScenarioCalls(),
            (std::vector<std::string>{"RunTestScript(\"echo x; callbox on\", 4, 19)",
                                      "RunTestScript(null, 0, 0)", "CallboxMode_StartStop(1)"}));
}

TEST_F(ControlTest, UnknownEntryIsNotForced) {
  EXPECT_EQ(ScenarioLib_SetResult("RunTestScenario", 5), 0);
  EXPECT_EQ(ScenarioLib_SetResult(nullptr, 5), 0);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo", 4, 5), 1);
}

TEST_F(ControlTest, ResetClearsJournalForcedResultsAndMode) {
  ScenarioLib_SetResult("RunTestScript", 0);
  scenarioLibDll_CallboxMode_StartStop(1);
  ScenarioLib_Reset();
  EXPECT_EQ(ScenarioLib_CallCount(), 0);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0);
  EXPECT_EQ(scenarioLibDll_RunTestScript("", 4, 1), 1) << "still forced";
}

TEST_F(ControlTest, CallCopiesCutToFitAndAnswersTheFullLength) {
  scenarioLibDll_CallboxMode_StartStop(0);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(ScenarioLib_Call(0, buffer, 5), 24);
  EXPECT_EQ(std::string(buffer, 6), std::string("Call\0x", 6));
  EXPECT_EQ(ScenarioLib_Call(0, buffer, 0), 24);
  EXPECT_EQ(buffer[0], 'C') << "size 0 writes nothing";
  EXPECT_EQ(ScenarioLib_Call(1, buffer, 8), -1);
  EXPECT_EQ(ScenarioLib_Call(-1, buffer, 8), -1);
}

}  // namespace
}  // namespace geran::test
