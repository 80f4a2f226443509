// The call box entry point and the control API: journal, forced results, reset.
#include "scenario_lib.h"
#include "stdout_capture.h"

namespace geran::test {
namespace {

using ControlTest = ScenarioLibTest;

TEST_F(ControlTest, CallboxModeOneStartsZeroStopsOthersAreRefused) {
  const struct {
    int start;
    int result;
    int callboxAfter;
    const char* err;
  } steps[] = {
      {1, -1, 1, ""},
      {7, 0, 1, "scenario: CallboxMode_StartStop takes 1 (start) or 0 (stop), not 7\n"},
      {0, -1, 0, ""},
  };
  for (const auto& step : steps) {
    StdoutCapture err(2);
    EXPECT_EQ(scenarioLibDll_CallboxMode_StartStop(step.start), step.result) << step.start;
    EXPECT_EQ(ScenarioLib_CallboxMode(), step.callboxAfter) << step.start;
    EXPECT_EQ(err.Take(), step.err) << step.start;
  }
  EXPECT_EQ(ScenarioCalls(), (std::vector<std::string>{"CallboxMode_StartStop(1)", "CallboxMode_StartStop(7)",
                                                       "CallboxMode_StartStop(0)"}));
}

TEST_F(ControlTest, ForcedResultsReplaceTheWorkUntilReset) {
  EXPECT_EQ(ScenarioLib_SetResult("RunTestScenario", 5), 0) << "not an entry point";
  ASSERT_EQ(ScenarioLib_SetResult("RunTestScript", -7), 1);
  ASSERT_EQ(ScenarioLib_SetResult("CallboxMode_StartStop", 12345), 1);
  StdoutCapture out;
  StdoutCapture err(2);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo x; callbox on", 4, 19), -7);
  EXPECT_EQ(scenarioLibDll_CallboxMode_StartStop(1), 12345);
  EXPECT_EQ(out.Take(), "") << "nothing ran";
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0) << "nothing ran";
  EXPECT_EQ(ScenarioCalls(), (std::vector<std::string>{"RunTestScript(\"echo x; callbox on\", 4, 19)",
                                                       "CallboxMode_StartStop(1)"}));
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(ScenarioLib_Call(1, buffer, 5), 24) << "the full length, the entry cut to fit";
  EXPECT_STREQ(buffer, "Call");
  EXPECT_EQ(ScenarioLib_Call(2, buffer, 8), -1);
  ScenarioLib_Reset();
  EXPECT_EQ(ScenarioLib_CallCount(), 0);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo abcdef", 4, 8), 1) << "no longer forced";
  EXPECT_EQ(scenarioLibDll_RunTestScript(nullptr, 4, 5), 0);
  EXPECT_EQ(out.Take(), "abc\n") << "only the given length is read";
  EXPECT_EQ(err.Take(), "scenario: no script to run (length 5)\n");
  EXPECT_EQ(ScenarioCalls(),
            (std::vector<std::string>{"RunTestScript(\"echo abc\", 4, 8)", "RunTestScript(null, 4, 5)"}));
}

}  // namespace
}  // namespace geran::test
