// Injected faults: how many calls they hit, the error information the caller finds, failed creation.
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

// FailCall counts a method's calls from the moment it is armed: the earlier ones pass.
TEST_F(FaultsTest, FailCallFailsFromTheNthCallOn) {
  const struct {
    int call;
    int times;
    std::vector<HRESULT> results;  // of consecutive StartScript calls after arming
  } cases[] = {
      {1, 1, {E_FAIL, S_OK, S_OK}},
      {3, 1, {S_OK, S_OK, E_FAIL, S_OK}},
      {2, 2, {S_OK, E_FAIL, E_FAIL, S_OK}},
      {2, 0, {S_OK, E_FAIL, E_FAIL, E_FAIL}},
      {0, 1, {E_FAIL, S_OK}},
      {-4, 1, {E_FAIL, S_OK}},
  };
  for (const auto& c : cases) {
    TestSetSim_Reset();
    EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK)) << "calls before arming do not count";
    TestSetSim_FailCall(sim::method::kStartScript, c.call, E_FAIL, nullptr, c.times);
    for (size_t call = 0; call < c.results.size(); ++call)
      EXPECT_EQ(Hex(testSet_->StartScript()), Hex(c.results[call]))
          << "call " << c.call << ", times " << c.times << ", call made " << call + 1;
  }
  TestSetSim_FailCall(sim::method::kStartScript, 2, E_FAIL, nullptr, 1);
  TestSetSim_FailMethod(sim::method::kStartScript, E_ABORT, nullptr, 1);
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(E_ABORT)) << "arming again replaces the fault";
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK));
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

// Creation in the three steps a client takes (IUnknown, OleRun, the class's interface), as HRESULTs.
std::string CreateLikeAClient(REFCLSID clsid, REFIID iid) {
  IUnknownPtr unknown, object;
  const HRESULT create = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, (void**)&unknown);
  if (FAILED(create)) return Hex(create);
  const std::string run = Hex(OleRun(unknown));
  return Hex(create) + " " + run + " " + Hex(unknown->QueryInterface(iid, (void**)&object));
}

TEST_F(FaultsTest, CreationFaultsFailTheirStepOnce) {
  const struct {
    const char* fault;
    HRESULT hr;
    const CLSID& clsid;
    const IID& iid;
    const char* first;  // the steps of the first creation; the second must succeed
  } cases[] = {
      {sim::method::kCreateInstance, E_OUTOFMEMORY, CLSID_TestSetObject, IID_TestSetApi, "0x8007000E"},
      {sim::method::kQueryInterface, E_NOINTERFACE, CLSID_TestSetObject, IID_TestSetApi,
       "0x00000000 0x00000000 0x80004002"},
      {sim::method::kAuxSpeechCreateInstance, E_OUTOFMEMORY, CLSID_AuxSpeechObject, IID_AuxSpeech,
       "0x8007000E"},
      {sim::method::kAuxSpeechQueryInterface, E_FAIL, CLSID_AuxSpeechObject, IID_AuxSpeech,
       "0x00000000 0x00000000 0x80004005"},
  };
  for (const auto& c : cases) {
    TestSetSim_FailMethod(c.fault, c.hr, nullptr, 1);
    EXPECT_EQ(CreateLikeAClient(c.clsid, c.iid), c.first) << c.fault;
    EXPECT_EQ(CreateLikeAClient(c.clsid, c.iid), "0x00000000 0x00000000 0x00000000") << c.fault;
    EXPECT_EQ(TestSetSim_LiveObjects(), 1) << c.fault << ": only the fixture's test set is left";
  }
  EXPECT_EQ(TestSetSim_JournalCount(), 0) << "creation is not journaled";
}

}  // namespace
}  // namespace geran::test
