// What recording costs per call (GERAN_CALL_JOURNAL): a call through the recording layer, which
// formats its line and appends it with one write, against the same call made unrecorded.
#include "session.h"
#include "timing.h"

#include <pcap_writer.h>
#include <recording/recording.h>
#include <runner.h>
#include <script.h>

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
  explicit ScratchJournal(const std::string& name) {  // name: ASCII
    // The journal is created by its wide name, the runner reads it by its ANSI one.
    wchar_t wideFolder[MAX_PATH];
    char folder[MAX_PATH];
    const std::wstring widePath =
        std::wstring(wideFolder, GetTempPathW(MAX_PATH, wideFolder)) + std::wstring(name.begin(), name.end());
    path_ = std::string(folder, GetTempPathA(MAX_PATH, folder)) + name;
    if (journal_->Open(widePath) != ERROR_SUCCESS)
      throw std::runtime_error("cannot create a call journal in the temp folder");
  }
  ~ScratchJournal() {
    journal_ = nullptr;
    DeleteFileA(path_.c_str());
  }
  ScratchJournal(const ScratchJournal&) = delete;
  ScratchJournal& operator=(const ScratchJournal&) = delete;

  const std::shared_ptr<recording::CallJournal>& journal() const { return journal_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
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

constexpr int kScriptCalls = 10000;

// The export the script below calls: DisableCch through the recording layer, as the library makes it
// with GERAN_CALL_JOURNAL set, one journal line per call. An export is a plain function, so the
// recorded object it calls sits here for the one measurement that binds it.
TestSetApi* boundTestSet = nullptr;
int WINAPI RecordedDisableCch(int channel) { return SUCCEEDED(boundTestSet->DisableCch(channel)) ? -1 : 0; }

// Milliseconds of one quiet run of a script of kScriptCalls DisableCch calls, each followed by
// extraLine, against the recorded object; throws when an expectation fails.
double ScriptRunMs(TestSetApi* recorded, const std::string& journal, const std::string& extraLine) {
  std::string text;
  for (int i = 0; i < kScriptCalls; ++i) text += "DisableCch(1) => -1\n" + extraLine;
  const host::Script script = host::ParseScript(text);
  if (!script.errors.empty()) throw std::runtime_error("the journal script does not parse");
  boundTestSet = recorded;
  const host::Binding binding = host::Bind(script, [](const char*) {
    // Through void (*)(), the one function type a cast to any other leaves unremarked.
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RecordedDisableCch));
  });
  host::RunOptions options;
  options.quiet = true;
  options.journal = journal;
  const Stopwatch watch;
  const int failed = host::Run(script, binding.functions, options).failed;
  const double ms = watch.ElapsedNs() / 1e6;
  boundTestSet = nullptr;
  if (failed != 0) throw std::runtime_error("the journal script's checks failed");
  return ms;
}

// geranhost's run of a script that checks the journal after every call, against the same calls
// without the checks: each journal line reads only what its call added, so the checks cost a
// share of the calls' own cost, not a cost that grows with the journal. One run each: a run is
// long, most of it the host's capture of each call's standard output.
Figure MeasureScriptWithJournalLines(TestSetApi* recorded, const std::string& journal) {
  const double checked = ScriptRunMs(recorded, journal, "journal \"DisableCch(1)\"\n");
  const double unchecked = ScriptRunMs(recorded, journal, "");
  return {"call journal",
          "script of 10,000 calls, a journal line after each",
          checked,
          "ms",
          unchecked,
          checked / unchecked,
          "< 1.5x",
          checked / unchecked < 1.5,
          "reference: the calls without the journal lines; geranhost's runner, quiet, DisableCch recorded"};
}

}  // namespace

void MeasureCallJournal(Session& session, Figures& figures) {
  const ScratchJournal scratch("geranbench_call_journal.txt");
  TestSetApiPtr testSet = session.testSet;
  const TestSetApiPtr recorded = recording::Recorded(testSet, scratch.journal());
  for (const RecordedCase& c : kCases) figures.Add(Measure(session, recorded, c));
  const ScratchJournal scriptJournal("geranbench_script_journal.txt");
  TestSetApiPtr scriptTestSet = session.testSet;
  const TestSetApiPtr scriptRecorded = recording::Recorded(scriptTestSet, scriptJournal.journal());
  figures.Add(MeasureScriptWithJournalLines(scriptRecorded, scriptJournal.path()));
  figures.Add(MeasureCapture());
}

}  // namespace geran::bench
