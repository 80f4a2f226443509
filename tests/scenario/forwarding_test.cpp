// The product's scenario exports: what reaches the scenario library and what comes back.
#include "product_module.h"
#include "scenario_lib.h"

#include <climits>

namespace geran::test {
namespace {

class ScenarioForwardingTest : public ScenarioLibTest {
 protected:
  ProductModule module_;
};

TEST_F(ScenarioForwardingTest, ScenarioArrivesWithItsNulAndMode4AndOnlyResult0Gives0) {
  const struct {
    int runFlag;
    int library;
    int expected;
  } cases[] = {{1, 1, -1}, {-1, -7, -1}, {INT_MIN, 0, 0}};
  for (const auto& c : cases) {
    ScenarioLib_SetResult("RunTestScript", c.library);
    EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(12345, "abc", c.runFlag), c.expected) << c.library;
  }
  EXPECT_EQ(GERAN_EXPORT(module_, RunTestScenario)(0, "abc", 0), -1) << "run flag 0 calls nothing";
  EXPECT_EQ(ScenarioCalls(), std::vector<std::string>(3, "RunTestScript(\"abc\", 4, 4)"));
}

}  // namespace
}  // namespace geran::test
