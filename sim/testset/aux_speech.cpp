// The aux speech class: a speech source the test set can be given; each object has a creation number.
#include "com_object.h"

#include <map>
#include <mutex>

namespace geran::sim {
namespace {

std::mutex mutex;
LONG created = 0;
std::map<const AuxSpeech*, LONG> liveNumbers;

class AuxSpeechImpl final : public ComObject<AuxSpeech> {
 public:
  AuxSpeechImpl() {
    const std::lock_guard<std::mutex> lock(mutex);
    liveNumbers[this] = ++created;
  }
  ~AuxSpeechImpl() override {
    const std::lock_guard<std::mutex> lock(mutex);
    liveNumbers.erase(this);
  }

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
  const std::lock_guard<std::mutex> lock(mutex);
  const auto found = liveNumbers.find(speech);
  return {speech, found == liveNumbers.end() ? 0 : found->second};
}

void ResetAuxSpeechNumbers() {
  const std::lock_guard<std::mutex> lock(mutex);
  created = 0;
}

}  // namespace geran::sim
