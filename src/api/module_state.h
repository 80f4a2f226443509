// ModuleState: everything the library keeps from one export call to the next, in one object that
// lives as long as the module.
#pragma once

#include "measurement/measurement.h"
#include "parameters/parameter_store.h"
#include "recording/call_journal.h"
#include "testset/automation.h"

#include <memory>

namespace geran {

struct ModuleState {
  // Records the connection's calls; empty unless GERAN_CALL_JOURNAL asked for one.
  std::shared_ptr<recording::CallJournal> journal;
  // The test-set connection and the aux speech slot, released at unload: aux speech first.
  TestSetApiPtr testSet;
  AuxSpeechPtr auxSpeech;
  // Made by the first master parameter load that got a parameter list (on the heap: running out of
  // memory there fails that load).
  std::unique_ptr<ParameterStore> parameters;
  // The last BER run that finished its polling; all zero until one has.
  BerSummary lastBerRun;
};

ModuleState& State();

}  // namespace geran
