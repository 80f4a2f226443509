// A fresh product per test with a master file of the test's choosing and access to the store by name.
#pragma once

#include "product_module.h"
#include "stdout_capture.h"
#include "temp_master_file.h"
#include "trace_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace geran::test {

// "C:\result.txt" from the handler binding up to the call's answer, when all six entry points exist.
inline const std::string kBoundAndCalled =
    "Loading Library(TEXT(ParameterHandler.dll))\n"
    "Get Proc registerParameterHandler Successfull\n"
    "Get Proc getParameterCount Successfull\n"
    "Get Proc getParameterValue Successfull\n"
    "Get Proc getParameterMap Successfull\n"
    "Get Proc setParameterValue Successfull\n"
    "Entering getParameterMap\n"
    "Entered getParameterMap\n"
    "called retCode = getParameterMap\n";

// The 64-byte value buffer after GetParameter wrote bytes: they, then untouched filler.
inline std::string Buffer(const std::string& written) {
  return written + std::string(64 - written.size(), '\xAA');
}
inline std::string ByteValue(int value) { return std::string(1, static_cast<char>(value)); }
inline std::string Int32Value(std::int32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}
inline std::string TextValue(const std::string& text) { return text + '\0'; }

class ParameterTest : public ::testing::Test {
 protected:
  void TearDown() override { RemoveTraceFiles(); }

  struct Loaded {
    int result;
    std::string console;
  };
  // Writes the master file and loads it; "C:\result.txt" then holds this load's lines only.
  Loaded Load(const std::string& masterText) {
    master_.Rewrite(masterText);
    DeleteFileA(kResult);
    StdoutCapture console;
    const int result = GERAN_EXPORT(module_, LoadMasterParameterFile)(0, 0);
    return {result, console.Take()};
  }

  struct Got {
    int result;
    std::string buffer;
  };
  Got Get(const char* name) const {
    Got got{0, Buffer("")};
    got.result = GERAN_EXPORT(module_, GetParameter)(name, 0, &got.buffer[0], 0);
    return got;
  }
  int SetText(const char* name, const char* text) const {
    return GERAN_EXPORT(module_, SetParameter)(name, 0, text, 0);
  }
  int SetInteger(const char* name, std::int32_t value) const {
    return GERAN_EXPORT(module_, SetParameter)(name, 0, &value, 0);
  }

 private:
  ProductModule module_;
  TempMasterFile master_{""};
};

}  // namespace geran::test
