// The call journal: one line per method call, "Method(arg, arg, ...)", in-arguments only.
#include "simulator_state.h"

namespace geran::sim {

void Record(const char* method, std::initializer_list<Arg> args) {
  if (Value(value::kJournal, 1) == 0) return;
  std::string line = journal::FormatCall(method, args);
  Simulator().Lock()->journal.push_back(std::move(line));
}

int JournalCount() { return static_cast<int>(Simulator().Lock()->journal.size()); }

std::optional<std::string> JournalEntry(int index) {
  const SimulatorState::Locked state = Simulator().Lock();
  if (index < 0 || static_cast<size_t>(index) >= state->journal.size()) return std::nullopt;
  return state->journal[static_cast<size_t>(index)];
}

}  // namespace geran::sim
