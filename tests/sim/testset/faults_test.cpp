// Injected faults: how many calls they hit, what error information the caller finds, what they leave.
#include "sim_test.h"

namespace geran::test {
namespace {

using FaultsTest = SimulatorTest;

struct CountCase {
  int times;
  std::vector<HRESULT> results;  // of consecutive StartScript calls
};

TEST_F(FaultsTest, TimesCountsTheFailingCalls) {
  const std::vector<CountCase> cases = {
      {1, {E_FAIL, S_OK, S_OK}},
      {2, {E_FAIL, E_FAIL, S_OK}},
      {0, {E_FAIL, E_FAIL, E_FAIL, E_FAIL}},
      {-3, {E_FAIL, E_FAIL, E_FAIL, E_FAIL}},
  };
  for (const CountCase& test : cases) {
    TestSetSim_Reset();
    TestSetSim_FailMethod("StartScript", E_FAIL, nullptr, test.times);
    for (size_t call = 0; call < test.results.size(); ++call)
      EXPECT_EQ(Hex(testSet_->StartScript()), Hex(test.results[call]))
          << "times " << test.times << ", call " << call;
    EXPECT_EQ(TestSetSim_JournalCount(), static_cast<int>(test.results.size()));
  }
}

TEST_F(FaultsTest, HresultZeroClearsAndRearmingReplaces) {
  TestSetSim_FailMethod("StartScript", E_FAIL, nullptr, 0);
  TestSetSim_FailMethod("StartScript", 0, nullptr, 0);
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK));
  TestSetSim_FailMethod("StartScript", E_FAIL, nullptr, 0);
  TestSetSim_FailMethod("StartScript", E_ACCESSDENIED, nullptr, 1);
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(E_ACCESSDENIED));
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK));
}

TEST_F(FaultsTest, OnlyTheNamedMethodFails) {
  TestSetSim_FailMethod("ShiftLeft", E_FAIL, nullptr, 0);
  LONG answer = 0;
  EXPECT_EQ(Hex(testSet_->ShiftRight(1, 1, &answer)), Hex(S_OK));
  EXPECT_EQ(Hex(testSet_->ShiftLeft(1, 1, &answer)), Hex(E_FAIL));
}

TEST_F(FaultsTest, DescriptionReachesTheCallersErrorInfo) {
  TestSetSim_FailMethod("DisableCch", 0x80040201, L"channel not configured", 1);
  EXPECT_EQ(Hex(testSet_->DisableCch(1)), Hex(0x80040201));
  IErrorInfo* raw = nullptr;
  ASSERT_EQ(Hex(GetErrorInfo(0, &raw)), Hex(S_OK));
  const IErrorInfoPtr info(raw, false);
  _bstr_t description;
  info->GetDescription(description.GetAddress());
  EXPECT_STREQ(static_cast<const wchar_t*>(description), L"channel not configured");
  GUID guid{};
  info->GetGUID(&guid);
  EXPECT_TRUE(IsEqualGUID(guid, IID_TestSetApi));
  ISupportErrorInfoPtr support(testSet_);
  ASSERT_NE(support, nullptr);
  EXPECT_EQ(Hex(support->InterfaceSupportsErrorInfo(IID_TestSetApi)), Hex(S_OK));
  EXPECT_EQ(Hex(support->InterfaceSupportsErrorInfo(IID_AuxSpeech)), Hex(S_FALSE));
}

TEST_F(FaultsTest, WithoutDescriptionAStaleErrorObjectIsCleared) {
  ICreateErrorInfoPtr stale;
  ASSERT_EQ(Hex(CreateErrorInfo(&stale)), Hex(S_OK));
  SetErrorInfo(0, IErrorInfoPtr(stale));
  TestSetSim_FailMethod("DisableCch", E_FAIL, nullptr, 1);
  EXPECT_EQ(Hex(testSet_->DisableCch(1)), Hex(E_FAIL));
  IErrorInfo* raw = nullptr;
  EXPECT_EQ(Hex(GetErrorInfo(0, &raw)), Hex(S_FALSE));
  EXPECT_EQ(raw, nullptr);
}

TEST_F(FaultsTest, SuccessCodeIsReturnedAndOutputsAreLeftAlone) {
  TestSetSim_SetValue("AccessBurst", 77);
  TestSetSim_FailMethod("Reset", S_FALSE, nullptr, 1);
  TestSetSim_FailMethod("GetAccessBurst", E_FAIL, nullptr, 1);
  EXPECT_EQ(Hex(testSet_->Reset()), Hex(S_FALSE));
  LONG burst = -9;
  EXPECT_EQ(Hex(testSet_->GetAccessBurst(&burst)), Hex(E_FAIL));
  EXPECT_EQ(burst, -9);
  EXPECT_EQ(Hex(testSet_->GetAccessBurst(&burst)), Hex(S_OK));
  EXPECT_EQ(burst, 77);
}

TEST_F(FaultsTest, MethodsOfOtherInterfacesByQualifiedName) {
  BerMeasurementPtr measurement;
  ASSERT_EQ(Hex(testSet_->GetBerMeasurement(&measurement)), Hex(S_OK));
  BerCounterGroupPtr group;
  ASSERT_EQ(Hex(measurement->GetCounters(&group)), Hex(S_OK));
  BerCounterSetPtr fer;
  ASSERT_EQ(Hex(group->GetFer(&fer)), Hex(S_OK));
  TestSetSim_FailMethod("BerCounterSet.GetEvents", E_UNEXPECTED, L"counter busy", 1);
  LONG events = 0;
  EXPECT_EQ(Hex(fer->GetSamples(&events)), Hex(S_OK));
  EXPECT_EQ(Hex(fer->GetEvents(&events)), Hex(E_UNEXPECTED));
  IErrorInfo* raw = nullptr;
  ASSERT_EQ(Hex(GetErrorInfo(0, &raw)), Hex(S_OK));
  GUID guid{};
  IErrorInfoPtr(raw, false)->GetGUID(&guid);
  EXPECT_TRUE(IsEqualGUID(guid, IID_BerCounterSet));
  EXPECT_EQ(Hex(ISupportErrorInfoPtr(fer)->InterfaceSupportsErrorInfo(IID_BerCounterSet)), Hex(S_OK));
  EXPECT_EQ(Journal().back(), "BerCounterSet.GetEvents()");
}

}  // namespace
}  // namespace geran::test
