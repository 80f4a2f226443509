// The aux speech slot: creating and starting the aux speech object, handing it to the test set, letting it
// go.
#include "measurement/measurement.h"
#include "testset/call_recording.h"
#include "testset/command.h"
#include "testset/connection.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

// A server that does not offer AuxSpeech leaves no object rather than a failure; the later use of
// the empty slot reports it.
AuxSpeechPtr CreateAuxSpeech() {
  AuxSpeechPtr created;
  const HRESULT hr = CreateServerObject(CLSID_AuxSpeechObject, created);
  if (hr != E_NOINTERFACE) ThrowIfFailed(hr);
  return created;
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// The object belongs to its own server, so it is created and started without the test-set connection.
int WINAPI znGeranApiInterfaceDll_StartAuxSpeech(int channel, int enable) {
  return RunCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [=] {
    AuxSpeechPtr created = CreateAuxSpeech();
    RecordIfRecording(created);
    AuxSpeechSlot().Attach(
        created.Detach());  // the previous object is let go here, before the new one starts
    Call(Required(AuxSpeechSlot()), &AuxSpeech::Start, channel, enable != 0 ? VARIANT_TRUE : VARIANT_FALSE);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_AttachAuxSpeech(int channel) {
  if (!AuxSpeechSlot()) return kFailure;
  return RunConnectedCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [=] {
    // The test set takes its own reference if it keeps the object.
    Call(TestSet(), &TestSetApi::AttachAuxSpeech, AuxSpeechSlot().GetInterfacePtr(), channel);
    return kSuccess;
  });
}

// Releasing a held reference cannot fail, so there is no guarded region and no report here.
int WINAPI znGeranApiInterfaceDll_ReleaseAuxSpeech() {
  if (!AuxSpeechSlot()) return kFailure;
  AuxSpeechSlot().Release();
  return kSuccess;
}

}  // extern "C"
