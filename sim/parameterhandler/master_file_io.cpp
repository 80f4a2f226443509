// The master file on disk: its path, reading it whole, and writing back one changed value.
#include "master_file.h"

#include <win32/handles.h>

#include <cerrno>
#include <cstdio>

namespace geran::handler {
namespace {

// Paths appear in messages and records in the system's ANSI code page, like every narrow text here.
std::string Narrow(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], size, nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

std::wstring ThisModuleFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModuleFolder), &self);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(self, &path[0], static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

Outcome FileFailure(int code, const std::wstring& path, const char* what) {
  return {code, "ParameterHandler: " + Narrow(path) + ": " + what};
}

Outcome ReadText(const std::wstring& path, std::string& text) {
  const File file(_wfopen(path.c_str(), L"rb"));
  if (!file) {
    return errno == ENOENT ? FileFailure(kMasterFileNotFound, path, "master parameter file not found")
                           : FileFailure(kMasterFileUnreadable, path, "master parameter file cannot be read");
  }
  char chunk[4096];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) text.append(chunk, got);
  if (std::ferror(file.get()))
    return FileFailure(kMasterFileUnreadable, path, "master parameter file cannot be read");
  return {};
}

Outcome WriteText(const std::wstring& path, const std::string& text) {
  File file(_wfopen(path.c_str(), L"wb"));
  const bool written = file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() &&
                       std::fclose(file.release()) == 0;
  return written ? Outcome{}
                 : FileFailure(kMasterFileNotWritable, path, "master parameter file cannot be written");
}

}  // namespace

std::wstring MasterFilePath() {
  const wchar_t* const variable = L"GERAN_MASTER_PARAMETER_FILE";
  std::wstring path(GetEnvironmentVariableW(variable, nullptr, 0), L'\0');
  if (path.size() > 1) {
    path.resize(GetEnvironmentVariableW(variable, &path[0], static_cast<DWORD>(path.size())));
    return path;
  }
  return ThisModuleFolder() + L"MasterParameters.ini";
}

Outcome ReadMasterFile(const std::wstring& path, ParameterList& list) {
  std::string text;
  const Outcome read = ReadText(path, text);
  return read.ok() ? ParseMasterText(text, Narrow(path), list) : read;
}

Outcome ReplaceValue(const std::wstring& path, const std::string& name, const std::string& value) {
  std::string text;
  Outcome outcome = ReadText(path, text);
  if (outcome.ok()) outcome = ReplaceValueInText(text, Narrow(path), name, value);
  return outcome.ok() ? WriteText(path, text) : outcome;
}

}  // namespace geran::handler
