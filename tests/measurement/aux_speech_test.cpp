// The aux speech slot: StartAuxSpeech, AttachAuxSpeech, ReleaseAuxSpeech.
#include "failure_report.h"
#include "simulator.h"

#include <climits>

namespace geran::test {
namespace {

constexpr const char* kAuxSpeechSource = "src/measurement/aux_speech.cpp";
constexpr const char* kLabel = "Getchannel_req_msg";

// The simulator's journal line for Start on aux speech object number k.
std::string StartEntry(int k, int channel, int flag) {
  return "AuxSpeech.Start(AuxSpeech#" + std::to_string(k) + ", " + std::to_string(channel) + ", " +
         std::to_string(flag) + ")";
}

class AuxSpeechTest : public ProductTest {
 protected:
  int Start(int channel, int flag) { return GERAN_EXPORT(module(), StartAuxSpeech)(channel, flag); }
  int Attach(int channel) { return GERAN_EXPORT(module(), AttachAuxSpeech)(channel); }
  int Release() { return GERAN_EXPORT(module(), ReleaseAuxSpeech)(); }
};

TEST_F(AuxSpeechTest, StartNeedsNoConnectionAndSendsTheFlagAsVariantBool) {
  const struct {
    int flag;
    int sent;
  } cases[] = {{5, -1}, {1, -1}, {-1, -1}, {INT_MIN, -1}, {0, 0}};
  StdoutCapture out;
  int channel = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(Start(channel, c.flag), -1) << c.flag;
    EXPECT_EQ(Journal().back(), StartEntry(channel + 1, channel, c.sent));
    ++channel;
  }
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "only the last object is held";
}

TEST_F(AuxSpeechTest, ANewObjectReplacesTheOldOneBeforeItIsStarted) {
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

TEST_F(AuxSpeechTest, ReleaseEmptiesTheSlotOnce) {
  Connect();
  const long before = TestSetSim_LiveObjects();
  ASSERT_EQ(Start(1, 1), -1);
  EXPECT_EQ(Release(), -1);
  EXPECT_EQ(TestSetSim_LiveObjects(), before);
  EXPECT_EQ(Release(), 0);
  EXPECT_EQ(Attach(1), 0) << "nothing left to attach";
  EXPECT_EQ(Calls(), std::vector<std::string>{StartEntry(1, 1, -1)});
}

TEST_F(AuxSpeechTest, AttachNeedsAnObjectAndAConnection) {
  Connect();
  StdoutCapture out;
  EXPECT_EQ(Attach(1), 0) << "no object yet";
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(out.Take(), "");
}

TEST_F(AuxSpeechTest, AttachWithoutConnectionCallsNothing) {
  ASSERT_EQ(Start(4, 1), -1);
  StdoutCapture out;
  EXPECT_EQ(Attach(4), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Journal(), std::vector<std::string>{StartEntry(1, 4, -1)});
}

TEST_F(AuxSpeechTest, AttachFailureIsReportedUnderTheSharedLabel) {
  Connect();
  ASSERT_EQ(Start(1, 1), -1);
  TestSetSim_FailMethod("AttachAuxSpeech", E_FAIL, L"speech source refused", 1);
  StdoutCapture out;
  EXPECT_EQ(Attach(2), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, "speech source refused"));
  EXPECT_EQ(Attach(2), -1) << "the slot keeps its object";
}

TEST_F(AuxSpeechTest, AnObjectWithoutTheInterfaceEmptiesTheSlot) {
  ASSERT_EQ(Start(1, 1), -1);
  TestSetSim_FailMethod("AuxSpeech.QueryInterface", E_NOINTERFACE, nullptr, 1);
  StdoutCapture out;
  EXPECT_EQ(Start(2, 1), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kLabel, MessageTextFor(E_POINTER)));
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "the earlier object is released, the new one was not kept";
  EXPECT_EQ(Release(), 0) << "the slot is empty";
}

TEST_F(AuxSpeechTest, AFailedCreationKeepsTheHeldObject) {
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
