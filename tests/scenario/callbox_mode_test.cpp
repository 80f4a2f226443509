// znGeranApiInterfaceDll_CallboxMode_StartStop: the scenario library's entry point under the product's name.
#include "product_module.h"
#include "scenario_lib.h"

namespace geran::test {
namespace {

class CallboxModeStartStopTest : public ScenarioLibTest {
 protected:
  ProductModule module_;
};

TEST_F(CallboxModeStartStopTest, IsTheScenarioLibrarysOwnFunction) {
  const HMODULE library = GetModuleHandleW(L"GERANScenarioLib.dll");
  ASSERT_NE(library, nullptr) << "the product loads the scenario library with it";
  EXPECT_EQ(module_.Find("znGeranApiInterfaceDll_CallboxMode_StartStop"),
            GetProcAddress(library, "scenarioLibDll_CallboxMode_StartStop"));
}

TEST_F(CallboxModeStartStopTest, ArgumentAndResultPassUntouched) {
  const struct {
    int start;
    int forced;
  } cases[] = {{1, -1}, {0, 0}, {7, 12345}, {-3, 1}, {INT_MIN, INT_MAX}};
  std::vector<std::string> expectedCalls;
  for (const auto& c : cases) {
    ScenarioLib_SetResult("CallboxMode_StartStop", c.forced);
    EXPECT_EQ(GERAN_EXPORT(module_, CallboxMode_StartStop)(c.start), c.forced) << c.start;
    expectedCalls.push_back("CallboxMode_StartStop(" + std::to_string(c.start) + ")");
  }
  EXPECT_EQ(ScenarioCalls(), expectedCalls);
}

TEST_F(CallboxModeStartStopTest, SwitchesTheLibrarysCallboxMode) {
  EXPECT_EQ(GERAN_EXPORT(module_, CallboxMode_StartStop)(1), -1);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 1);
  EXPECT_EQ(GERAN_EXPORT(module_, CallboxMode_StartStop)(0), -1);
  EXPECT_EQ(ScenarioLib_CallboxMode(), 0);
}

}  // namespace
}  // namespace geran::test
