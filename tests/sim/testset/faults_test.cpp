// Injected faults: how many calls they hit and the error information the caller finds. (Where a
// fault starts and failed creation are pinned by the product suites that use them.)
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

TEST_F(FaultsTest, DescriptionBecomesTheCallersErrorInfo) {
  AuxSpeechPtr speech(CLSID_AuxSpeechObject);
  ICreateErrorInfoPtr stale;
  ASSERT_EQ(Hex(CreateErrorInfo(&stale)), Hex(S_OK));
  const struct {
    const char* method;
    const wchar_t* description;  // nullptr: no error information, a stale one cleared
    const IID& iid;
    std::function<HRESULT()> call;
  } cases[] = {
      {sim::method::kDisableCch, L"channel not configured", IID_TestSetApi,
       [&] { return testSet_->DisableCch(1); }},
      {sim::method::kDisableCch, nullptr, IID_TestSetApi, [&] { return testSet_->DisableCch(1); }},
      {sim::method::kAuxSpeechStart, L"no speech codec", IID_AuxSpeech,
       [&] { return speech->Start(1, VARIANT_TRUE); }},
  };
  for (const auto& c : cases) {
    SetErrorInfo(0, IErrorInfoPtr(stale));
    TestSetSim_FailMethod(c.method, 0x80040201, c.description, 1);
    EXPECT_EQ(Hex(c.call()), Hex(0x80040201)) << c.method;
    IErrorInfo* raw = nullptr;
    EXPECT_EQ(Hex(GetErrorInfo(0, &raw)), Hex(c.description ? S_OK : S_FALSE)) << c.method;
    if (raw == nullptr) continue;
    const IErrorInfoPtr info(raw, false);
    _bstr_t description;
    GUID guid{};
    info->GetDescription(description.GetAddress());
    info->GetGUID(&guid);
    EXPECT_STREQ(static_cast<const wchar_t*>(description), c.description);
    EXPECT_TRUE(IsEqualGUID(guid, c.iid)) << c.method;
  }
  EXPECT_EQ(Hex(ISupportErrorInfoPtr(testSet_)->InterfaceSupportsErrorInfo(IID_TestSetApi)), Hex(S_OK));
  EXPECT_EQ(Hex(ISupportErrorInfoPtr(speech)->InterfaceSupportsErrorInfo(IID_AuxSpeech)), Hex(S_OK));
  EXPECT_EQ(Hex(ISupportErrorInfoPtr(speech)->InterfaceSupportsErrorInfo(IID_TestSetApi)), Hex(S_FALSE));
}

}  // namespace
}  // namespace geran::test
