#include "api/module_state.h"

namespace geran {
namespace {

ModuleState state;

// FreeLibrary: the automation references go before the module does, aux speech before the test set.
void ReleaseReferences() {
  state.auxSpeech = nullptr;
  state.testSet = nullptr;
}

// At process exit the references are abandoned, not released: releasing a proxy to a server in
// another process is a call, made there inside the loader lock with the process's other threads
// already gone, and under Wine it never returns. The server sees its client's process end instead.
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
