// What recording costs per call (GERAN_CALL_JOURNAL): a call through the recording layer, which
// formats its line and appends it with one write, against the same call made unrecorded.
#include "session.h"
#include "timing.h"

#include <recording/recording.h>

#include <stdexcept>

namespace geran::bench {
namespace {

constexpr double kBatchNs = 20e6;  // 20 ms per timed batch

struct RecordedCase {
  const char* name;
  HRESULT (*call)(TestSetApi* testSet, const Payloads& payloads);
};

const RecordedCase kCases[] = {
    {"DisableCch", [](TestSetApi* t, const Payloads&) { return t->DisableCch(1); }},
    {"ShiftRight (out value)",
     [](TestSetApi* t, const Payloads&) {
       long answer = 0;
       return t->ShiftRight(1, 2, &answer);
     }},
    {"SendSIMsg (23 bytes)", [](TestSetApi* t, const Payloads& p) { return t->SendSIMsg(5, 23, p.siList); }},
    {"CipherMode (2 x 64 elements)",
     [](TestSetApi* t, const Payloads& p) { return t->CipherMode(1, 2, 0, p.keyList, p.randList, 1, 1); }},
};

// A journal in the temp folder, removed when the measurement is done.
class ScratchJournal {
 public:
  ScratchJournal() {
    wchar_t folder[MAX_PATH];
    path_ = std::wstring(folder, GetTempPathW(MAX_PATH, folder)) + L"geranbench_call_journal.txt";
    if (journal_->Open(path_) != ERROR_SUCCESS)
      throw std::runtime_error("cannot create a call journal in the temp folder");
  }
  ~ScratchJournal() {
    journal_ = nullptr;
    DeleteFileW(path_.c_str());
  }
  ScratchJournal(const ScratchJournal&) = delete;
  ScratchJournal& operator=(const ScratchJournal&) = delete;

  const std::shared_ptr<recording::CallJournal>& journal() const { return journal_; }

 private:
  std::wstring path_;
  std::shared_ptr<recording::CallJournal> journal_ = std::make_shared<recording::CallJournal>();
};

Figure Measure(const Session& session, TestSetApi* recorded, const RecordedCase& c) {
  auto viaRecording = [&] { return c.call(recorded, session.payloads); };
  auto unrecorded = [&] { return c.call(session.testSet, session.payloads); };
  const PairedCost cost = MedianPaired(viaRecording, unrecorded, kBatchNs);
  return {"call journal",
          std::string(c.name) + " recorded",
          cost.first,
          "ns/call",
          cost.second,
          cost.first / cost.second,
          "",
          {},
          "reference: the same call unrecorded; one line written per call"};
}

}  // namespace

void MeasureCallJournal(Session& session, Figures& figures) {
  const ScratchJournal scratch;
  TestSetApiPtr testSet = session.testSet;
  const TestSetApiPtr recorded = recording::Recorded(testSet, scratch.journal());
  for (const RecordedCase& c : kCases) figures.Add(Measure(session, recorded, c));
}

}  // namespace geran::bench
