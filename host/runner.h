// Runs a checked script: every call through its typed adapter, on the calling thread, one at a time.
#pragma once

#include "script.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geran::host {

// The functions a script calls, by export name.
using Functions = std::map<std::string_view, FARPROC>;

struct Binding {
  Functions functions;
  std::vector<std::string> missing;  // symbols the library does not export
};

// Looks up every export the script calls (find: symbol -> address, nullptr when absent).
Binding Bind(const Script& script, const std::function<FARPROC(const char* symbol)>& find);

struct RunOptions {
  bool quiet = false;          // only failed calls, conclusions and the closing line
  bool progress = false;       // live status of long calls on stderr
  bool stopOnFailure = false;  // end the run at the first failed expectation
  std::string journal;         // the call journal that the script's journal lines read
  std::string junit;           // the JUnit report a crash writes too (empty: none)
  std::string suite;           // the report's suite name
};

// One call made, or one journal line checked, as a report of the run (--junit) needs it.
struct CallRecord {
  int line = 0;
  std::string call;  // "Name(arguments as written)", or the journal line as written
  int result = 0;
  std::optional<std::int32_t> expected;
  double seconds = 0;
  std::string output;         // what the library wrote to standard output during the call
  bool journalCheck = false;  // a journal line: an expectation of its own, never a call
  std::string failure;        // a journal line that did not hold: why; empty otherwise
  bool skipped = false;       // not made: the run stopped at a failed expectation before it
};

// Whether a record carries an expectation, and whether that expectation failed.
inline bool IsExpectation(const CallRecord& record) {
  return record.journalCheck || record.expected.has_value();
}
inline bool Failed(const CallRecord& record) {
  if (record.skipped) return false;
  return record.journalCheck ? !record.failure.empty() : record.expected && *record.expected != record.result;
}

// The calls under one "##" heading; the calls before the first heading have none.
struct Section {
  std::optional<std::string> heading;
  std::vector<CallRecord> calls;
};

struct Summary {
  int passed = 0;
  int failed = 0;
  std::vector<Section> sections;  // the calls made, then those a stop left unmade; no section without one
};

// Runs the steps in order, writing every call, its result, its out values, every journal check and
// the closing line "N passed, N failed" to stdout, flushed around every call so the library's output
// stays in order (quiet: only a failed call, with its output after its line, and a BER run's result).
// A 0 whose cause the host can tell (no connection, said once; no master file loaded; a second
// InitialiseSystem(); an unregistered test set; the library's reason for a failed master load) gets a
// note after the call; a run that made test-set commands without a connection says so at its close.
// A crash during the run ends the process with kCrashedExitCode after its report (crash_report.h).
Summary Run(const Script& script, const Functions& functions, const RunOptions& options);

// 0 when every expectation held, 1 otherwise.
int ExitCode(const Summary& summary);

}  // namespace geran::host
