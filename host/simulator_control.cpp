#include "simulator_control.h"

#include "module_path.h"
#include "test_set_registration.h"

#include <TestSetSim.h>
#include <win32/system.h>

#include <windows.h>

namespace geran::host {
namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

template <class Function>
Function EntryOrThrow(HMODULE simulator, const std::string& path, const char* name) {
  const FARPROC entry = GetProcAddress(simulator, name);
  if (entry == nullptr) throw UsageError(path + " has no " + name);
  return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

#define GERAN_SIM_ENTRY(simulator, path, Name) EntryOrThrow<decltype(&Name)>(simulator, path, #Name)

// Settings reach the test set only through the simulator beside the host, in this process or, as a
// local server, forwarded to its executable; a crash armed there would only fail the call.
void CheckSettingsApplyOrThrow(const Options& options, const std::string& path) {
  const std::string registered = RegisteredTestSetServer();
  const std::string howToRegister = " (regsvr32 " + path + " registers it)";
  if (registered.empty())
    throw SetupError("the simulator's settings cannot apply: the test set's class is not registered" +
                     howToRegister);
  const bool local = SamePath(registered, BesideHost("TestSetSimulator.exe"));
  if (!local && !SamePath(registered, path))
    throw SetupError("the simulator's settings cannot apply: COM loads the test set from " + registered +
                     ", not from " + path + howToRegister);
  for (const SimFault& fault : options.faults)
    if (local && fault.crash)
      throw SetupError("--sim-fail " + fault.method + "=crash needs the simulator in this process, but it " +
                       "runs as a local server, where a crash only fails the call" + howToRegister);
}

}  // namespace

void ArmSimulatorOrThrow(const Options& options) {
  const std::string path = BesideHost("TestSetSimulator.dll");
  CheckSettingsApplyOrThrow(options, path);
  // Stays loaded for the whole run: the settings live in this instance.
  const HMODULE simulator = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (simulator == nullptr) throw UsageError("cannot load " + path + ": " + SystemMessage(GetLastError()));
  const auto setValue = GERAN_SIM_ENTRY(simulator, path, TestSetSim_SetValue);
  const auto failCall = GERAN_SIM_ENTRY(simulator, path, TestSetSim_FailCall);
  const auto crashCall = GERAN_SIM_ENTRY(simulator, path, TestSetSim_CrashCall);
  for (const SimValue& value : options.values) setValue(value.name.c_str(), value.value);
  for (const SimFault& fault : options.faults) {
    const std::wstring description = Wide(fault.description.value_or(""));
    if (fault.crash)
      crashCall(fault.method.c_str(), fault.call);
    else
      failCall(fault.method.c_str(), fault.call, fault.hresult,
               fault.description ? description.c_str() : nullptr, fault.times);
  }
  if (!options.replay.empty()) {
    const auto loadReplay = GERAN_SIM_ENTRY(simulator, path, TestSetSim_LoadReplay);
    char error[2048] = "";
    if (FAILED(loadReplay(options.replay.c_str(), error, sizeof error)))
      throw FileError("--replay: " + std::string(error));
  }
}

std::string ReplayOutcome() {
  const std::string path = BesideHost("TestSetSimulator.dll");
  const auto replayOutcome = GERAN_SIM_ENTRY(GetModuleHandleA(path.c_str()), path, TestSetSim_ReplayOutcome);
  const int length = replayOutcome(nullptr, 0);
  if (length <= 0) return {};
  std::string outcome(static_cast<std::size_t>(length) + 1, '\0');
  replayOutcome(&outcome[0], length + 1);
  outcome.resize(static_cast<std::size_t>(length));
  return outcome;
}

}  // namespace geran::host
