// What a crash report says about the exception: its code, a name for the common ones, the access
// and the addresses in full width. The report itself: geranhost_test.cpp.
#include "crash_report.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace geran::host {
namespace {

// An address as the report writes it: 0x and every hex digit of a pointer.
std::string Address(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", static_cast<int>(sizeof(void*) * 2), value);
  return text;
}

TEST(DescribeException, CodeNameAccessAndAddresses) {
  const struct {
    DWORD code;
    std::vector<ULONG_PTR> information;
    std::string expected;  // before " at <address>"
  } cases[] = {
      {EXCEPTION_ACCESS_VIOLATION,
       {1, 0x10},
       "exception 0xC0000005 (access violation writing address " + Address(0x10) + ")"},
      {EXCEPTION_ACCESS_VIOLATION,
       {0, 0xBEEF},
       "exception 0xC0000005 (access violation reading address " + Address(0xBEEF) + ")"},
      {EXCEPTION_ACCESS_VIOLATION,
       {8, 0},
       "exception 0xC0000005 (access violation executing address " + Address(0) + ")"},
      {EXCEPTION_ACCESS_VIOLATION, {}, "exception 0xC0000005 (access violation)"},
      {EXCEPTION_STACK_OVERFLOW, {}, "exception 0xC00000FD (stack overflow)"},
      {0xC0000374, {}, "exception 0xC0000374 (heap corruption)"},
      {0x20474343, {0}, "exception 0x20474343 (an unhandled C++ exception)"},
      {0xE0000001, {}, "exception 0xE0000001"},
  };
  for (const auto& c : cases) {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = c.code;
    record.ExceptionAddress = reinterpret_cast<void*>(0x6A2C15F3);
    record.NumberParameters = static_cast<DWORD>(c.information.size());
    for (size_t i = 0; i < c.information.size(); ++i) record.ExceptionInformation[i] = c.information[i];
    char text[256];
    DescribeException(record, text, sizeof text);
    EXPECT_EQ(text, c.expected + " at " + Address(0x6A2C15F3));
  }
}

}  // namespace
}  // namespace geran::host
