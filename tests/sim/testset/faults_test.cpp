// Injected faults: how many calls they hit. (Where a fault starts, failed creation and the error
// information the caller finds are pinned by the product suites that use them.)
#include "sim_test.h"

namespace geran::test {
namespace {

using FaultsTest = SimulatorTest;

TEST_F(FaultsTest, TimesCountsTheFailingCallsAndZeroClears) {
  const struct {
    int times;
    std::vector<HRESULT> results;  // of consecutive StartScript calls
  } cases[] = {
      {1, {E_FAIL, S_OK, S_OK}},
      {2, {E_FAIL, E_FAIL, S_OK}},
      {0, {E_FAIL, E_FAIL, E_FAIL, E_FAIL}},
      {-3, {E_FAIL, E_FAIL, E_FAIL, E_FAIL}},
  };
  LONG answer = 0;
  for (const auto& c : cases) {
    TestSetSim_Reset();
    TestSetSim_FailMethod(sim::method::kStartScript, E_FAIL, nullptr, c.times);
    for (size_t call = 0; call < c.results.size(); ++call)
      EXPECT_EQ(Hex(testSet_->StartScript()), Hex(c.results[call]))
          << "times " << c.times << ", call " << call;
    EXPECT_EQ(Hex(testSet_->ShiftLeft(1, 1, &answer)), Hex(S_OK)) << "only the named method fails";
    EXPECT_EQ(TestSetSim_JournalCount(), static_cast<int>(c.results.size()) + 1) << "failing calls too";
  }
  TestSetSim_FailMethod(sim::method::kStartScript, 0, nullptr, 0);
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK)) << "hresult 0 clears";
}

}  // namespace
}  // namespace geran::test
