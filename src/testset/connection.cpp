#include "testset/connection.h"

#include "recording/recording.h"

namespace geran {
namespace {

// The module's automation references, let go of at unload (DllMain).
TestSetApiPtr connectedTestSet;
AuxSpeechPtr auxSpeech;

}  // namespace

bool IsConnected() { return connectedTestSet != nullptr; }

TestSetApi* TestSet() { return Required(connectedTestSet); }

void CommitConnection(Connection& next) noexcept {
  if (next.auxSpeech) auxSpeech.Attach(next.auxSpeech->Detach());
  connectedTestSet.Attach(next.testSet.Detach());
  recording::ConnectionJournal().swap(next.journal);  // the old journal goes with next
}

TestSetApiPtr& TestSetSlot() { return connectedTestSet; }

AuxSpeechPtr& AuxSpeechSlot() { return auxSpeech; }

}  // namespace geran
