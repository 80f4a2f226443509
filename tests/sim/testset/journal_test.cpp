// The journal: one exact line per call, one row per kind of argument and of method name.
#include "sim_test.h"

#include <climits>

namespace geran::test {
namespace {

using JournalTest = SimulatorTest;

TEST_F(JournalTest, EachArgumentKindAndMethodName) {
  AuxSpeechPtr first, second;
  ASSERT_EQ(Hex(first.CreateInstance(CLSID_AuxSpeechObject)), Hex(S_OK));
  ASSERT_EQ(Hex(second.CreateInstance(CLSID_AuxSpeechObject)), Hex(S_OK));
  _variant_t intVariant = OfType(VT_INT);
  V_INT(&intVariant) = -7;
  LONG out = 0;
  _bstr_t name;
  const struct {
    const char* expected;  // the lines the call adds, joined by '\n'
    std::function<HRESULT()> call;
  } cases[] = {
      {"ChangeMSPower(-2147483648, 2147483647)", [&] { return testSet_->ChangeMSPower(INT_MIN, INT_MAX); }},
      {"ChangeTxPower(0.100000001, 0)", [&] { return testSet_->ChangeTxPower(0.1f, 0); }},
      {"ConfigCch(1, -60.5, -50, 0, 1, [20], 11, 12, 13, 14, 0, 3, 1)",
       [&] { return testSet_->ConfigCch(1, -60.5f, -50.0f, 0, 1, Bytes({20}), 11, 12, 13, 14, 0, 3, 1); }},
      {"SendSIMsg(1, 3, [0,255,44])",
       [&] {
         return testSet_->SendSIMsg(1, 3, Bytes({0, 255, 44}));
       }},
      {"SendSIMsg(1, 0, [])", [&] { return testSet_->SendSIMsg(1, 0, Bytes({})); }},
      {"put_LogFileName(\"C:\\log \xC3\xBC.txt\")",
       [&] { return testSet_->put_LogFileName(_bstr_t(L"C:\\log \u00FC.txt")); }},
      {"put_LogFileName(null)", [&] { return testSet_->put_LogFileName(nullptr); }},
      {"get_LogFileName()", [&] { return testSet_->get_LogFileName(name.GetAddress()); }},
      {"ShowText(\"two words\")", [&] { return testSet_->ShowText(_variant_t(L"two words")); }},
      {"WaitAccessBurst(0, int:-7, 0)", [&] { return testSet_->WaitAccessBurst(0, intVariant, 0); }},
      {"ShowText(vt:0x2003)", [&] { return testSet_->ShowText(OfType(VT_ARRAY | VT_I4)); }},
      {"AttachAuxSpeech(AuxSpeech#2, 3)", [&] { return testSet_->AttachAuxSpeech(second, 3); }},
      {"AttachAuxSpeech(null, 1)", [&] { return testSet_->AttachAuxSpeech(nullptr, 1); }},
      {"AuxSpeech.Start(AuxSpeech#1, 7, -1)", [&] { return first->Start(7, VARIANT_TRUE); }},
      {"GetBerMeasurement()\nBerMeasurement.GetCounters()\nBerCounterGroup.GetClass1b()\n"
       "BerCounterSet.GetEvents()",
       [&] {
         BerMeasurementPtr measurement;
         BerCounterGroupPtr group;
         BerCounterSetPtr set;
         testSet_->GetBerMeasurement(&measurement);
         measurement->GetCounters(&group);
         group->GetClass1b(&set);
         return set->GetEvents(&out);
       }},
  };
  for (const auto& c : cases) {
    const size_t before = Journal().size();
    EXPECT_EQ(Hex(c.call()), Hex(S_OK)) << c.expected;
    const std::vector<std::string> journal = Journal();
    std::string added;
    for (size_t i = before; i < journal.size(); ++i) added += (i == before ? "" : "\n") + journal[i];
    EXPECT_EQ(added, c.expected);
  }
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(TestSetSim_JournalEntry(0, buffer, 5), 38) << "the full length, the entry cut to fit";
  EXPECT_STREQ(buffer, "Chan");
  EXPECT_EQ(TestSetSim_JournalEntry(TestSetSim_JournalCount(), buffer, 8), -1);
  EXPECT_EQ(TestSetSim_JournalEntry(-1, buffer, 8), -1);
}

}  // namespace
}  // namespace geran::test
