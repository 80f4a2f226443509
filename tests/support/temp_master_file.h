// Master parameter files for tests: a fresh file in the temp folder holding text byte for byte, named
// by GERAN_MASTER_PARAMETER_FILE until destroyed; then the variable is unset and the file deleted.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace geran::test {

inline constexpr const char* kMasterVariable = "GERAN_MASTER_PARAMETER_FILE";

class TempMasterFile {
 public:
  explicit TempMasterFile(const std::string& text) {
    char folder[MAX_PATH], path[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "mpf", 0, path) == 0) std::abort();
    path_ = path;
    SetEnvironmentVariableA(kMasterVariable, path);
    Rewrite(text);
  }
  ~TempMasterFile() {
    SetEnvironmentVariableA(kMasterVariable, nullptr);
    DeleteFileA(path_.c_str());
  }
  TempMasterFile(const TempMasterFile&) = delete;
  TempMasterFile& operator=(const TempMasterFile&) = delete;

  void Rewrite(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace geran::test
