// Configured values and texts: what getters hand back and how the simulator behaves.
#include "simulator.h"

#include <map>
#include <mutex>

namespace geran::sim {
namespace {

std::mutex mutex;
std::map<std::string, LONG> values;
std::map<std::string, Text> texts;

std::optional<LONG> FindValue(const std::string& name) {
  const std::lock_guard<std::mutex> lock(mutex);
  const auto found = values.find(name);
  return found == values.end() ? std::nullopt : std::optional<LONG>(found->second);
}

}  // namespace

void SetValue(const char* name, LONG value) {
  const std::lock_guard<std::mutex> lock(mutex);
  values[name] = value;
}

LONG Value(const std::string& name, LONG fallback) { return FindValue(name).value_or(fallback); }

void SetText(const char* name, const wchar_t* text) {
  const std::lock_guard<std::mutex> lock(mutex);
  texts[name] = text == nullptr ? Text() : Text(text);
}

std::optional<Text> FindText(const std::string& name) {
  const std::lock_guard<std::mutex> lock(mutex);
  const auto found = texts.find(name);
  return found == texts.end() ? std::nullopt : std::optional<Text>(found->second);
}

void ClearSettings() {
  const std::lock_guard<std::mutex> lock(mutex);
  values.clear();
  texts.clear();
}

}  // namespace geran::sim
