#include "testset/call_recording.h"

#include "recording/recording.h"
#include "testset/connection.h"
#include "testset/failure_report.h"

#include <iostream>
#include <optional>
#include <string>
#include <utility>

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

}  // namespace

void RecordConnectionIfAsked() {
  const std::optional<std::wstring> path = RequestedJournal();
  if (!path) return;
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<recording::CallJournal> journal = recording::CallJournal::Create(*path, error);
  if (!journal) return SayNotRecorded(*path, error);
  SetConnection(recording::Recorded(TestSetApiPtr(TestSet()), journal));
  CallJournalSlot() = std::move(journal);
}

AuxSpeechPtr AsRecorded(AuxSpeechPtr speech) {
  const std::shared_ptr<recording::CallJournal>& journal = CallJournalSlot();
  return journal ? recording::Recorded(std::move(speech), journal) : speech;
}

}  // namespace geran
