// Test master files in the temp folder.
#include "temp_master_file.h"

#include "trace_files.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>

namespace geran::test {

constexpr const char* kVariable = "GERAN_MASTER_PARAMETER_FILE";

MasterFileVariable::MasterFileVariable(const std::string& path) {
  SetEnvironmentVariableA(kVariable, path.c_str());
}

MasterFileVariable::~MasterFileVariable() { SetEnvironmentVariableA(kVariable, nullptr); }

std::string TempFilePath() {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "mpf", 0, path) == 0) std::abort();
  return path;
}

TempMasterFile::TempMasterFile(const std::string& text) : path_(TempFilePath()), variable_(path_) {
  Rewrite(text);
}

TempMasterFile::~TempMasterFile() { DeleteFileA(path_.c_str()); }

void TempMasterFile::Rewrite(const std::string& text) const {
  std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
}

std::string TempMasterFile::Read() const { return ReadFileBytes(path_.c_str()); }

}  // namespace geran::test
