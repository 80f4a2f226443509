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
extern const char* const kBoundAndCalled;

inline constexpr char kUntouched = '\xAA';
inline constexpr size_t kValueBufferSize = 64;

// The value buffer after GetParameter wrote bytes: they, then untouched filler.
std::string Buffer(const std::string& written);
std::string ByteValue(int value);
std::string Int32Value(std::int32_t value);
std::string TextValue(const std::string& text);  // with its terminating zero

class ParameterTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveTraceFiles(); }
  void TearDown() override { RemoveTraceFiles(); }

  struct Loaded {
    int result;
    std::string console;
  };
  // Writes the master file and loads it; "C:\result.txt" then holds this load's lines only.
  Loaded Load(const std::string& masterText);
  int LoadResult(const std::string& masterText) { return Load(masterText).result; }

  struct Got {
    int result;
    std::string buffer;  // all kValueBufferSize bytes
  };
  Got Get(const char* name) const;
  int SetText(const char* name, const char* text) const;
  int SetInteger(const char* name, std::int32_t value) const;

  const ProductModule& module() const { return module_; }

 private:
  ProductModule module_;
  TempMasterFile master_{""};
};

}  // namespace geran::test
