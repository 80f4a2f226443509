// The recording layer around the simulator's own objects: every method journaled as the simulator
// journals it, the error information and the aux speech object passed through untouched.
#include "recorded_journal_file.h"
#include "sim_test.h"

#include <recording/recording.h>

namespace geran::test {
namespace {

// A simulator test set behind the recording layer, journaling to a temporary file.
class RecordingTest : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    DWORD error = ERROR_SUCCESS;
    journal_ = recording::CallJournal::Create(std::wstring(path_.begin(), path_.end()), error);
    ASSERT_TRUE(journal_) << "cannot create the journal, error " << error;
    recorded_ = recording::Recorded(testSet_, journal_);
  }
  void TearDown() override {
    recorded_ = nullptr;
    journal_ = nullptr;
    DeleteFileA(path_.c_str());
    SimulatorTest::TearDown();
  }

  std::vector<journal::RecordedCall> Recording() const { return RecordedJournal(path_); }

  const std::string path_ = TempPath("recording_test.journal");
  std::shared_ptr<recording::CallJournal> journal_;
  TestSetApiPtr recorded_;
};

TEST_F(RecordingTest, EveryMethodIsJournaledAsTheSimulatorJournalsIt) {
  TestSetApi* t = recorded_;
  short request = 0;
  LONG out = 0;
  double rate = 0;
  _bstr_t text;
  _variant_t integer = OfType(VT_INT);
  V_INT(&integer) = 5000;
  const std::function<HRESULT()> calls[] = {
      [&] { return t->ChangeTimingAdvance(1, 2); },
      [&] { return t->ChangeMSPower(-2147483647 - 1, 2147483647); },
      [&] { return t->ShowText(_variant_t(L"cell\tready \u00FC")); },
      [&] { return t->StartScript(); },
      [&] {
        return t->CipherMode(1, 2, 0, Bytes({0x12, 0xF0}), Bytes({}), 3, 1);
      },
      [&] { return t->ReleaseL2Link(0, 1, 2, 3); },
      [&] { return t->Reset(); },
      [&] {
        return t->SendMsg(1, 0, 3, Bytes({6, 53, 1}), 0);
      },
      [&] { return t->DisableTrafficMultiframe(1); },
      [&] {
        return t->EnableTrafficMultiframe(-60.5f, 0.1f, 1, 1, Bytes({20}), 3, 4, 5, 6, 7, 8, 9, 10, 11, 12);
      },
      [&] { return t->VoiceLoop(1, 0, 1); },
      [&] { return t->DisableVoiceSend(1); },
      [&] {
        return t->EnableVoiceSend(1, 3, Bytes({0, 255, 44}), 2);
      },
      [&] {
        return t->WaitMsg(1, 0, 5000, Bytes({6, 50}));
      },
      [&] { return t->put_KeywordTimeout(30); },
      [&] { return t->SendPagingReq(0, 2, 1, Bytes({9}), 0); },
      [&] { return t->SendSIMsg(3, 0, OfType(VT_I4)); },
      [&] { return t->WaitAccessBurst(0, integer, 0); },
      [&] { return t->GetchannelRequestMsg(&request); },
      [&] { return t->GetAccessBurst(&out); },
      [&] { return t->ShiftRight(1, 2, &out); },
      [&] { return t->ShiftLeft(3, 4, &out); },
      [&] { return t->WaitTime(2000); },
      [&] { return t->SelectRadioSystem(1); },
      [&] { return t->ConfigCch(1, -60.5f, -50.0f, 0, 1, Bytes({20}), 11, 12, 13, 14, 0, 3, 1); },
      [&] { return t->DisableCch(0); },
      [&] { return t->QueryFrameNumber(&out); },
      [&] { return t->put_LogFileName(_bstr_t(L"C:\\demo.log")); },
      [&] { return t->put_LogFileName(nullptr); },
      [&] { return t->get_LogFileName(text.GetAddress()); },
      [&] { return t->StartBer(0, 1); },
      [&] {
        BerMeasurementPtr measurement;
        BerCounterGroupPtr group;
        BerCounterSetPtr set;
        t->GetBerMeasurement(&measurement);
        measurement->GetCounters(&group);
        for (auto getter : {&BerCounterGroup::GetFer, &BerCounterGroup::GetClass1a,
                            &BerCounterGroup::GetClass1b, &BerCounterGroup::GetClass2})
          (group.GetInterfacePtr()->*getter)(&set);
        set->GetSamples(&out);
        set->GetName(text.GetAddress());
        set->GetEvents(&out);
        set->GetErrorRate(&rate);
        return set->GetLastFn(&out);
      },
      [&] { return t->StopBer(1); },
      [&] { return t->ChangeTxPower(-85.5f, 1); },
      [&] { return t->AttachAuxSpeech(nullptr, 1); },
  };
  for (const auto& call : calls) {
    const size_t before = Journal().size();
    EXPECT_EQ(Hex(call()), Hex(S_OK));
    EXPECT_EQ(RecordedCalls(path_, before), Journal(before))
        << "recorded when the call returned, as the simulator saw it";
  }
  const std::vector<journal::RecordedCall> recording = Recording();
  ASSERT_EQ(recording.size(), Journal().size());
  for (const journal::RecordedCall& call : recording) EXPECT_EQ(call.outcome, "0x00000000") << call.call;
  EXPECT_EQ(recording[2].call, "ShowText(\"cell\tready \xC3\xBC\")");
}

