// Master parameter files for tests: real files that GERAN_MASTER_PARAMETER_FILE names while they live.
#pragma once

#include <string>

namespace geran::test {

// Points GERAN_MASTER_PARAMETER_FILE at path until destroyed, then unsets it.
class MasterFileVariable {
 public:
  explicit MasterFileVariable(const std::string& path);
  ~MasterFileVariable();
  MasterFileVariable(const MasterFileVariable&) = delete;
  MasterFileVariable& operator=(const MasterFileVariable&) = delete;
};

// A file in the temp folder holding text byte for byte, named by the variable; deleted at the end.
class TempMasterFile {
 public:
  explicit TempMasterFile(const std::string& text);
  ~TempMasterFile();
  TempMasterFile(const TempMasterFile&) = delete;
  TempMasterFile& operator=(const TempMasterFile&) = delete;

  void Rewrite(const std::string& text) const;
  std::string Read() const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  MasterFileVariable variable_;
};

// A fresh path in the temp folder (the file exists, empty).
std::string TempFilePath();

}  // namespace geran::test
