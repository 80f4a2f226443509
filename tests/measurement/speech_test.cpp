// The aux speech slot (StartAuxSpeech, AttachAuxSpeech, ReleaseAuxSpeech); the speech paths are in
// the command table.
#include "failure_report.h"
#include "simulator.h"

#include <objbase.h>

#include <climits>

namespace geran::test {
namespace {

constexpr const char* kAuxSpeechSource = "src/measurement/aux_speech.cpp";
constexpr const char* kSharedLabel = "Getchannel_req_msg";

// The simulator's journal line for Start on aux speech object number k.
std::string StartEntry(int k, int channel, int flag) {
  return "AuxSpeech.Start(AuxSpeech#" + std::to_string(k) + ", " + std::to_string(channel) + ", " +
         std::to_string(flag) + ")";
}

class SpeechTest : public ProductTest {
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

// Without a connection AttachAuxSpeech calls nothing; StartAuxSpeech works and sends its flag as a
// VARIANT_BOOL; only the last object is held. An object without the interface empties the slot.
TEST_F(SpeechTest, WithoutConnectionOnlyStartAuxSpeechReachesAnObject) {
  InitialiseComWithoutConnection();
  StdoutCapture out;
  EXPECT_EQ(Start(1, 5), -1);
  EXPECT_EQ(Start(2, INT_MIN), -1);
  EXPECT_EQ(Start(3, 0), -1);
  EXPECT_EQ(Attach(4), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Journal(),
            (std::vector<std::string>{StartEntry(1, 1, -1), StartEntry(2, 2, -1), StartEntry(3, 3, 0)}));
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "only the last object is held";
  TestSetSim_FailMethod(sim::method::kAuxSpeechQueryInterface, E_NOINTERFACE, nullptr, 1);
  EXPECT_EQ(Start(5, 1), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kSharedLabel, MessageTextFor(E_POINTER)));
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "the held object is released, the new one is not kept";
  EXPECT_EQ(Release(), 0) << "the slot is empty";
}

// Attach and release use the held object: an attach failure is reported and keeps it; release empties
// the slot once.
TEST_F(SpeechTest, AttachAndReleaseUseTheHeldObject) {
  Connect();
  StdoutCapture out;
  ASSERT_EQ(Start(3, 1), -1);
  TestSetSim_FailMethod(sim::method::kAttachAuxSpeech, E_FAIL, L"speech source refused", 1);
  EXPECT_EQ(Attach(3), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kAuxSpeechSource, kSharedLabel, "speech source refused"));
  EXPECT_EQ(Attach(3), -1);
  EXPECT_EQ(Release(), -1);
  EXPECT_EQ(Release(), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{StartEntry(1, 3, -1), "AttachAuxSpeech(AuxSpeech#1, 3)",
                                               "AttachAuxSpeech(AuxSpeech#1, 3)"}));
}

}  // namespace
}  // namespace geran::test
