#include "crash_report.h"

#include "junit.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace geran::host {
namespace {

// GCC's C++ runtime raises its exceptions as this SEH code; one that reaches the filter was not caught.
constexpr DWORD kGccCxxException = 0x20474343;

const char* ExceptionName(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
      return "access violation";
    case EXCEPTION_STACK_OVERFLOW:
      return "stack overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return "illegal instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      return "integer division by zero";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return "array bounds exceeded";
    case EXCEPTION_IN_PAGE_ERROR:
      return "in-page error";
    case STATUS_HEAP_CORRUPTION:
      return "heap corruption";
    case STATUS_STACK_BUFFER_OVERRUN:
      return "stack buffer overrun";
    case kGccCxxException:
      return "an unhandled C++ exception";
    default:
      return nullptr;
  }
}

const char* AccessName(ULONG_PTR kind) {
  switch (kind) {
    case 0:
      return "reading";
    case 1:
      return "writing";
    case 8:
      return "executing";
    default:
      return "accessing";
  }
}

// "0x" and every hex digit of a pointer, the same on every C runtime (%p is not).
struct HexAddress {
  explicit HexAddress(const void* address) {
    std::snprintf(text, sizeof text, "0x%0*llX", static_cast<int>(sizeof address * 2),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
  }
  char text[24];
};

}  // namespace

void DescribeException(const EXCEPTION_RECORD& record, char* buffer, std::size_t size) {
  const DWORD code = record.ExceptionCode;
  const char* name = ExceptionName(code);
  char detail[128] = "";
  if (code == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
    std::snprintf(detail, sizeof detail, "%s %s address %s", name, AccessName(record.ExceptionInformation[0]),
                  HexAddress(reinterpret_cast<void*>(record.ExceptionInformation[1])).text);
  else if (name != nullptr)
    std::snprintf(detail, sizeof detail, "%s", name);
  std::snprintf(buffer, size, "exception 0x%08lX%s%s%s at %s", static_cast<unsigned long>(code),
                detail[0] != '\0' ? " (" : "", detail, detail[0] != '\0' ? ")" : "",
                HexAddress(record.ExceptionAddress).text);
}

CrashReport* CrashReport::active_ = nullptr;

CrashReport::CrashReport()
    : previousFilter_(SetUnhandledExceptionFilter(&CrashReport::OnUnhandledException)),
      previousAbort_(std::signal(SIGABRT, &CrashReport::OnAbort)) {
  DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_OUTPUT_HANDLE), GetCurrentProcess(), &output_, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  active_ = this;
}

CrashReport::~CrashReport() {
  active_ = nullptr;
  std::signal(SIGABRT, previousAbort_);
  SetUnhandledExceptionFilter(previousFilter_);
  if (output_ != nullptr) CloseHandle(output_);
  if (junit_ != INVALID_HANDLE_VALUE) CloseHandle(junit_);
}

void CrashReport::AlsoWriteJunit(const std::string& path, std::string head, std::string tail) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  junit_ = CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, OPEN_ALWAYS, 0, nullptr);
  junitHead_ = std::move(head);
  junitTail_ = std::move(tail);
}

CrashReport::CallScope::CallScope(CrashReport& report, int line, std::string call, int passed, int failed)
    : report_(report) {
  report_.call_ = std::move(call);
  report_.passed_ = passed;
  report_.failed_ = failed;
  report_.line_ = line;
}

CrashReport::CallScope::~CallScope() { report_.line_ = 0; }

LONG WINAPI CrashReport::OnUnhandledException(EXCEPTION_POINTERS* exception) {
  char what[256];
  DescribeException(*exception->ExceptionRecord, what, sizeof what);
  active_->Die(what);
  return EXCEPTION_EXECUTE_HANDLER;  // not reached: Die ends the process
}

void CrashReport::OnAbort(int) { active_->Die("abort() was called"); }

void CrashReport::Die(const char* what) const {
  // A second crash while reporting the first (or on another thread) ends the process at once.
  static LONG dying = 0;
  if (InterlockedExchange(&dying, 1) != 0) TerminateProcess(GetCurrentProcess(), kCrashedExitCode);
  StartJunit();
  char text[512];
  int length = line_ > 0 ? std::snprintf(text, sizeof text, "\ncrashed: line %d: ", line_)
                         : std::snprintf(text, sizeof text, "\ncrashed between calls: ");
  Write(text, static_cast<std::size_t>(length));
  if (line_ > 0) {
    Write(call_.data(), call_.size());
    Write(": ", 2);
  }
  length =
      std::snprintf(text, sizeof text, "%s\n%d passed, %d failed; the run crashed", what, passed_, failed_);
  Write(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
  length = line_ > 0 ? std::snprintf(text, sizeof text, " at line %d\n", line_)
                     : std::snprintf(text, sizeof text, "\n");
  Write(text, static_cast<std::size_t>(length));
  EndJunit();
  TerminateProcess(GetCurrentProcess(), kCrashedExitCode);
}

void CrashReport::Write(const char* text, std::size_t length) const {
  DWORD written = 0;
  WriteFile(output_, text, static_cast<DWORD>(length), &written, nullptr);
  WriteJunit(text, length);
}

void CrashReport::StartJunit() const {
  if (junit_ == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  SetFilePointer(junit_, 0, nullptr, FILE_BEGIN);
  SetEndOfFile(junit_);
  WriteFile(junit_, junitHead_.data(), static_cast<DWORD>(junitHead_.size()), &written, nullptr);
}

// As XML text, a chunk at a time.
void CrashReport::WriteJunit(const char* text, std::size_t length) const {
  if (junit_ == INVALID_HANDLE_VALUE) return;
  char chunk[512], buffer[8];
  std::size_t used = 0;
  DWORD written = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char* piece = XmlText(text[i], buffer);
    const std::size_t size = std::strlen(piece);
    if (used + size > sizeof chunk)
      WriteFile(junit_, chunk, static_cast<DWORD>(std::exchange(used, 0)), &written, nullptr);
    std::memcpy(chunk + used, piece, size);
    used += size;
  }
  WriteFile(junit_, chunk, static_cast<DWORD>(used), &written, nullptr);
}

void CrashReport::EndJunit() const {
  if (junit_ == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(junit_, junitTail_.data(), static_cast<DWORD>(junitTail_.size()), &written, nullptr);
}

}  // namespace geran::host
