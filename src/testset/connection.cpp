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

bool IsConnected() { return references.testSet != nullptr; }

TestSetApi* TestSet() { return Required(references.testSet); }

void SetConnection(TestSetApi* testSet) {
  references.testSet = testSet;
  references.journal = nullptr;
}

std::shared_ptr<recording::CallJournal>& CallJournalSlot() { return references.journal; }

AuxSpeechPtr& AuxSpeechSlot() { return references.auxSpeech; }

}  // namespace geran
