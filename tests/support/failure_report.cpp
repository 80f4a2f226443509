#include "failure_report.h"

#include <cstdio>
#include <regex>

namespace geran::test {

::testing::AssertionResult IsFailureReport(const std::string& output, const std::string& file,
                                           const std::string& label, const std::string& text) {
  const std::string head = "COM EXCEPTION: " + file + ":";
  const std::string tail = ":" + label + "\n" + text;
  const bool framed = output.size() > head.size() + tail.size() &&
                      output.compare(0, head.size(), head) == 0 &&
                      output.compare(output.size() - tail.size(), tail.size(), tail) == 0;
  const std::string line =
      framed ? output.substr(head.size(), output.size() - head.size() - tail.size()) : "";
  if (framed && std::regex_match(line, std::regex("[1-9][0-9]*"))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "output:   \"" << output << "\"\nexpected: \"" << head << "<line>" << tail << "\"";
}

::testing::AssertionResult IsOutput(const std::string& output, const std::string& lines,
                                    const std::string& file, const char* label, const std::string& text) {
  if (label == nullptr && output == lines) return ::testing::AssertionSuccess();
  if (label == nullptr || output.compare(0, lines.size(), lines) != 0)
    return ::testing::AssertionFailure() << "output:   \"" << output << "\"\nexpected: \"" << lines << "\""
                                         << (label != nullptr ? " and a report" : "");
  return IsFailureReport(output.substr(lines.size()), file, label, text);
}

std::optional<std::string> SystemText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                                      static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr) return std::nullopt;
  std::wstring wide(buffer, length);
  LocalFree(buffer);
  if (wide.size() > 1 && wide.back() == L'\n') wide.pop_back();
  if (!wide.empty() && wide.back() == L'\r') wide.pop_back();
  std::string narrow(wide.size() * 2 + 1, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0],
                                          static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
  return narrow;
}

std::string MessageTextFor(HRESULT hr) {
  if (std::optional<std::string> text = SystemText(hr)) return *text;
  const unsigned long code = static_cast<unsigned long>(hr);
  char fallback[32];
  if (code > 0x80040200ul && code <= 0x8004FFFFul)
    std::snprintf(fallback, sizeof fallback, "IDispatch error #%lu", code - 0x80040200ul);
  else
    std::snprintf(fallback, sizeof fallback, "Unknown error 0x%lX", code);
  return fallback;
}

}  // namespace geran::test
