#include "test_set_registration.h"

#include "module_path.h"

#include <TestSetApi.h>

#include <windows.h>

namespace geran::host {
namespace {

// The server registered under kind ("InprocServer32" or "LocalServer32"), or "".
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

}  // namespace

std::string RegisteredTestSetServer() {
  const std::string inProcess = RegisteredServer(L"InprocServer32");
  return inProcess.empty() ? RegisteredServer(L"LocalServer32") : inProcess;
}

}  // namespace geran::host
