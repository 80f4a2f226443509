// The control API: what tests and tools see of the library's journal and state.
#include "library.h"

#include <GERANScenarioLibControl.h>

#include <algorithm>
#include <cstring>

extern "C" void WINAPI ScenarioLib_Reset() { scenario::ResetLibrary(); }

extern "C" int WINAPI ScenarioLib_CallCount() { return static_cast<int>(scenario::RecordedCalls().size()); }

extern "C" int WINAPI ScenarioLib_Call(int index, char* buffer, int size) {
  const std::vector<std::string>& calls = scenario::RecordedCalls();
  if (index < 0 || index >= static_cast<int>(calls.size())) return -1;
  const std::string& call = calls[static_cast<size_t>(index)];
  if (buffer != nullptr && size > 0) {
    const size_t copied = std::min(call.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, call.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(call.size());
}

extern "C" int WINAPI ScenarioLib_SetResult(const char* entry, int value) {
  using scenario::Entry;
  if (entry == nullptr) return 0;
  if (std::strcmp(entry, "RunTestScript") == 0) {
    scenario::ForceResult(Entry::RunTestScript, value);
  } else if (std::strcmp(entry, "CallboxMode_StartStop") == 0) {
    scenario::ForceResult(Entry::CallboxModeStartStop, value);
  } else {
    return 0;
  }
  return 1;
}

extern "C" int WINAPI ScenarioLib_CallboxMode() { return scenario::CallboxOn() ? 1 : 0; }
