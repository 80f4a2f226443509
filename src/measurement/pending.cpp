// Exports of this subsystem that are not written yet: each answers 0 (failure) until it is.
#include "api/result.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_VoiceLoop(int, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_DisableVoiceSend(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_EnableVoiceSend(int, const double*, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_StartAuxSpeech(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_AttachAuxSpeech(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ReleaseAuxSpeech() { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_StartBERTest(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_StopBERTest(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_GetUpdatedBerResults(int, int, int, int, int, int, int, int, int, int, int) { return geran::kFailure; }

}  // extern "C"
