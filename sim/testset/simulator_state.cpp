// The one simulator state of the module, and what a reset clears.
#include "simulator_state.h"

namespace geran::sim {

SimulatorState& Simulator() {
  static SimulatorState state;
  return state;
}

void SimulatorState::Reset() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    static_cast<ResettableData&>(data_) = ResettableData();
    replaying = false;
  }
  objects.queries = 0;
  objects.errorQuestions = 0;
}

}  // namespace geran::sim
