// Replay of a recorded call journal: each call is answered with the recorded outcome of the next
// recorded call, and the first call that departs from the recording fails, naming both calls.
#include "simulator_state.h"

#include <journal/recorded_journal.h>
#include <win32/system.h>

namespace geran::sim {
namespace {

using journal::RecordedValue;

constexpr HRESULT kDeparted = E_UNEXPECTED;

// The file's bytes; its error code when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, DWORD& error) {
  const HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return std::nullopt;
  }
  const Handle file(opened);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) {
    error = GetLastError();
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    error = GetLastError();
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes;
}

// The recorded call as a step, or why it cannot be replayed.
std::variant<ReplayStep, std::string> ReadStep(const journal::RecordedCall& call) {
  if (std::optional<std::string> problem = journal::Unreadable(call)) return std::move(*problem);
  const journal::Outcome outcome = *journal::ParseOutcome(call.outcome);
  ReplayStep step{call.line, call.call, outcome.hresult, Text(), std::nullopt};
  if (outcome.description) step.description = journal::Utf16(*outcome.description);
  if (!call.output.empty()) step.output = journal::ParseValue(call.output);
  return step;
}

// Fails the call with text as its error information and keeps text as the replay's departure.
HRESULT Depart(Replay& current, std::string text, REFIID iid) {
  if (current.departure.empty()) current.departure = std::move(text);
  SetErrorInformation(Text(journal::Utf16(current.departure)), iid);
  return kDeparted;
}

std::string DepartureAt(const Replay& current, const std::string& expected, const std::string& received) {
  return "the replay of " + current.path + " departed at call " + std::to_string(current.next + 1) +
         ": expected " + expected + ", received " + received;
}

std::string Expected(const ReplayStep& step) {
  return step.call + " (line " + std::to_string(step.line) + ")";
}

}  // namespace

HRESULT LoadReplay(const std::string& path, std::string& error) {
  DWORD readError = ERROR_SUCCESS;
  const std::optional<std::string> text = ReadWholeFile(path, readError);
  if (!text) {
    error = "cannot read " + path + ": " + SystemMessage(readError);
    return HRESULT_FROM_WIN32(readError);
  }
  Replay loading{path, {}, 0, {}};
  for (const journal::RecordedCall& call : journal::ParseRecording(*text)) {
    std::variant<ReplayStep, std::string> step = ReadStep(call);
    if (const auto* problem = std::get_if<std::string>(&step)) {
      error = path + " line " + std::to_string(call.line) + ": " + *problem;
      return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    loading.steps.push_back(std::move(std::get<ReplayStep>(step)));
  }
  // As fresh as the rack was when the recording started: aux speech objects numbered from 1 again.
  SimulatorState& simulator = Simulator();
  simulator.Reset();
  const SimulatorState::Locked state = simulator.Lock();
  state->replay = std::move(loading);
  simulator.replaying = true;
  return S_OK;
}

std::optional<ReplayAnswer> ReplayCall(const char* method, REFIID iid, std::initializer_list<Arg> args) {
  if (!Simulator().replaying) return std::nullopt;
  const std::string received = journal::FormatCall(method, args);
  const SimulatorState::Locked state = Simulator().Lock();
  if (!state->replay) return std::nullopt;
  Replay& current = *state->replay;
  if (!current.departure.empty()) return ReplayAnswer{Depart(current, "", iid), std::nullopt, 0};
  if (current.next == current.steps.size()) {
    const std::string end = "the end of the recording (" + std::to_string(current.steps.size()) + " calls)";
    return ReplayAnswer{Depart(current, DepartureAt(current, end, received), iid), std::nullopt, 0};
  }
  const ReplayStep& step = current.steps[current.next];
  if (step.call != received)
    return ReplayAnswer{Depart(current, DepartureAt(current, Expected(step), received), iid), std::nullopt,
                        0};
  ++current.next;
  if (FAILED(step.hr)) SetErrorInformation(step.description, iid);
  return ReplayAnswer{step.hr, step.output, step.line};
}

HRESULT RefuseOutput(const char* method, REFIID iid, int line) {
  const SimulatorState::Locked state = Simulator().Lock();
  std::optional<Replay>& replay = state->replay;
  if (!replay) return kDeparted;
  const std::string text = "the replay of " + replay->path + " cannot answer " + method + " from line " +
                           std::to_string(line) + ": its out value does not fit the call";
  return Depart(*replay, text, iid);
}

std::optional<std::string> ReplayOutcome() {
  const SimulatorState::Locked state = Simulator().Lock();
  const std::optional<Replay>& replay = state->replay;
  if (!replay) return std::nullopt;
  if (!replay->departure.empty() || replay->next == replay->steps.size()) return replay->departure;
  return "the replay of " + replay->path + " ended after " + std::to_string(replay->next) + " of " +
         std::to_string(replay->steps.size()) + " recorded calls; the next one was " +
         Expected(replay->steps[replay->next]);
}

bool HandOutRecorded(const std::optional<RecordedValue>& value, std::nullptr_t) { return !value; }

namespace {

const double* RecordedNumber(const std::optional<RecordedValue>& value) {
  return value ? std::get_if<double>(&*value) : nullptr;
}

template <class Integer>
bool HandOutInteger(const std::optional<RecordedValue>& value, Integer* out) {
  const double* number = RecordedNumber(value);
  if (number == nullptr || out == nullptr) return false;
  *out = static_cast<Integer>(*number);
  return *out == *number;
}

template <class Interface>
bool HandOutObject(const std::optional<RecordedValue>& value, const char* kind, Interface** out) {
  if (!value || out == nullptr) return false;
  *out = nullptr;
  if (std::holds_alternative<std::monostate>(*value)) return true;
  const auto* name = std::get_if<journal::ObjectName>(&*value);
  return name != nullptr && name->kind == kind && SUCCEEDED(NewBerObject(out));
}

}  // namespace

bool HandOutRecorded(const std::optional<RecordedValue>& value, LONG* out) {
  return HandOutInteger(value, out);
}
bool HandOutRecorded(const std::optional<RecordedValue>& value, short* out) {
  return HandOutInteger(value, out);
}

bool HandOutRecorded(const std::optional<RecordedValue>& value, double* out) {
  const double* number = RecordedNumber(value);
  if (number == nullptr || out == nullptr) return false;
  *out = *number;
  return true;
}

bool HandOutRecorded(const std::optional<RecordedValue>& value, BSTR* out) {
  if (!value || out == nullptr) return false;
  *out = nullptr;
  if (std::holds_alternative<std::monostate>(*value)) return true;
  const auto* text = std::get_if<std::string>(&*value);
  if (text == nullptr) return false;
  const std::wstring wide = journal::Utf16(*text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out != nullptr;
}

bool HandOutRecorded(const std::optional<RecordedValue>& value, BerMeasurement** out) {
  return HandOutObject(value, "BerMeasurement", out);
}
bool HandOutRecorded(const std::optional<RecordedValue>& value, BerCounterGroup** out) {
  return HandOutObject(value, "BerCounterGroup", out);
}
bool HandOutRecorded(const std::optional<RecordedValue>& value, BerCounterSet** out) {
  return HandOutObject(value, "BerCounterSet", out);
}

}  // namespace geran::sim
