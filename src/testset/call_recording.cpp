#include "testset/call_recording.h"

#include "recording/recording.h"
#include "testset/failure_report.h"

#include <iostream>
#include <optional>
#include <string>

namespace geran {
namespace {

constexpr const wchar_t* kJournalVariable = L"GERAN_CALL_JOURNAL";

// The variable's value; nothing when it is unset or empty.
std::optional<std::wstring> RequestedJournal() {
  const DWORD size = GetEnvironmentVariableW(kJournalVariable, nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::wstring path(size, L'\0');
  path.resize(GetEnvironmentVariableW(kJournalVariable, &path[0], size));
  return path;
}

void SayNotRecorded(const std::wstring& path, DWORD error) {
  const _bstr_t name(path.c_str());
  std::cout << "Call journal " << static_cast<const char*>(name)
            << " cannot be created, calls are not recorded: "
            << NarrowMessageText(_com_error(HRESULT_FROM_WIN32(error))) << "\n";
}

// The aux speech slot as it goes with a connection recorded in journal (null: unrecorded): the object
// itself, behind journal's stand-in while recorded; nothing when neither connection is recorded, as
// the slot then stays as it is.
std::optional<AuxSpeechPtr> AuxSpeechFor(const std::shared_ptr<recording::CallJournal>& journal) {
  const std::shared_ptr<recording::CallJournal>& current = recording::ConnectionJournal();
  if (!journal && !current) return std::nullopt;
  AuxSpeech* held = AuxSpeechSlot().GetInterfacePtr();
  if (current && held != nullptr) held = current->Unwrapped(held).first;
  AuxSpeechPtr speech(held);
  if (journal && speech) speech = recording::Recorded(speech, journal);
  return speech;
}

Connection Unrecorded(const TestSetApiPtr& created) {
  return Connection{created, nullptr, AuxSpeechFor(nullptr)};
}

// The new connection recorded in a journal made for it: everything that allocates comes before the
// file is created, so that a failure cannot leave a fresh file behind an unrecorded connection.
Connection RecordedConnection(const TestSetApiPtr& created, const std::wstring& path) {
  Connection next{nullptr, std::make_shared<recording::CallJournal>(), std::nullopt};
  TestSetApiPtr real = created;
  next.testSet = recording::Recorded(real, next.journal);
  next.auxSpeech = AuxSpeechFor(next.journal);
  const DWORD error = next.journal->Open(path);
  if (error == ERROR_SUCCESS) return next;
  SayNotRecorded(path, error);
  return Unrecorded(created);
}

}  // namespace

Connection PrepareConnection(const TestSetApiPtr& created) {
  const std::optional<std::wstring> path = created ? RequestedJournal() : std::nullopt;
  if (!path) return Unrecorded(created);
  return RecordedConnection(created, *path);
}

void RecordIfRecording(AuxSpeechPtr& speech) {
  const std::shared_ptr<recording::CallJournal>& journal = recording::ConnectionJournal();
  if (speech && journal) speech = recording::Recorded(speech, journal);
}

}  // namespace geran
