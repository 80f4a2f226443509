// The one funnel for failure reports: "COM EXCEPTION: <file>:<line>:<label>" and the failure's text.
#pragma once

#include <comdef.h>

#include <string>

namespace geran {

// Where a report is made: captured at the export by GERAN_REPORT_SITE.
struct ReportSite {
  const char* file;
  int line;
  const char* function;  // the export, named in the line about an unexpected exception
};

#define GERAN_REPORT_SITE (::geran::ReportSite{__FILE__, __LINE__, __func__})

// The failure's message text for its HRESULT (system text or the "IDispatch error"/"Unknown
// error" fallback), narrowed with the ANSI code page.
std::string NarrowMessageText(const _com_error& failure);

// Writes the report to standard output; the text ends without a line end.
void ReportFailure(const char* label, const ReportSite& site, const _com_error& failure);

// For a handler of anything but an automation failure: writes one line naming the export and what
// was caught ("<export> failed: out of memory\n" for std::bad_alloc, "unexpected automation failure
// 0x8000FFFF" with its code for an automation failure). Call it only inside a catch block.
void ReportUnexpectedException(const ReportSite& site) noexcept;

}  // namespace geran
