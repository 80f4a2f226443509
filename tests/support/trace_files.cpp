#include "trace_files.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace geran::test {

std::string ReadFileBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder)) + name;
}

void RemoveTraceFiles() {
  for (const char* path : {kTest12, kRemoteApi, kResult, kCallBox}) DeleteFileA(path);
}

std::string OnDisk(const std::string& text) {
  std::string bytes;
  for (const char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

}  // namespace geran::test
