#include "testset/connection.h"

namespace geran {
namespace {

// Members are released in reverse order at unload: the aux speech object before the test set.
struct AutomationReferences {
  std::shared_ptr<recording::CallJournal> journal;
  TestSetApiPtr testSet;
  AuxSpeechPtr auxSpeech;
};

AutomationReferences references;

}  // namespace

// At process exit the references are abandoned, not released: releasing a proxy to a server in
// another process is a call, made there inside the loader lock with the process's other threads
// already gone, and under Wine it never returns. The server sees its client's process end instead.
void AbandonReferencesAtExit() {
  references.auxSpeech.Detach();
  references.testSet.Detach();
}

bool IsConnected() { return references.testSet != nullptr; }

TestSetApi* TestSet() { return Required(references.testSet); }

void SetConnection(TestSetApi* testSet) {
  references.testSet = testSet;
  references.journal = nullptr;
}

std::shared_ptr<recording::CallJournal>& CallJournalSlot() { return references.journal; }

AuxSpeechPtr& AuxSpeechSlot() { return references.auxSpeech; }

}  // namespace geran

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* reserved) {
  // A non-null reserved argument on detach: the process is ending, not a FreeLibrary.
  if (reason == DLL_PROCESS_DETACH && reserved != nullptr) geran::AbandonReferencesAtExit();
  return TRUE;
}
