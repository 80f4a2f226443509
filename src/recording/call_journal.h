// The file a recording writes: one line per call, appended with one write before the call returns.
#pragma once

#include <journal/call_format.h>
#include <journal/recorded_journal.h>
#include <win32/handles.h>

#include <chrono>
#include <map>
#include <string>
#include <utility>

namespace geran::recording {

class CallJournal {
 public:
  // Creates the journal's file empty: ERROR_SUCCESS, or the system's error code. The clock starts
  // now, as the connection is made.
  DWORD Open(const std::wstring& path);

  // Milliseconds since the journal was created, when the connection was made.
  double Elapsed() const;

  // Appends the call's line: its start time, the call, the HRESULT, for a failure the server's
  // description when the object vouched for its error information, and the value the call handed out.
  // The thread's error object is left for the caller.
  void Append(double started, const char* method, const journal::Arg* first, const journal::Arg* last,
              HRESULT hr, const std::optional<journal::RecordedValue>& output, bool vouched);

  // The name of an object of kind handed out now: numbered from 1 per kind since connecting.
  journal::ObjectName NameHandedOut(const char* kind);

  // Aux speech stand-ins: numbered from 1 in the order they enrol, as the simulator numbers the
  // objects it makes, and known by their pointer until they withdraw.
  LONG Enrol(const AuxSpeech* standIn, AuxSpeech* real);
  void Withdraw(const AuxSpeech* standIn);
  // The object behind a stand-in with its number; any other pointer as it is, with 0.
  std::pair<AuxSpeech*, LONG> Unwrapped(AuxSpeech* speech) const;

 private:
  struct Enrolled {
    AuxSpeech* real;
    LONG number;
  };

  Handle file_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  LONG enrolled_ = 0;
  std::map<std::string, long> handedOut_;
  std::map<const AuxSpeech*, Enrolled> standIns_;
};

}  // namespace geran::recording
