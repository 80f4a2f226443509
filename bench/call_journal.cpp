// What recording costs per call (GERAN_CALL_JOURNAL): a call through the recording layer, which
// formats its line and appends it with one write, against the same call made unrecorded.
#include "session.h"
#include "timing.h"

#include <pcap_writer.h>
#include <recording/recording.h>

#include <stdexcept>
#include <string>

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

constexpr long kCaptureCalls = 100000;

// A recorded journal of kCaptureCalls calls, a quarter each: a 22-octet system information message,
// a 37-octet message on the dedicated channel (two frames), an expected uplink message, another call.
std::string LongJournal() {
  const char* calls[] = {
      "SendSIMsg(3, 22, [6,27,0,1,0,241,16,0,1,73,6,40,40,104,0,148,0,0,43,43,43,43])\t0x00000000",
      "SendMsg(1, 0, 37, "
      "[5,18,0,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,16,160,161,162,163,164,"
      "165,166,167,168,169,170,171,172,173,174,175], 0)\t0x00000000",
      "WaitMsg(1, 0, 5000, [6,50])\t0x00000000",
      "WaitTime(20)\t0x00000000",
  };
  std::string journal;
  for (long i = 0; i < kCaptureCalls; ++i)
    journal += std::to_string(10000 + i * 5) + ".125\t" + calls[i % 4] + "\n";
  return journal;
}

// geranhost --pcap of a long journal: its text in memory to the capture in memory.
Figure MeasureCapture() {
  const std::string journal = LongJournal();
  const double ms = MedianOfRuns(
                        3, [] {}, [&] { host::CaptureJournal(journal); }) /
                    1e6;
  constexpr double kTargetMs = 10000;
  return {"call journal",
          "pcap of a 100,000-call journal",
          ms,
          "ms",
          {},
          {},
          "< 10 s",
          ms < kTargetMs,
          "geranhost --pcap without the file reads and writes: 75,000 messages, 100,000 frames"};
}

}  // namespace

void MeasureCallJournal(Session& session, Figures& figures) {
  const ScratchJournal scratch;
  TestSetApiPtr testSet = session.testSet;
  const TestSetApiPtr recorded = recording::Recorded(testSet, scratch.journal());
  for (const RecordedCase& c : kCases) figures.Add(Measure(session, recorded, c));
  figures.Add(MeasureCapture());
}

}  // namespace geran::bench
