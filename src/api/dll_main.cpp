// DllMain: the order in which the module lets go of what it holds when it is unloaded. Each
// subsystem keeps its own state; only the automation references need letting go of here, the rest
// is memory freed with the module.
#include "testset/automation.h"
#include "testset/connection.h"

namespace geran {
namespace {

// FreeLibrary: the automation references go before the module does, aux speech before the test set.
void ReleaseReferences() {
  AuxSpeechSlot() = nullptr;
  TestSetSlot() = nullptr;
}

// At process exit the references are abandoned, not released: DllMain runs under the loader lock,
// where no COM call may be made, and releasing a proxy is a call into the server's process that, with
// this process's other threads already gone, can wait for ever (under Wine it never returns). The
// server learns of the client's end through COM's own clean-up of a client that stopped pinging.
void AbandonReferences() {
  AuxSpeechSlot().Detach();
  TestSetSlot().Detach();
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_ATTACH) _set_com_error_handler(RaiseHelperFailure);
  if (reason != DLL_PROCESS_DETACH) return TRUE;
  // A non-null reserved argument: the process is ending, not a FreeLibrary.
  if (reserved != nullptr)
    AbandonReferences();
  else
    ReleaseReferences();
  return TRUE;
}

}  // extern "C"
