// The test set's getters and its waits, answered from the settings.
#include "sim_test.h"

namespace geran::test {
namespace {

using TestSetTest = SimulatorTest;

TEST_F(TestSetTest, ChannelRequestKeepsTheLow16BitsAsSigned) {
  const std::vector<std::pair<long, short>> cases = {
      {0x1234, 0x1234}, {0x12345678, 0x5678}, {0xFFFF, -1}, {-2, -2}};
  for (const auto& [configured, expected] : cases) {
    TestSetSim_SetValue("ChannelRequest", configured);
    short request = 0;
    EXPECT_EQ(Hex(testSet_->GetchannelRequestMsg(&request)), Hex(S_OK));
    EXPECT_EQ(request, expected) << "configured " << configured;
  }
}

TEST_F(TestSetTest, GettersHandBackTheirOwnSetting) {
  TestSetSim_SetValue("AccessBurst", 11);
  TestSetSim_SetValue("FrameNumber", 22);
  TestSetSim_SetValue("ShiftAnswer", -33);
  LONG burst = 0, frame = 0, right = 0, left = 0;
  testSet_->GetAccessBurst(&burst);
  testSet_->QueryFrameNumber(&frame);
  testSet_->ShiftRight(1, 1, &right);
  testSet_->ShiftLeft(1, 1, &left);
  EXPECT_EQ((std::vector<LONG>{burst, frame, right, left}), (std::vector<LONG>{11, 22, -33, -33}));
  EXPECT_EQ(Hex(testSet_->GetAccessBurst(nullptr)), Hex(E_POINTER));
}

struct LogFileCase {
  const char* name;
  const wchar_t* configured;  // SetText value, when set_text
  bool setText;
  const wchar_t* put;       // nullptr: no put
  const wchar_t* expected;  // nullptr: a null BSTR
};

TEST_F(TestSetTest, LogFileNameConfiguredTextWinsOverThePutName) {
  const std::vector<LogFileCase> cases = {
      {"nothing", nullptr, false, nullptr, nullptr},
      {"put only", nullptr, false, L"a.log", L"a.log"},
      {"configured only", L"cfg.log", true, nullptr, L"cfg.log"},
      {"configured and put", L"cfg.log", true, L"a.log", L"cfg.log"},
      {"configured null", nullptr, true, L"a.log", nullptr},
  };
  for (const LogFileCase& test : cases) {
    TestSetSim_Reset();
    if (test.setText) TestSetSim_SetText("LogFileName", test.configured);
    if (test.put != nullptr) testSet_->put_LogFileName(_bstr_t(test.put));
    _bstr_t name;
    EXPECT_EQ(Hex(testSet_->get_LogFileName(name.GetAddress())), Hex(S_OK)) << test.name;
    const BSTR seen = name;
    if (test.expected == nullptr)
      EXPECT_EQ(seen, nullptr) << test.name;
    else
      EXPECT_EQ(std::wstring(seen == nullptr ? L"<null>" : seen), test.expected) << test.name;
  }
}

TEST_F(TestSetTest, WaitTimeSleepsOnlyInRealTime) {
  const DWORD simulatedStart = GetTickCount();
  testSet_->WaitTime(60000);
  EXPECT_LT(GetTickCount() - simulatedStart, 5000u) << "a simulated minute took real time";
  TestSetSim_SetValue("RealTimeWait", 1);
  const DWORD realStart = GetTickCount();
  testSet_->WaitTime(300);
  EXPECT_GE(GetTickCount() - realStart, 250u);
}

}  // namespace
}  // namespace geran::test
