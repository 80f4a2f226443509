#include "simulator_faults.h"

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

// The in-process server path registered for the test set's class, or "" when there is none.
std::string RegisteredServer() {
  wchar_t clsid[64];
  StringFromGUID2(CLSID_TestSetObject, clsid, 64);
  const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
  char path[MAX_PATH] = "";
  DWORD size = sizeof path;
  const LSTATUS status =
      RegGetValueA(HKEY_CLASSES_ROOT, Narrow(key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size);
  return status == ERROR_SUCCESS ? path : "";
}

}  // namespace

std::string ArmSimulatorOrThrow(const std::vector<SimFault>& faults) {
  const std::string path = BesideHost("TestSetSimulator.dll");
  // Stays loaded for the whole run: the faults live in this instance.
  const HMODULE simulator = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (simulator == nullptr)
    throw UsageError("--sim-fail: cannot load " + path + ": " + SystemMessage(GetLastError()));
  const auto fail = reinterpret_cast<decltype(&TestSetSim_FailMethod)>(
      reinterpret_cast<void*>(GetProcAddress(simulator, "TestSetSim_FailMethod")));
  if (fail == nullptr) throw UsageError("--sim-fail: " + path + " has no TestSetSim_FailMethod");
  for (const SimFault& fault : faults) {
    const std::wstring description = fault.description ? Wide(*fault.description) : L"";
    fail(fault.method.c_str(), fault.hresult, fault.description ? description.c_str() : nullptr, 0);
  }
  const std::string registered = RegisteredServer();
  if (SamePath(registered, path)) return "";
  return registered.empty() ? "the test set's class is not registered"
                            : "COM loads the test set from " + registered + ", not from " + path;
}

}  // namespace geran::host
