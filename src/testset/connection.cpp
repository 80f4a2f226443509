#include "testset/connection.h"

#include "api/module_state.h"

namespace geran {

bool IsConnected() { return State().testSet != nullptr; }

TestSetApi* TestSet() { return Required(State().testSet); }

void CommitConnection(Connection& next) noexcept {
  ModuleState& state = State();
  if (next.auxSpeech) state.auxSpeech.Attach(next.auxSpeech->Detach());
  state.testSet.Attach(next.testSet.Detach());
  state.journal.swap(next.journal);  // the old journal goes with next
}

const std::shared_ptr<recording::CallJournal>& ConnectionJournal() { return State().journal; }

AuxSpeechPtr& AuxSpeechSlot() { return State().auxSpeech; }

}  // namespace geran
