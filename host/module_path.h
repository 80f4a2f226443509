// Windows helpers of geranhost: files beside the executable, path checks.
#pragma once

#include <string>

namespace geran::host {

// The full path of file in geranhost.exe's folder.
std::string BesideHost(const char* file);

// Whether two paths name the same file (case-insensitive, after resolving them).
bool SamePath(const std::string& a, const std::string& b);

std::string Narrow(const std::wstring& wide);

}  // namespace geran::host
