// The speech paths that pass straight through to the test set: voice loop and voice sending.
#include "caller/caller_memory.h"
#include "cell/byte_list.h"
#include "cell/packed_bytes.h"
#include "measurement/measurement.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_VoiceLoop(int mode, int delay, int channel) {
  return RunConnectedCommand(GERAN_ON_FAILURE("VoiceLoop"), [=] {
    Call(TestSet(), &TestSetApi::VoiceLoop, mode, delay, channel);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_DisableVoiceSend(int channel) {
  return RunConnectedCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [=] {
    Call(TestSet(), &TestSetApi::DisableVoiceSend, channel);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_EnableVoiceSend(int channel, const double* speech, int count, int mode) {
  // The arguments are checked before the connection: an empty speech block is refused even when
  // connected. The bytes are made before the connection is looked at, inside the guard.
  if (count <= 0 || !CanReadArray(speech, count)) return kFailure;
  return RunCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [&] {
    const ByteList bytes = ByteList::FromDoubles(speech, count);
    if (!IsConnected()) return kFailure;
    const PackedBytes packed(bytes);
    Call(TestSet(), &TestSetApi::EnableVoiceSend, channel, bytes.size(), packed.ForCall(), mode);
    return kSuccess;
  });
}

}  // extern "C"
