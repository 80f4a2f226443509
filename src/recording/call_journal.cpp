#include "recording/call_journal.h"

#include <com_pointers.h>

#include <optional>

namespace geran::recording {
namespace {

// The server's description of the failure that just happened. The thread's error object is put back, so the
// caller's own look-up finds it as if nothing had read it.
std::optional<std::string> ServerDescription() {
  IErrorInfoPtr info;
  if (GetErrorInfo(0, &info) != S_OK || !info) return std::nullopt;
  SetErrorInfo(0, info);
  _bstr_t description;
  if (FAILED(info->GetDescription(description.GetAddress())) || description.length() == 0)
    return std::nullopt;
  return journal::Utf8(description, description.length());
}

}  // namespace

DWORD CallJournal::Open(const std::wstring& path) {
  // Every line lands at the end in one write; readers may watch the file meanwhile. Writers are let
  // in for one case: a new connection creates the file afresh while the journal of the connection it
  // replaces is still open, and that journal writes nothing more.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  file_.reset(file);
  start_ = std::chrono::steady_clock::now();
  return ERROR_SUCCESS;
}

double CallJournal::Elapsed() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
}

void CallJournal::Append(double started, const char* method, const journal::Arg* first,
                         const journal::Arg* last, HRESULT hr,
                         const std::optional<journal::RecordedValue>& output, bool vouched) {
  const std::optional<std::string> description = FAILED(hr) && vouched ? ServerDescription() : std::nullopt;
  const std::string line =
      journal::RecordedLine(started, journal::FormatCall(method, first, last), hr, description, output);
  DWORD written = 0;
  WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

journal::ObjectName CallJournal::NameHandedOut(const char* kind) { return {kind, ++handedOut_[kind]}; }

LONG CallJournal::Enrol(const AuxSpeech* standIn, AuxSpeech* real) {
  standIns_[standIn] = Enrolled{real, ++enrolled_};
  return enrolled_;
}

void CallJournal::Withdraw(const AuxSpeech* standIn) { standIns_.erase(standIn); }

std::pair<AuxSpeech*, LONG> CallJournal::Unwrapped(AuxSpeech* speech) const {
  const auto found = standIns_.find(speech);
  if (found == standIns_.end()) return {speech, 0};
  return {found->second.real, found->second.number};
}

}  // namespace geran::recording
