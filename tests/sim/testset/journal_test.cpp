// The journal: one exact line per call, with every kind of argument formatted as documented.
#include "sim_test.h"

#include <climits>
#include <functional>

namespace geran::test {
namespace {

struct JournalCase {
  const char* expected;
  std::function<HRESULT(TestSetApi*)> call;
};

_variant_t IntVariant(int value) {
  _variant_t variant = OfType(VT_INT);
  V_INT(&variant) = value;
  return variant;
}

void ExpectJournaled(TestSetApi* testSet, const std::vector<JournalCase>& cases) {
  for (const JournalCase& test : cases) {
    TestSetSim_Reset();
    EXPECT_EQ(Hex(test.call(testSet)), Hex(S_OK)) << test.expected;
    EXPECT_EQ(Journal(), std::vector<std::string>{test.expected});
  }
}

using JournalTest = SimulatorTest;

TEST_F(JournalTest, EveryTestSetMethodUnderItsOwnName) {
  short request = 0;
  LONG out = 0;
  _bstr_t name;
  BerMeasurementPtr measurement;
  const _variant_t b = Bytes({1});
  ExpectJournaled(
      testSet_,
      {
          {"ChangeTimingAdvance(1, 2)", [](TestSetApi* t) { return t->ChangeTimingAdvance(1, 2); }},
          {"ChangeMSPower(3, 4)", [](TestSetApi* t) { return t->ChangeMSPower(3, 4); }},
          {"ShowText(\"hi\")", [](TestSetApi* t) { return t->ShowText(_variant_t(L"hi")); }},
          {"StartScript()", [](TestSetApi* t) { return t->StartScript(); }},
          {"CipherMode(1, 2, 3, [1], [1], 4, 5)",
           [&](TestSetApi* t) { return t->CipherMode(1, 2, 3, b, b, 4, 5); }},
          {"ReleaseL2Link(1, 2, 3, 4)", [](TestSetApi* t) { return t->ReleaseL2Link(1, 2, 3, 4); }},
          {"Reset()", [](TestSetApi* t) { return t->Reset(); }},
          {"SendMsg(1, 2, 1, [1], 3)", [&](TestSetApi* t) { return t->SendMsg(1, 2, 1, b, 3); }},
          {"DisableTrafficMultiframe(6)", [](TestSetApi* t) { return t->DisableTrafficMultiframe(6); }},
          {"EnableTrafficMultiframe(-1.5, 2.25, 1, 1, [1], 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)",
           [&](TestSetApi* t) {
             return t->EnableTrafficMultiframe(-1.5f, 2.25f, 1, 1, b, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12);
           }},
          {"VoiceLoop(1, 2, 3)", [](TestSetApi* t) { return t->VoiceLoop(1, 2, 3); }},
          {"DisableVoiceSend(7)", [](TestSetApi* t) { return t->DisableVoiceSend(7); }},
          {"EnableVoiceSend(1, 1, [1], 2)", [&](TestSetApi* t) { return t->EnableVoiceSend(1, 1, b, 2); }},
          {"WaitMsg(1, 2, 3, [1])", [&](TestSetApi* t) { return t->WaitMsg(1, 2, 3, b); }},
          {"put_KeywordTimeout(30)", [](TestSetApi* t) { return t->put_KeywordTimeout(30); }},
          {"SendPagingReq(1, 2, 1, [1], 3)", [&](TestSetApi* t) { return t->SendPagingReq(1, 2, 1, b, 3); }},
          {"SendSIMsg(2, 1, [1])", [&](TestSetApi* t) { return t->SendSIMsg(2, 1, b); }},
          {"WaitAccessBurst(1, int:5, 0)",
           [](TestSetApi* t) { return t->WaitAccessBurst(1, IntVariant(5), 0); }},
          {"GetchannelRequestMsg()", [&](TestSetApi* t) { return t->GetchannelRequestMsg(&request); }},
          {"GetAccessBurst()", [&](TestSetApi* t) { return t->GetAccessBurst(&out); }},
          {"ShiftRight(1, 2)", [&](TestSetApi* t) { return t->ShiftRight(1, 2, &out); }},
          {"ShiftLeft(3, 4)", [&](TestSetApi* t) { return t->ShiftLeft(3, 4, &out); }},
          {"WaitTime(2000)", [](TestSetApi* t) { return t->WaitTime(2000); }},
          {"SelectRadioSystem(2)", [](TestSetApi* t) { return t->SelectRadioSystem(2); }},
          {"ConfigCch(1, -60.5, -50, 0, 1, [20], 11, 12, 13, 14, 0, 3, 1)",
           [](TestSetApi* t) {
             return t->ConfigCch(1, -60.5f, -50.0f, 0, 1, Bytes({20}), 11, 12, 13, 14, 0, 3, 1);
           }},
          {"DisableCch(9)", [](TestSetApi* t) { return t->DisableCch(9); }},
          {"QueryFrameNumber()", [&](TestSetApi* t) { return t->QueryFrameNumber(&out); }},
          {"get_LogFileName()", [&](TestSetApi* t) { return t->get_LogFileName(name.GetAddress()); }},
          {"put_LogFileName(\"log\")", [](TestSetApi* t) { return t->put_LogFileName(_bstr_t(L"log")); }},
          {"StartBer(0, 5)", [](TestSetApi* t) { return t->StartBer(0, 5); }},
          {"StopBer(5)", [](TestSetApi* t) { return t->StopBer(5); }},
          {"GetBerMeasurement()", [&](TestSetApi* t) { return t->GetBerMeasurement(&measurement); }},
          {"ChangeTxPower(-10, 2)", [](TestSetApi* t) { return t->ChangeTxPower(-10.0f, 2); }},
          {"AttachAuxSpeech(null, 1)", [](TestSetApi* t) { return t->AttachAuxSpeech(nullptr, 1); }},
      });
}

TEST_F(JournalTest, ArgumentFormats) {
  ExpectJournaled(
      testSet_,
      {
          {"ChangeMSPower(-2147483648, 2147483647)",
           [](TestSetApi* t) { return t->ChangeMSPower(INT_MIN, INT_MAX); }},
          {"ChangeTxPower(0.100000001, 0)", [](TestSetApi* t) { return t->ChangeTxPower(0.1f, 0); }},
          {"ChangeTxPower(1.00000001e-10, 0)", [](TestSetApi* t) { return t->ChangeTxPower(1e-10f, 0); }},
          {"ChangeTxPower(16777216, 0)", [](TestSetApi* t) { return t->ChangeTxPower(16777216.0f, 0); }},
          {"put_LogFileName(\"C:\\log \xC3\xBC.txt\")",
           [](TestSetApi* t) { return t->put_LogFileName(_bstr_t(L"C:\\log \u00FC.txt")); }},
          {"put_LogFileName(\"\")", [](TestSetApi* t) { return t->put_LogFileName(_bstr_t(L"")); }},
          {"put_LogFileName(null)", [](TestSetApi* t) { return t->put_LogFileName(nullptr); }},
          {"SendSIMsg(1, 3, [0,255,44])",
           [](TestSetApi* t) {
             return t->SendSIMsg(1, 3, Bytes({0, 255, 44}));
           }},
          {"SendSIMsg(1, 0, [])", [](TestSetApi* t) { return t->SendSIMsg(1, 0, Bytes({})); }},
          {"ShowText(\"two words\")", [](TestSetApi* t) { return t->ShowText(_variant_t(L"two words")); }},
          {"WaitAccessBurst(0, int:-7, 0)",
           [](TestSetApi* t) { return t->WaitAccessBurst(0, IntVariant(-7), 0); }},
          {"ShowText(vt:0x0003)", [](TestSetApi* t) { return t->ShowText(_variant_t(5L)); }},
          {"ShowText(vt:0x0000)", [](TestSetApi* t) { return t->ShowText(OfType(VT_EMPTY)); }},
          {"ShowText(vt:0x2003)", [](TestSetApi* t) { return t->ShowText(OfType(VT_ARRAY | VT_I4)); }},
      });
}

TEST_F(JournalTest, FailingCallsAreJournaledToo) {
  TestSetSim_FailMethod("VoiceLoop", E_FAIL, nullptr, 0);
  EXPECT_EQ(Hex(testSet_->VoiceLoop(1, 2, 3)), Hex(E_FAIL));
  EXPECT_EQ(Journal(), std::vector<std::string>{"VoiceLoop(1, 2, 3)"});
}

TEST_F(JournalTest, EntryIsCutToTheBufferAndReportsItsFullLength) {
  testSet_->DisableCch(12345);
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(TestSetSim_JournalEntry(0, buffer, 5), 17);
  EXPECT_STREQ(buffer, "Disa");
  EXPECT_EQ(TestSetSim_JournalEntry(0, nullptr, 0), 17);
  EXPECT_EQ(TestSetSim_JournalEntry(1, buffer, 8), -1);
  EXPECT_EQ(TestSetSim_JournalEntry(-1, buffer, 8), -1);
}

TEST_F(JournalTest, SwitchedOffRecordsNothing) {
  TestSetSim_SetValue("Journal", 0);
  testSet_->StartScript();
  EXPECT_EQ(TestSetSim_JournalCount(), 0);
  TestSetSim_SetValue("Journal", 1);
  testSet_->StartScript();
  EXPECT_EQ(Journal(), std::vector<std::string>{"StartScript()"});
}

}  // namespace
}  // namespace geran::test
