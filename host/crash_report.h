// A run that crashes says so: which call it was making, the exception, a closing line, and its own
// exit status, instead of dying silently (or in a debugger) with a status that may read as success.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace geran::host {

// geranhost's exit status after a crash.
inline constexpr int kCrashedExitCode = 3;

// While one is alive, an unhandled exception on any thread of the process, or abort(), ends the
// process with kCrashedExitCode after two lines on the standard output the host started with:
//   crashed: line 3: GetAccessBurst(out burst): exception 0xC0000005 (access violation writing
//   address 0x00000000) at 0x6A2C15F3
//   1 passed, 0 failed; the run crashed at line 3
// The process may be in any state then (a corrupt heap above all), so the report allocates nothing.
// One at a time: the filter the system calls has no context argument.
class CrashReport {
 public:
  CrashReport();
  ~CrashReport();
  CrashReport(const CrashReport&) = delete;
  CrashReport& operator=(const CrashReport&) = delete;

  // A crash also rewrites the file at path (opened now, created if need be) as head, the report's
  // lines as XML text, then tail: a JUnit report of one failed case, for a CI server.
  void AlsoWriteJunit(const std::string& path, std::string head, std::string tail);

  // The call being made until the scope ends (argument teardown included), and the counts of the
  // calls before it.
  class CallScope {
   public:
    CallScope(CrashReport& report, int line, std::string call, int passed, int failed);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

   private:
    CrashReport& report_;
  };

 private:
  static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception);
  static void OnAbort(int signal);
  void Die(const char* what) const;
  void Write(const char* text, std::size_t length) const;
  void StartJunit() const;
  void WriteJunit(const char* text, std::size_t length) const;
  void EndJunit() const;

  static CrashReport* active_;
  LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_;
  void (*previousAbort_)(int);
  HANDLE output_ = nullptr;  // a duplicate: a call's output relay closes and replaces the standard output
  HANDLE junit_ = INVALID_HANDLE_VALUE;
  std::string junitHead_, junitTail_;
  int line_ = 0;  // 0: between calls
  std::string call_;
  int passed_ = 0;
  int failed_ = 0;
};

// "exception 0xC0000005 (access violation writing address 0x00000000) at 0x6A2C15F3", into buffer
// (cut to size bytes, always NUL-terminated).
void DescribeException(const EXCEPTION_RECORD& record, char* buffer, std::size_t size);

}  // namespace geran::host
