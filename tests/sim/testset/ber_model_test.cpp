// The BER model seen through the object chain a client walks: counts, randomness, test controls.
#include "sim_test.h"

#include <array>

namespace geran::test {
namespace {

using Record = std::array<LONG, 12>;  // samples, events, lastfn of FER, class 1a, 1b, 2

enum Value { kSamples, kEvents, kLastFn };

// The group's getters of the four sets, in record order.
using SetGetter = HRESULT (STDMETHODCALLTYPE BerCounterGroup::*)(BerCounterSet**);
const SetGetter kSetGetters[] = {&BerCounterGroup::GetFer, &BerCounterGroup::GetClass1a,
                                 &BerCounterGroup::GetClass1b, &BerCounterGroup::GetClass2};

LONG ReadValue(BerCounterSet* set, Value value) {
  LONG result = -1;
  const HRESULT hr = value == kSamples  ? set->GetSamples(&result)
                     : value == kEvents ? set->GetEvents(&result)
                                        : set->GetLastFn(&result);
  EXPECT_EQ(Hex(hr), Hex(S_OK));
  return result;
}

BerCounterSetPtr CounterSetOf(TestSetApi* testSet, int index) {
  BerMeasurementPtr measurement;
  BerCounterGroupPtr group;
  BerCounterSetPtr set;
  EXPECT_EQ(Hex(testSet->GetBerMeasurement(&measurement)), Hex(S_OK));
  EXPECT_EQ(Hex(measurement->GetCounters(&group)), Hex(S_OK));
  EXPECT_EQ(Hex((group->*kSetGetters[index])(&set)), Hex(S_OK));
  return set;
}

Record ReadRecord(TestSetApi* testSet) {
  Record record{};
  for (int set = 0; set < 4; ++set) {
    const BerCounterSetPtr counters = CounterSetOf(testSet, set);
    for (Value value : {kSamples, kEvents, kLastFn})
      record[static_cast<size_t>(set * 3 + value)] = ReadValue(counters, value);
  }
  return record;
}

Record RunFor(TestSetApi* testSet, LONG milliseconds) {
  testSet->StartBer(0, 1);
  testSet->WaitTime(milliseconds);
  return ReadRecord(testSet);
}

// The samples and events of a record, without the frame numbers.
std::vector<LONG> Counts(const Record& record) {
  std::vector<LONG> counts;
  for (size_t index = 0; index < record.size(); ++index)
    if (index % 3 != kLastFn) counts.push_back(record[index]);
  return counts;
}

void NoErrors() {
  TestSetSim_SetValue("FerPermille", 0);
  TestSetSim_SetValue("C1bBerPpm", 0);
  TestSetSim_SetValue("C2BerPpm", 0);
}

using BerModelTest = SimulatorTest;

TEST_F(BerModelTest, ErrorFreeFramesCountEveryClassBit) {
  NoErrors();
  // 2 s = 100 speech frames of 50 + 132 + 78 bits; the TDMA clock (4.615 ms frames) is then at 433.
  EXPECT_EQ(RunFor(testSet_, 2000), (Record{100, 0, 433, 5000, 0, 433, 13200, 0, 433, 7800, 0, 433}));
}

TEST_F(BerModelTest, FramesCountOnlyWhileARunIsOn) {
  NoErrors();
  testSet_->WaitTime(1000);
  testSet_->StartBer(0, 1);
  EXPECT_EQ(ReadRecord(testSet_)[0], 0) << "time before StartBer";
  testSet_->WaitTime(30);
  testSet_->WaitTime(30);
  EXPECT_EQ(ReadRecord(testSet_)[0], 3) << "partial frames carry over";
  testSet_->StopBer(1);
  testSet_->WaitTime(1000);
  EXPECT_EQ(ReadRecord(testSet_)[0], 3) << "time after StopBer";
  testSet_->StartBer(0, 1);
  EXPECT_EQ(ReadRecord(testSet_)[0], 0) << "a new run starts from zero";
}

TEST_F(BerModelTest, SameSeedSameRunOtherSeedOtherRun) {
  TestSetSim_SetValue("FerPermille", 100);
  TestSetSim_SetValue("BerSeed", 7);
  const Record first = RunFor(testSet_, 20000);
  const Record again = RunFor(testSet_, 20000);
  TestSetSim_SetValue("BerSeed", 8);
  const Record other = RunFor(testSet_, 20000);
  EXPECT_EQ(first[0], 1000);
  EXPECT_EQ(Counts(again), Counts(first));
  EXPECT_NE(Counts(other), Counts(first));
  EXPECT_EQ(again[2] - first[2], 4333) << "the TDMA clock runs on between runs";
}

struct RateCase {
  const char* setting;
  LONG value;
  size_t events;  // index in the record
  size_t samples;
  double expected;  // fraction
};

TEST_F(BerModelTest, ErrorRatesFollowTheSettingsOverManyFrames) {
  const std::vector<RateCase> cases = {
      {"FerPermille", 50, 1, 0, 0.05},
      {"C1bBerPpm", 10000, 7, 6, 0.01},
      {"C2BerPpm", 30000, 10, 9, 0.03},
  };
  for (const RateCase& test : cases) {
    TestSetSim_Reset();
    TestSetSim_SetValue(test.setting, test.value);
    const Record record = RunFor(testSet_, 400000);  // 20000 frames
    const double rate = static_cast<double>(record[test.events]) / record[test.samples];
    EXPECT_NEAR(rate, test.expected, test.expected * 0.1) << test.setting;
  }
}

TEST_F(BerModelTest, ErasedFramesCarryNoBits) {
  TestSetSim_SetValue("FerPermille", 1000);
  const Record record = RunFor(testSet_, 2000);
  EXPECT_EQ((std::vector<LONG>{record[0], record[1], record[3], record[6], record[9]}),
            (std::vector<LONG>{100, 100, 0, 0, 0}));
}

TEST_F(BerModelTest, FrozenSamplesStopGrowing) {
  testSet_->StartBer(0, 1);
  testSet_->WaitTime(2000);
  TestSetSim_SetValue("BerFreezeSamples", 1);
  testSet_->WaitTime(2000);
  EXPECT_EQ(ReadRecord(testSet_)[0], 100);
  TestSetSim_SetValue("BerFreezeSamples", 0);
  testSet_->WaitTime(2000);
  EXPECT_EQ(ReadRecord(testSet_)[0], 200);
}

TEST_F(BerModelTest, OverridesReplaceExactlyTheirCounter) {
  const char* sets[] = {"fer", "c1a", "c1b", "c2"};
  const char* values[] = {"samples", "events", "lastfn"};
  NoErrors();
  for (size_t index = 0; index < 12; ++index) {
    TestSetSim_Reset();
    NoErrors();
    const std::string name = std::string("Ber.") + sets[index / 3] + "." + values[index % 3];
    TestSetSim_SetValue(name.c_str(), -4242);
    Record expected{100, 0, 433, 5000, 0, 433, 13200, 0, 433, 7800, 0, 433};
    expected[index] = -4242;
    EXPECT_EQ(RunFor(testSet_, 2000), expected) << name;
  }
}

// Walks the chain to counter set `set` (0 FER .. 3 class 2); returns the journal name of the first
// getter that succeeded without handing out an object, "" when every step handed one out.
std::string FirstNullGetter(TestSetApi* testSet, int set) {
  const char* setGetters[] = {"BerCounterGroup.GetFer", "BerCounterGroup.GetClass1a",
                              "BerCounterGroup.GetClass1b", "BerCounterGroup.GetClass2"};
  BerMeasurementPtr measurement;
  EXPECT_EQ(Hex(testSet->GetBerMeasurement(&measurement)), Hex(S_OK));
  if (measurement == nullptr) return "GetBerMeasurement";
  BerCounterGroupPtr group;
  EXPECT_EQ(Hex(measurement->GetCounters(&group)), Hex(S_OK));
  if (group == nullptr) return "BerMeasurement.GetCounters";
  BerCounterSetPtr counters;
  EXPECT_EQ(Hex((group->*kSetGetters[set])(&counters)), Hex(S_OK));
  return counters == nullptr ? setGetters[set] : "";
}

TEST_F(BerModelTest, NullGetterHandsOutNothingAndSucceeds) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"GetBerMeasurement", 0},          {"BerMeasurement.GetCounters", 0}, {"BerCounterGroup.GetFer", 0},
      {"BerCounterGroup.GetClass1a", 1}, {"BerCounterGroup.GetClass1b", 2}, {"BerCounterGroup.GetClass2", 3},
  };
  for (const auto& [getter, set] : cases) {
    TestSetSim_Reset();
    TestSetSim_SetValue(("BerNullGetter." + getter).c_str(), 1);
    EXPECT_EQ(FirstNullGetter(testSet_, set), getter);
    EXPECT_EQ(FirstNullGetter(testSet_, set), getter) << "until cleared";
    if (set != 0) {
      EXPECT_EQ(FirstNullGetter(testSet_, 0), "") << "the other sets are still handed out";
    }
    TestSetSim_SetValue(("BerNullGetter." + getter).c_str(), 0);
    EXPECT_EQ(FirstNullGetter(testSet_, set), "");
  }
}

