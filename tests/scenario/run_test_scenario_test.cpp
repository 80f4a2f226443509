// znGeranApiInterfaceDll_RunTestScenario: what reaches the scenario library and how its result maps.
#include "product_module.h"
#include "scenario_lib.h"
#include "stdout_capture.h"

namespace geran::test {
namespace {

class RunTestScenarioTest : public ScenarioLibTest {
 protected:
  ProductModule module_;
};

TEST_F(RunTestScenarioTest, RunFlag0CallsNothing) {
  const char* const scenarios[] = {nullptr, reinterpret_cast<const char*>(1), "bogus"};
  for (const char* scenario : scenarios)
    EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, scenario, 0), -1);
  EXPECT_EQ(ScenarioLib_CallCount(), 0);
}

TEST_F(RunTestScenarioTest, ScenarioArrivesWithMode4AndItsLengthWithTheNul) {
  ScenarioLib_SetResult("RunTestScript", 1);
  EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "abc", 1), -1);
  EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "", 1), -1);
  EXPECT_EQ(ScenarioCalls(),
            (std::vector<std::string>{"RunTestScript(\"abc\", 4, 4)", "RunTestScript(\"\", 4, 1)"}));
}

TEST_F(RunTestScenarioTest, NonzeroResultsGiveMinus1AndZeroGives0) {
  const struct {
    int library;
    int expected;
  } cases[] = {{1, -1}, {-7, -1}, {-1, -1}, {0x7fffffff, -1}, {0, 0}};
  for (const auto& c : cases) {
    ScenarioLib_SetResult("RunTestScript", c.library);
    EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "abc", 1), c.expected)
        << "library result " << c.library;
  }
}

TEST_F(RunTestScenarioTest, FirstArgumentHasNoEffectAndAnyNonzeroFlagRuns) {
  ScenarioLib_SetResult("RunTestScript", 1);
  const struct {
    int unused;
    int runFlag;
  } cases[] = {{0, 1}, {12345, 1}, {-1, -1}, {7, 2}, {0, INT_MIN}};
  for (const auto& c : cases)
    EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(c.unused, "abc", c.runFlag), -1);
  EXPECT_EQ(ScenarioCalls(), std::vector<std::string>(std::size(cases), "RunTestScript(\"abc\", 4, 4)"));
}

TEST_F(RunTestScenarioTest, ScriptsReallyRun) {
  StdoutCapture out;
  StdoutCapture err(2);
  EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "callbox on; echo ready", 1), -1);
  EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "expect callbox off; echo never", 1), 0);
  EXPECT_EQ(out.Take(), "ready\n");
  EXPECT_EQ(err.Take(), "scenario: script:1: expected the call box off, it is on\n");
}

}  // namespace
}  // namespace geran::test
