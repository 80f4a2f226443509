// Checking the product's failure reports: "COM EXCEPTION: <file>:<line>:<label>\n<text>".
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace geran::test {

// Passes when output is exactly one report from source file (repository-relative path) with
// label and text; the line must be a positive decimal number.
::testing::AssertionResult IsFailureReport(const std::string& output, const std::string& file,
                                           const std::string& label, const std::string& text);

// Passes when output is lines, followed by one such report when label is given.
::testing::AssertionResult IsOutput(const std::string& output, const std::string& lines,
                                    const std::string& file, const char* label, const std::string& text);

// The system's own message text for hr in the test process (trailing CR LF removed, ANSI code
// page), or nothing when the system has none (Wine lacks many).
std::optional<std::string> SystemText(HRESULT hr);

// What a report shows for hr without a server description: the system text, or the
// "Unknown error 0x..." / "IDispatch error #..." fallback when there is none.
std::string MessageTextFor(HRESULT hr);

}  // namespace geran::test
