#include "module_path.h"

#include <win32/system.h>

#include <string_view>

namespace geran::host {

std::string BesideHost(const char* file) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string_view exe(path, length);
  return std::string(exe.substr(0, exe.find_last_of("\\/") + 1)) + file;
}

bool SamePath(const std::string& a, const std::string& b) {
  return !a.empty() && lstrcmpiA(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

std::string Narrow(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], size, nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

}  // namespace geran::host
