// The aux speech slot: StartAuxSpeech, AttachAuxSpeech, ReleaseAuxSpeech.
#include "failure_report.h"
#include "simulator.h"

#include <objbase.h>

#include <climits>
#include <iterator>

namespace geran::test {
namespace {

constexpr const char* kAuxSpeechSource = "src/measurement/aux_speech.cpp";
constexpr const char* kLabel = "Getchannel_req_msg";

// The simulator's journal line for Start on aux speech object number k.
std::string StartEntry(int k, int channel, int flag) {
  return "AuxSpeech.Start(AuxSpeech#" + std::to_string(k) + ", " + std::to_string(channel) + ", " +
         std::to_string(flag) + ")";
}

class AuxSpeechSlotTest : public ProductTest {
 protected:
  // COM initialised by the test application itself, with no InitialiseSystem: no connection.
  void InitialiseComWithoutConnection() {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    comInitialised_ = true;
  }
  void TearDown() override {
    if (comInitialised_) {
      Unload();  // the module lets its objects go while COM is still there
      CoUninitialize();
    }
    ProductTest::TearDown();
  }

  int Start(int channel, int flag) { return GERAN_EXPORT(module(), StartAuxSpeech)(channel, flag); }
  int Attach(int channel) { return GERAN_EXPORT(module(), AttachAuxSpeech)(channel); }
  int Release() { return GERAN_EXPORT(module(), ReleaseAuxSpeech)(); }

 private:
  bool comInitialised_ = false;
};

TEST_F(AuxSpeechSlotTest, StartNeedsNoConnectionAndSendsTheFlagAsVariantBool) {
  const struct {
    int flag;
    int sent;
  } cases[] = {{5, -1}, {1, -1}, {-1, -1}, {INT_MIN, -1}, {0, 0}};
  InitialiseComWithoutConnection();
  StdoutCapture out;
  std::vector<std::string> expected;
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    EXPECT_EQ(Start(i, cases[i].flag), -1) << cases[i].flag;
    expected.push_back(StartEntry(i + 1, i, cases[i].sent));
  }
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Journal(), expected);
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "only the last object is held";
}

TEST_F(AuxSpeechSlotTest, ANewObjectReplacesTheOldOneBeforeItIsStarted) {
  Connect();
  const long before = TestSetSim_LiveObjects();
  ASSERT_EQ(Start(1, 1), -1);
  EXPECT_EQ(TestSetSim_LiveObjects(), before + 1);
  TestSetSim_FailMethod("AuxSpeech.Start", E_FAIL, L"no speech codec", 1);
  StdoutCapture out;
  EXPECT_EQ(Start(2, 1), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, "no speech codec"));
  EXPECT_EQ(TestSetSim_LiveObjects(), before + 1) << "the first object is gone even though Start failed";
  EXPECT_EQ(Attach(3), -1);
  EXPECT_EQ(Calls(), (std::vector<std::string>{StartEntry(1, 1, -1), StartEntry(2, 2, -1),
                                               "AttachAuxSpeech(AuxSpeech#2, 3)"}));
}

TEST_F(AuxSpeechSlotTest, ReleaseEmptiesTheSlotOnce) {
  Connect();
  const long before = TestSetSim_LiveObjects();
  ASSERT_EQ(Start(1, 1), -1);
  EXPECT_EQ(Release(), -1);
  EXPECT_EQ(TestSetSim_LiveObjects(), before);
  EXPECT_EQ(Release(), 0);
  EXPECT_EQ(Attach(1), 0) << "nothing left to attach";
  EXPECT_EQ(Calls(), std::vector<std::string>{StartEntry(1, 1, -1)});
}

TEST_F(AuxSpeechSlotTest, AttachBeforeAnyStartCallsNothing) {
  Connect();
  StdoutCapture out;
  EXPECT_EQ(Attach(1), 0) << "no object yet";
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(out.Take(), "");
}

TEST_F(AuxSpeechSlotTest, AttachWithoutConnectionCallsNothing) {
  InitialiseComWithoutConnection();
  ASSERT_EQ(Start(4, 1), -1);
  StdoutCapture out;
  EXPECT_EQ(Attach(4), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Journal(), std::vector<std::string>{StartEntry(1, 4, -1)});
}

TEST_F(AuxSpeechSlotTest, AttachFailureIsReportedUnderTheSharedLabel) {
  Connect();
  ASSERT_EQ(Start(1, 1), -1);
  TestSetSim_FailMethod("AttachAuxSpeech", E_FAIL, L"speech source refused", 1);
  StdoutCapture out;
  EXPECT_EQ(Attach(2), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, "speech source refused"));
  EXPECT_EQ(Attach(2), -1) << "the slot keeps its object";
}

TEST_F(AuxSpeechSlotTest, AnObjectWithoutTheInterfaceEmptiesTheSlot) {
  InitialiseComWithoutConnection();
  ASSERT_EQ(Start(1, 1), -1);
  TestSetSim_FailMethod("AuxSpeech.QueryInterface", E_NOINTERFACE, nullptr, 1);
  StdoutCapture out;
  EXPECT_EQ(Start(2, 1), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, MessageTextFor(E_POINTER)));
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "the earlier object is released, the new one was not kept";
  EXPECT_EQ(Release(), 0) << "the slot is empty";
}

TEST_F(AuxSpeechSlotTest, AFailedCreationKeepsTheHeldObject) {
  Connect();
  ASSERT_EQ(Start(1, 1), -1);
  TestSetSim_FailMethod("AuxSpeech.CreateInstance", E_OUTOFMEMORY, nullptr, 1);
  StdoutCapture out;
  EXPECT_EQ(Start(2, 1), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, MessageTextFor(E_OUTOFMEMORY)));
  EXPECT_EQ(Attach(3), -1);
  EXPECT_EQ(Calls().back(), "AttachAuxSpeech(AuxSpeech#1, 3)");
}

}  // namespace
}  // namespace geran::test