// The failure report after a recorded call must read the same error object as without the layer.
TEST_F(RecordingTest, ErrorInformationPassesThroughAndItsDescriptionIsRecorded) {
  // Each call on the recorded test set unless it names another object and interface.
  const struct {
    const char* method;
    HRESULT hr;
    const wchar_t* description;
    std::function<HRESULT(IUnknown*& object, IID& iid)> call;
    const char* outcome;
  } cases[] = {
      {sim::method::kStartScript, S_FALSE, L"not a failure",
       [&](IUnknown*&, IID&) { return recorded_->StartScript(); }, "0x00000001"},
      {sim::method::kBerMeasurementGetCounters, E_OUTOFMEMORY, L"no counters",
       [&, measurement = BerMeasurementPtr()](IUnknown*& object, IID& iid) mutable {
         recorded_->GetBerMeasurement(&measurement);
         object = measurement;
         iid = IID_BerMeasurement;
         BerCounterGroupPtr group;
         return measurement->GetCounters(&group);
       },
       "0x8007000E\t\"no counters\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    TestSetSim_FailMethod(c.method, c.hr, c.description, 1);
    IUnknown* object = recorded_;
    IID iid = IID_TestSetApi;
    EXPECT_EQ(Hex(c.call(object, iid)), Hex(c.hr));
    EXPECT_EQ(Recording().back().outcome, c.outcome);
    // What the library's failure path asks, on the interface it called.
    ISupportErrorInfoPtr support;
    ASSERT_EQ(Hex(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))),
              Hex(S_OK));
    EXPECT_EQ(Hex(support->InterfaceSupportsErrorInfo(iid)), Hex(S_OK));
    EXPECT_EQ(Hex(support->InterfaceSupportsErrorInfo(IID_AuxSpeech)), Hex(S_FALSE));
    IErrorInfoPtr info;
    const HRESULT found = GetErrorInfo(0, &info);
    if (SUCCEEDED(c.hr)) {
      SetErrorInfo(0, nullptr);  // a success leaves the error object unread, as the library does
      continue;
    }
    ASSERT_EQ(Hex(found), Hex(S_OK));
    _bstr_t description;
    info->GetDescription(description.GetAddress());
    EXPECT_STREQ(static_cast<const wchar_t*>(description), c.description);
  }
}

TEST_F(RecordingTest, TheTestSetGetsTheAuxSpeechObjectItselfUnderTheSimulatorsNumber) {
  AuxSpeechPtr first(CLSID_AuxSpeechObject), second(CLSID_AuxSpeechObject), unrecorded(CLSID_AuxSpeechObject);
  AuxSpeechPtr recordedFirst = recording::Recorded(first, journal_);
  AuxSpeechPtr recordedSecond = recording::Recorded(second, journal_);
  first = second = nullptr;  // the stand-ins hold them now
  EXPECT_EQ(Hex(recordedFirst->Start(7, VARIANT_TRUE)), Hex(S_OK));
  EXPECT_EQ(Hex(recordedSecond->Start(1, VARIANT_FALSE)), Hex(S_OK));
  EXPECT_EQ(Hex(recorded_->AttachAuxSpeech(recordedSecond, 3)), Hex(S_OK));
  EXPECT_EQ(Hex(recorded_->AttachAuxSpeech(unrecorded, 4)), Hex(S_OK));
  const std::vector<std::string> expected = {
      "AuxSpeech.Start(AuxSpeech#1, 7, -1)", "AuxSpeech.Start(AuxSpeech#2, 1, 0)",
      "AttachAuxSpeech(AuxSpeech#2, 3)", "AttachAuxSpeech(AuxSpeech#3, 4)"};
  EXPECT_EQ(Journal(), expected);
  std::vector<std::string> recordedExpected = expected;
  recordedExpected.back() = "AttachAuxSpeech(AuxSpeech#?, 4)";  // an object the layer did not see made
  EXPECT_EQ(RecordedCalls(path_), recordedExpected);
  EXPECT_EQ(Hex(recorded_->AttachAuxSpeech(recordedFirst, 5)), Hex(S_OK));
  recordedFirst = recordedSecond = unrecorded = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 2) << "the test set and the object it keeps";
}

TEST_F(RecordingTest, StandInsKeepCountsAndIdentity) {
  IUnknownPtr unknown;
  ASSERT_EQ(Hex(recorded_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))), Hex(S_OK));
  EXPECT_EQ(unknown.GetInterfacePtr(), static_cast<IUnknown*>(recorded_.GetInterfacePtr()));
  IUnknownPtr other;
  EXPECT_EQ(Hex(recorded_->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other))),
            Hex(E_NOINTERFACE));
  UINT count = 0;
  EXPECT_EQ(Hex(recorded_->GetTypeInfoCount(&count)), Hex(S_OK));
  EXPECT_EQ(count, 1u);
  TestSetSim_SetValue(sim::value::kBerNullGetterGetBerMeasurement, 1);
  BerMeasurementPtr measurement;
  EXPECT_EQ(Hex(recorded_->GetBerMeasurement(&measurement)), Hex(S_OK));
  EXPECT_FALSE(measurement) << "no object to stand in for";
  TestSetSim_SetValue(sim::value::kBerNullGetterGetBerMeasurement, 0);
  EXPECT_EQ(Hex(recorded_->GetBerMeasurement(&measurement)), Hex(S_OK));
  EXPECT_EQ(TestSetSim_LiveObjects(), 2);
  measurement = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "releasing the stand-in releases the measurement";
  testSet_ = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "the stand-in holds the test set";
}

}  // namespace
}  // namespace geran::test
