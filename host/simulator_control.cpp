#include "simulator_control.h"

#include "module_path.h"

#include <TestSetApi.h>
#include <TestSetSim.h>

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

// The in-process server path registered for the test set's class, or "" when there is none.
std::string RegisteredServer() {
  wchar_t clsid[64];
  StringFromGUID2(CLSID_TestSetObject, clsid, 64);
  const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
  wchar_t path[MAX_PATH] = L"";
  DWORD size = sizeof path;
  const LSTATUS status =
      RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size);
  return status == ERROR_SUCCESS ? Narrow(path) : "";
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
  const std::string registered = RegisteredServer();
  if (SamePath(registered, path)) return "";
  return registered.empty() ? "the test set's class is not registered"
                            : "COM loads the test set from " + registered + ", not from " + path;
}

}  // namespace geran::host
