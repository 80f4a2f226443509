#include "testset/failure_report.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <vector>

namespace geran {
namespace {

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return std::string();
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::vector<char> narrow(static_cast<size_t>(length));
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  return std::string(narrow.data());
}

// The server's description when it gave one, else the message text of the HRESULT.
std::string ReportText(const _com_error& failure) {
  const _bstr_t description = failure.Description();  // empty without an error object
  if (description.length() > 0) return Narrow(description);
  return Narrow(failure.ErrorMessage());
}

}  // namespace

std::string NarrowMessageText(const _com_error& failure) { return Narrow(failure.ErrorMessage()); }

void ReportFailure(const char* label, const ReportSite& site, const _com_error& failure) {
  std::cout << "COM EXCEPTION: " << site.file << ":" << site.line << ":" << label << std::endl
            << ReportText(failure);
}

// Written piece by piece, with nothing allocated: memory may be exhausted right now.
void ReportUnexpectedException(const ReportSite& site) noexcept {
  std::cout << site.function << " failed: ";
  try {
    throw;
  } catch (const std::bad_alloc&) {
    std::cout << "out of memory";
  } catch (const _com_error& failure) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(failure.Error()));
    std::cout << "unexpected automation failure " << code;
  } catch (const std::exception& exception) {
    std::cout << "unexpected exception: " << exception.what();
  } catch (...) {
    std::cout << "unexpected exception";
  }
  std::cout << std::endl;
}

}  // namespace geran
