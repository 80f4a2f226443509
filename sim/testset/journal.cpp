// The call journal: one line per method call, "Method(arg, arg, ...)", in-arguments only.
#include "simulator.h"

#include <mutex>
#include <vector>

namespace geran::sim {
namespace {

std::mutex mutex;
std::vector<std::string> entries;

}  // namespace

void Record(const char* method, std::initializer_list<Arg> args) {
  if (Value(value::kJournal, 1) == 0) return;
  std::string line = journal::FormatCall(method, args);
  const std::lock_guard<std::mutex> lock(mutex);
  entries.push_back(std::move(line));
}

int JournalCount() {
  const std::lock_guard<std::mutex> lock(mutex);
  return static_cast<int>(entries.size());
}

std::optional<std::string> JournalEntry(int index) {
  const std::lock_guard<std::mutex> lock(mutex);
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return std::nullopt;
  return entries[static_cast<size_t>(index)];
}

void ClearJournal() {
  const std::lock_guard<std::mutex> lock(mutex);
  entries.clear();
}

}  // namespace geran::sim
