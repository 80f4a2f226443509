#include "api/module_state.h"

namespace geran {
namespace {

ModuleState state;

// FreeLibrary: the automation references go before the module does, aux speech before the test set.
void ReleaseReferences() {
  state.auxSpeech = nullptr;
  state.testSet = nullptr;
}

// At process exit the references are abandoned, not released: DllMain runs under the loader lock,
// where no COM call may be made, and releasing a proxy is a call into the server's process that, with
// this process's other threads already gone, can wait for ever (under Wine it never returns). The
// server learns of the client's end through COM's own clean-up of a client that stopped pinging.
void AbandonReferences() {
  state.auxSpeech.Detach();
  state.testSet.Detach();
}

}  // namespace

ModuleState& State() { return state; }

}  // namespace geran

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_ATTACH) _set_com_error_handler(geran::RaiseHelperFailure);
  if (reason != DLL_PROCESS_DETACH) return TRUE;
  // A non-null reserved argument: the process is ending, not a FreeLibrary.
  if (reserved != nullptr)
    geran::AbandonReferences();
  else
    geran::ReleaseReferences();
  return TRUE;
}
