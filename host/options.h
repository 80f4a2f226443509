// geranhost's command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace geran::host {

// --sim-fail Method[@N][*K]=0xHRESULT[:"description"] or Method[@N]=crash: calls of Method on the
// simulator fail (every call, or only the N-th, or K calls from the N-th on), or the N-th (default
// the first) crashes the host.
struct SimFault {
  std::string method;
  int call = 0;   // 0: from the first call on
  int times = 0;  // calls that fail; 0: every one from call on
  long hresult = 0;
  std::optional<std::string> description;
  bool crash = false;
};

// --sim-value Name=N: a setting of the simulator.
struct SimValue {
  std::string name;
  long value = 0;
};

struct Options {
  std::string script;
  std::string dll;                   // empty: znGeranApiInterfaceDll.dll beside geranhost.exe
  std::string journal;               // --journal: where the library records its calls (GERAN_CALL_JOURNAL)
  std::string replay;                // --replay: the recorded journal the simulator answers from
  std::vector<std::string> compare;  // --compare: the two recorded journals to compare, no script
  std::string junit;                 // --junit: the JUnit XML report to write; empty: none
  std::string checkMaster;           // --check-master: the master parameter file to check instead of a run
  std::string pcap;                  // --pcap: the capture to write of the run's, or a journal's, messages
  std::vector<SimFault> faults;
  std::vector<SimValue> values;
  bool check = false;
  bool strictMessages = false;  // --strict-messages: a finding in a message is a script error
  bool quiet = false;
  bool stopOnFailure = false;
  bool noProgress = false;
  bool noConnectWait = false;
  bool list = false;
  bool help = false;
  bool version = false;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What a run needs and cannot have (a simulator setting COM would not see): said without the
// usage hint, before the first call.
struct SetupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file named on the command line that cannot be read or written.
struct FileError : SetupError {
  using SetupError::SetupError;
};

// The options in args (without the program name); throws UsageError for a bad command line.
Options ParseCommandLineOrThrow(const std::vector<std::string>& args);

// "Method[@N][*K]=0xHRESULT[:description]", the description with or without its quotes, or
// "Method[@N]=crash", Method one the simulator knows; throws UsageError.
SimFault ParseSimFaultOrThrow(std::string_view text);

// "Name=N", N decimal or 0x hex, Name one the simulator knows; throws UsageError.
SimValue ParseSimValueOrThrow(std::string_view text);

std::string Usage();

}  // namespace geran::host
