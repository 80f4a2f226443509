// Configured values and texts: what getters hand back and how the simulator behaves.
#include "simulator_state.h"

namespace geran::sim {

void SetValue(const char* name, LONG value) { Simulator().Lock()->values[name] = value; }

LONG Value(const std::string& name, LONG fallback) {
  const SimulatorState::Locked state = Simulator().Lock();
  const auto found = state->values.find(name);
  return found == state->values.end() ? fallback : found->second;
}

void SetText(const char* name, const wchar_t* text) {
  Simulator().Lock()->texts[name] = text == nullptr ? Text() : Text(text);
}

std::optional<Text> FindText(const std::string& name) {
  const SimulatorState::Locked state = Simulator().Lock();
  const auto found = state->texts.find(name);
  return found == state->texts.end() ? std::nullopt : std::optional<Text>(found->second);
}

}  // namespace geran::sim
