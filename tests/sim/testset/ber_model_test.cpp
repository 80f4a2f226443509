// The BER model seen through the object chain a client walks: error rates and the bits each class counts.
#include "sim_test.h"

#include <array>

namespace geran::test {
namespace {

using Record = std::array<LONG, 12>;  // samples, events, lastfn of FER, class 1a, 1b, 2

Record ReadRecord(TestSetApi* testSet) {
  using SetGetter = HRESULT (STDMETHODCALLTYPE BerCounterGroup::*)(BerCounterSet**);
  const SetGetter getters[] = {&BerCounterGroup::GetFer, &BerCounterGroup::GetClass1a,
                               &BerCounterGroup::GetClass1b, &BerCounterGroup::GetClass2};
  Record record{};
  for (size_t set = 0; set < 4; ++set) {
    BerMeasurementPtr measurement;
    BerCounterGroupPtr group;
    BerCounterSetPtr counters;
    testSet->GetBerMeasurement(&measurement);
    measurement->GetCounters(&group);
    (group->*getters[set])(&counters);
    counters->GetSamples(&record[set * 3]);
    counters->GetEvents(&record[set * 3 + 1]);
    counters->GetLastFn(&record[set * 3 + 2]);
  }
  return record;
}

Record RunFor(TestSetApi* testSet, LONG milliseconds) {
  testSet->StartBer(0, 1);
  testSet->WaitTime(milliseconds);
  return ReadRecord(testSet);
}

using BerModelTest = SimulatorTest;

TEST_F(BerModelTest, ErrorRatesFollowTheSettingsAndErasedFramesCarryNoBits) {
  const struct {
    const char* setting;
    LONG value;
    size_t set;       // 0 FER .. 3 class 2
    double expected;  // events / samples
  } cases[] = {{sim::value::kFerPermille, 50, 0, 0.05},
               {sim::value::kFerPermille, 1000, 0, 1.0},
               {sim::value::kC2BerPpm, 30000, 3, 0.03}};
  for (const auto& c : cases) {
    TestSetSim_Reset();
    TestSetSim_SetValue(c.setting, c.value);
    const Record record = RunFor(testSet_, 400000);  // 20000 frames
    EXPECT_EQ(record[0], 20000) << c.setting;
    const double rate = static_cast<double>(record[c.set * 3 + 1]) / record[c.set * 3];
    EXPECT_NEAR(rate, c.expected, c.expected * 0.1) << c.setting;
    const LONG kept = record[0] - record[1];
    EXPECT_EQ((std::vector<LONG>{record[3], record[6], record[9]}),
              (std::vector<LONG>{kept * 50, kept * 132, kept * 78}))
        << c.setting;
  }
}

}  // namespace
}  // namespace geran::test
