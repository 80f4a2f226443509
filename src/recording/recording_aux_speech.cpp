// The aux speech stand-in: journals Start under the object's number, known to the journal by pointer
// so the recording test set can hand the real object on.
#include "recording/recording.h"
#include "recording/recording_object.h"

namespace geran::recording {
namespace {

class RecordingAuxSpeech final : public RecordingObject<AuxSpeech> {
 public:
  RecordingAuxSpeech(AuxSpeechPtr& real, std::shared_ptr<CallJournal> journal)
      : RecordingObject(real, std::move(journal)), number_(this->journal()->Enrol(this, this->real())) {}
  ~RecordingAuxSpeech() override { journal()->Withdraw(this); }

  HRESULT STDMETHODCALLTYPE Start(LONG channel, VARIANT_BOOL enable) override {
    return ForwardAs("AuxSpeech.Start", {journal::NumberedAuxSpeech{this, number_}, channel, enable},
                     &AuxSpeech::Start, channel, enable);
  }

 private:
  const LONG number_;
};

}  // namespace

AuxSpeechPtr Recorded(AuxSpeechPtr& speech, const std::shared_ptr<CallJournal>& journal) {
  return AuxSpeechPtr(new RecordingAuxSpeech(speech, journal), false);
}

}  // namespace geran::recording
