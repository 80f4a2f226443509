// The speech paths that pass straight through to the test set: voice loop and voice sending.
#include "cell/packed_bytes.h"
#include "measurement/measurement.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

extern "C" int WINAPI znGeranApiInterfaceDll_VoiceLoop(int mode, int delay, int channel) {
  using namespace geran;
  return RunConnectedCommand(GERAN_ON_FAILURE("VoiceLoop"), [=] {
    Call(TestSet(), &TestSetApi::VoiceLoop, mode, delay, channel);
    return kSuccess;
  });
}

extern "C" int WINAPI znGeranApiInterfaceDll_DisableVoiceSend(int channel) {
  using namespace geran;
  return RunConnectedCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [=] {
    Call(TestSet(), &TestSetApi::DisableVoiceSend, channel);
    return kSuccess;
  });
}

extern "C" int WINAPI znGeranApiInterfaceDll_EnableVoiceSend(int channel, const double* speech, int count,
                                                             int mode) {
  using namespace geran;
  // The count is checked before the connection: an empty speech block is refused even when connected.
  if (count <= 0) return kFailure;
  const ByteList bytes = ByteList::FromDoubles(speech, count);
  return RunConnectedCommand(GERAN_ON_FAILURE(kSpeechPathLabel), [&] {
    const PackedBytes packed(bytes);
    Call(TestSet(), &TestSetApi::EnableVoiceSend, channel, bytes.size(), packed.ForCall(), mode);
    return kSuccess;
  });
}
