#include "testset/connection.h"

#include "api/module_state.h"

namespace geran {

bool IsConnected() { return State().testSet != nullptr; }

TestSetApi* TestSet() { return Required(State().testSet); }

void SetConnection(TestSetApi* testSet) {
  State().testSet = testSet;
  State().journal = nullptr;
}

std::shared_ptr<recording::CallJournal>& CallJournalSlot() { return State().journal; }

AuxSpeechPtr& AuxSpeechSlot() { return State().auxSpeech; }

}  // namespace geran