TEST_F(BerModelTest, EveryGetterHandsOutAFreshObjectThatTheCallerOwns) {
  BerMeasurementPtr first, second;
  testSet_->GetBerMeasurement(&first);
  testSet_->GetBerMeasurement(&second);
  EXPECT_NE(static_cast<BerMeasurement*>(first), static_cast<BerMeasurement*>(second));
  BerCounterGroupPtr group;
  first->GetCounters(&group);
  BerCounterSetPtr set;
  group->GetFer(&set);
  EXPECT_EQ(TestSetSim_LiveObjects(), 5);
  first = nullptr;
  second = nullptr;
  group = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 2) << "the counter set outlives its group";
}

TEST_F(BerModelTest, ChainIsJournaledCallByCall) {
  const BerCounterSetPtr set = CounterSetOf(testSet_, 2);
  ReadValue(set, kEvents);
  BSTR name = nullptr;
  set->GetName(&name);
  const _bstr_t owned(name, false);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"GetBerMeasurement()", "BerMeasurement.GetCounters()",
                                                 "BerCounterGroup.GetClass1b()", "BerCounterSet.GetEvents()",
                                                 "BerCounterSet.GetName()"}));
  EXPECT_STREQ(static_cast<const wchar_t*>(owned), L"Class 1b");
}

}  // namespace
}  // namespace geran::test
