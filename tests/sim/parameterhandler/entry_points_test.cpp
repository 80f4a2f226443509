// ParameterHandler.dll through its import library, over real master files: where getParameterMap
// looks and how it refuses. What it reads is pinned by the product's master load, which uses the real
// library; the product binds the other five entry points and never calls them.
#include "stdout_capture.h"
#include "temp_master_file.h"

#include <ParameterHandler.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace geran::test {
namespace {

const int kHandlerId = 3;

struct MapRead {
  int code;
  ParameterList list;
  std::string errors;
};

MapRead ReadMap() {
  MapRead read{-1, {}, {}};
  StdoutCapture errors(2);
  read.code = getParameterMap(&kHandlerId, &read.list);
  read.errors = errors.Take();
  return read;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

TEST(GetParameterMap, EachBadInputHasItsCodeAnEmptyListAndItsLineOnStderr) {
  enum Where { kFile, kNoFile };
  using namespace std::string_literals;
  const struct {
    Where where;
    std::string text;
    int code;
    const char* message;  // after "ParameterHandler: <path>"
  } cases[] = {
      {kNoFile, "", kMasterFileNotFound, ": master parameter file not found"},
      {kFile, "[GSM]\nRX Level -60\n", kMasterFileMalformedLine,
       ":2: malformed line: expected [group], key = value, a comment or a blank line"},
      {kFile, "; settings\nRX Level = 1\n[GSM]\n", kMasterFileKeyOutsideGroup,
       ":2: key \"RX Level\" before the first [group]"},
      {kFile, "[GSM]\nRX\0Level = 1\n"s, kMasterFileMalformedLine,
       ":2: not a text file: control byte 0x00 at column 3"},
      {kFile, "[GSM]\r\nRX Level = " + std::string(10 << 20, '9') + "\r\n", kMasterFileMalformedLine,
       ":2: line too long: 10485771 bytes, at most 65536"},
  };
  for (const auto& c : cases) {
    const TempMasterFile file(c.text);
    std::string path = file.path();
    if (c.where == kNoFile) DeleteFileA(path.c_str());
    const MapRead read = ReadMap();
    const std::string shown = c.text.substr(0, 40);
    EXPECT_EQ(read.code, c.code) << shown;
    EXPECT_EQ(read.list.size(), 0u) << shown;
    EXPECT_EQ(read.errors, "ParameterHandler: " + path + c.message + "\n") << shown;
  }
}

TEST(GetParameterMap, WithoutTheVariableReadsTheExampleBesideTheDll) {
  SetEnvironmentVariableA(kMasterVariable, nullptr);
  char dll[MAX_PATH];
  ASSERT_NE(GetModuleFileNameA(GetModuleHandleA("ParameterHandler.dll"), dll, MAX_PATH), 0u);
  const MapRead read = ReadMap();
  ASSERT_EQ(read.code, kHandlerOk) << read.errors;
  EXPECT_EQ(read.list.at("RX Level").sourceFile, FolderOf(dll) + "MasterParameters.ini");
}

}  // namespace
}  // namespace geran::test
