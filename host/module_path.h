// Windows helpers of geranhost: files beside the executable, system message texts, path checks.
#pragma once

#include <windows.h>

#include <string>

namespace geran::host {

// The full path of file in geranhost.exe's folder.
std::string BesideHost(const char* file);

// The full path of a file name as the system resolves it.
std::string FullPath(const std::string& path);

// Whether two paths name the same file (case-insensitive, after resolving them).
bool SamePath(const std::string& a, const std::string& b);

// The system's text for an error code, without its line break.
std::string SystemMessage(DWORD error);

std::string Narrow(const std::wstring& wide);

}  // namespace geran::host
