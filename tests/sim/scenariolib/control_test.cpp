// The call box entry point, and what RunTestScript reads.
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

// Forced results and the journal are pinned by the product's forwarding suite, which uses them.
TEST_F(ControlTest, RunTestScriptReadsOnlyTheGivenLengthAndRefusesNull) {
  StdoutCapture out;
  StdoutCapture err(2);
  EXPECT_EQ(scenarioLibDll_RunTestScript("echo abcdef", 4, 8), 1);
  EXPECT_EQ(scenarioLibDll_RunTestScript(nullptr, 4, 5), 0);
  EXPECT_EQ(out.Take(), "abc\n");
  EXPECT_EQ(err.Take(), "scenario: no script to run (length 5)\n");
}

}  // namespace
}  // namespace geran::test
