#include "simulator_control.h"

#include "module_path.h"

#include <TestSetApi.h>
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

// The server registered for the test set's class under key ("InprocServer32" or "LocalServer32"),
// without quotes, or "" when there is none.
std::string RegisteredServer(const wchar_t* kind) {
  wchar_t clsid[64];
  StringFromGUID2(CLSID_TestSetObject, clsid, 64);
  const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\" + kind;
  wchar_t path[MAX_PATH] = L"";
  DWORD size = sizeof path;
  const LSTATUS status =
      RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size);
  std::string server = status == ERROR_SUCCESS ? Narrow(path) : "";
  if (server.size() >= 2 && server.front() == '"' && server.back() == '"')
    server = server.substr(1, server.size() - 2);
  return server;
}

// The DLL or, as a local server, the executable that COM serves the test set from; "" when none.
std::string RegisteredServer() {
  const std::string inProcess = RegisteredServer(L"InprocServer32");
  return inProcess.empty() ? RegisteredServer(L"LocalServer32") : inProcess;
}

}  // namespace

std::string ArmSimulatorOrThrow(const Options& options) {
  const std::string path = BesideHost("TestSetSimulator.dll");
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
  const std::string registered = RegisteredServer();
  // As a local server, the simulator beside the host forwards the settings to its executable.
  if (SamePath(registered, path) || SamePath(registered, BesideHost("TestSetSimulator.exe"))) return "";
  return registered.empty() ? "the test set's class is not registered"
                            : "COM loads the test set from " + registered + ", not from " + path;
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
