// The control API of TestSetSim.h, for tests, the script host and benchmarks.
#include "simulator.h"

#include <TestSetSim.h>

#include <cstring>

using namespace geran::sim;

// Clears data only: objects that clients still hold stay alive with what they hold, so nothing is
// released behind a client's back (an attached aux speech object goes with its test set).
void WINAPI TestSetSim_Reset(void) {
  ClearJournal();
  ClearFaults();
  ClearSettings();
  ResetBerModel();
  ResetTestSetState();
  ResetAuxSpeechNumbers();
}

int WINAPI TestSetSim_JournalCount(void) { return JournalCount(); }

int WINAPI TestSetSim_JournalEntry(int index, char* buffer, int size) {
  const std::optional<std::string> entry = JournalEntry(index);
  if (!entry) return -1;
  if (buffer != nullptr && size > 0) {
    const size_t copied = std::min(entry->size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, entry->data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(entry->size());
}

void WINAPI TestSetSim_FailMethod(const char* method, long hresult, const wchar_t* description, int times) {
  if (method != nullptr) ArmFault(method, 1, hresult, description, times);
}

void WINAPI TestSetSim_FailCall(const char* method, int call, long hresult, const wchar_t* description,
                                int times) {
  if (method != nullptr) ArmFault(method, call, hresult, description, times);
}

void WINAPI TestSetSim_CrashCall(const char* method, int call) {
  if (method != nullptr) ArmCrash(method, call);
}

void WINAPI TestSetSim_SetValue(const char* name, long value) {
  if (name != nullptr) SetValue(name, value);
}

void WINAPI TestSetSim_SetText(const char* name, const wchar_t* text) {
  if (name != nullptr) SetText(name, text);
}

long WINAPI TestSetSim_LiveObjects(void) { return LiveObjects(); }
