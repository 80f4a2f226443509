// Aux speech objects: creation numbers in the journal, and the reference the test set keeps.
#include "sim_test.h"

namespace geran::test {
namespace {

AuxSpeechPtr NewAuxSpeech() {
  AuxSpeechPtr speech;
  EXPECT_EQ(Hex(speech.CreateInstance(CLSID_AuxSpeechObject)), Hex(S_OK));
  return speech;
}

using AuxSpeechTest = SimulatorTest;

TEST_F(AuxSpeechTest, ResetRestartsNumberingWhileLiveObjectsKeepTheirs) {
  const AuxSpeechPtr first = NewAuxSpeech();
  const AuxSpeechPtr second = NewAuxSpeech();
  TestSetSim_Reset();
  const AuxSpeechPtr afterReset = NewAuxSpeech();
  testSet_->AttachAuxSpeech(afterReset, 1);
  testSet_->AttachAuxSpeech(first, 2);
  EXPECT_EQ(Journal(),
            (std::vector<std::string>{"AttachAuxSpeech(AuxSpeech#1, 1)", "AttachAuxSpeech(AuxSpeech#1, 2)"}))
      << "both the new object and the first one are number 1";
}

TEST_F(AuxSpeechTest, StartIsJournaledWithTheObjectAndItsFlag) {
  const AuxSpeechPtr first = NewAuxSpeech();
  const AuxSpeechPtr second = NewAuxSpeech();
  second->Start(7, VARIANT_TRUE);
  first->Start(0, VARIANT_FALSE);
  testSet_->AttachAuxSpeech(second, 3);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"AuxSpeech.Start(AuxSpeech#2, 7, -1)",
                                                 "AuxSpeech.Start(AuxSpeech#1, 0, 0)",
                                                 "AttachAuxSpeech(AuxSpeech#2, 3)"}));
}

TEST_F(AuxSpeechTest, AttachedObjectLivesUntilReplacedDetachedOrTheTestSetGoes) {
  AuxSpeechPtr speech = NewAuxSpeech();
  testSet_->AttachAuxSpeech(speech, 0);
  speech = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 2) << "the test set keeps the attached object";
  testSet_->AttachAuxSpeech(NewAuxSpeech(), 0);
  EXPECT_EQ(TestSetSim_LiveObjects(), 2) << "replacing releases the first";
  testSet_->AttachAuxSpeech(nullptr, 0);
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "attaching null releases it";
  testSet_->AttachAuxSpeech(NewAuxSpeech(), 0);
  TestSetSim_Reset();
  EXPECT_EQ(TestSetSim_LiveObjects(), 2) << "Reset releases no object";
  DropTestSet();
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "the test set releases its attached object";
}

TEST_F(AuxSpeechTest, FailedAttachKeepsNoReference) {
  TestSetSim_FailMethod("AttachAuxSpeech", E_FAIL, nullptr, 1);
  AuxSpeechPtr speech = NewAuxSpeech();
  EXPECT_EQ(Hex(testSet_->AttachAuxSpeech(speech, 0)), Hex(E_FAIL));
  speech = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 1);
}

}  // namespace
}  // namespace geran::test
