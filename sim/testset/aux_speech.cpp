// The aux speech class: a speech source the test set can be given; each object has a creation number.
#include "com_object.h"
#include "simulator_state.h"

namespace geran::sim {
namespace {

class AuxSpeechImpl final : public ComObject<AuxSpeech> {
 public:
  AuxSpeechImpl() {
    const SimulatorState::Locked state = Simulator().Lock();
    state->auxSpeechNumbers[this] = ++state->auxSpeechCreated;
  }
  ~AuxSpeechImpl() override { Simulator().Lock()->auxSpeechNumbers.erase(this); }

  // Journaled with the object itself first, so the journal shows which source was started.
  HRESULT STDMETHODCALLTYPE Start(LONG channel, VARIANT_BOOL enable) override {
    return Serve(method::kAuxSpeechStart, {Numbered(this), channel, enable}, Accept);
  }

 protected:
  HRESULT Admit(REFIID iid) override {
    if (!IsEqualIID(iid, IID_AuxSpeech)) return S_OK;
    return TakeFault(method::kAuxSpeechQueryInterface, IID_AuxSpeech).value_or(S_OK);
  }
};

}  // namespace

HRESULT CreateAuxSpeech(REFIID iid, void** object) { return CreateObject<AuxSpeechImpl>(iid, object); }

journal::NumberedAuxSpeech Numbered(const AuxSpeech* speech) {
  const SimulatorState::Locked state = Simulator().Lock();
  const auto found = state->auxSpeechNumbers.find(speech);
  return {speech, found == state->auxSpeechNumbers.end() ? 0 : found->second};
}

}  // namespace geran::sim
