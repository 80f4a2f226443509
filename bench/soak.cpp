// The soak run: a million calls of a mixed set of commands, failures included, and the memory it leaves.
#include "session.h"
#include "timing.h"

#include <TestSetSim.h>
#include <TestSetSimNames.h>
#include <psapi.h>

namespace geran::bench {
namespace {

constexpr long kCalls = 1000000;
constexpr int kChunks = 10;  // timed separately: the time per call is the median of these
constexpr long kWarmUpRounds = 1000;
constexpr double kGrowthTargetKb = 1024;
constexpr long kShiftAnswer = 7;
constexpr HRESULT kFault = 0x80040201;
const wchar_t* const kFaultDescription = L"injected by geranbench";

// Arms the next call of method to fail, with or without error information.
void Fail(const char* method, bool withDescription) {
  TestSetSim_FailMethod(method, kFault, withDescription ? kFaultDescription : nullptr, 1);
}

struct SoakStep {
  const char* name;
  int expected;  // the export's result
  int (*run)(const Session&);
};

// One round: each step is one export call. Failures write their reports to standard output.
const SoakStep kRound[] = {
    {"DisableCch", -1, [](const Session& s) { return s.exports().DisableCch(1); }},
    {"VoiceLoop", -1, [](const Session& s) { return s.exports().VoiceLoop(1, 2, 3); }},
    {"ShiftRight", kShiftAnswer, [](const Session& s) { return s.exports().ShiftRight(1, 2); }},
    {"SendSIMsg", -1,
     [](const Session& s) {
       const std::vector<int>& bytes = s.payloads.siMessage;
       return s.exports().SendSIMsg(5, bytes.data(), static_cast<int>(bytes.size()));
     }},
    {"CipherMode", -1,
     [](const Session& s) {
       const Payloads& p = s.payloads;
       return s.exports().CipherMode(1, 2, 0, p.cipherKey.data(), static_cast<int>(p.cipherKey.size()),
                                     p.cipherRand.data(), static_cast<int>(p.cipherRand.size()), 1);
     }},
    {"QueryFrameNumber", -1,
     [](const Session& s) {
       int frameNumber = 0;
       return s.exports().QueryFrameNumber(&frameNumber);
     }},
    {"GetLogFileName", -1,
     [](const Session& s) {
       char name[64];
       return s.exports().GetLogFileName(name, sizeof name);
     }},
    {"StartAuxSpeech", -1, [](const Session& s) { return s.exports().StartAuxSpeech(1, 1); }},
    {"AttachAuxSpeech", -1, [](const Session& s) { return s.exports().AttachAuxSpeech(1); }},
    {"ReleaseAuxSpeech", -1, [](const Session& s) { return s.exports().ReleaseAuxSpeech(); }},
    {"SelectRadioSystem", -1, [](const Session& s) { return s.exports().SelectRadioSystem(1); }},
    {"DisableCch failing with error information", 0,
     [](const Session& s) {
       Fail(sim::method::kDisableCch, true);
       return s.exports().DisableCch(1);
     }},
    {"VoiceLoop failing without error information", 0,
     [](const Session& s) {
       Fail(sim::method::kVoiceLoop, false);
       return s.exports().VoiceLoop(1, 2, 3);
     }},
    {"ShiftRight failing with error information", 0,
     [](const Session& s) {
       Fail(sim::method::kShiftRight, true);
       return s.exports().ShiftRight(1, 2);
     }},
    {"SendSIMsg failing without error information", 0,
     [](const Session& s) {
       Fail(sim::method::kSendSIMsg, false);
       const std::vector<int>& bytes = s.payloads.siMessage;
       return s.exports().SendSIMsg(5, bytes.data(), static_cast<int>(bytes.size()));
     }},
};
constexpr long kStepsPerRound = static_cast<long>(std::size(kRound));

// Calls whose result was not the expected one.
long RunRounds(const Session& session, long rounds) {
  long unexpected = 0;
  for (long round = 0; round < rounds; ++round)
    for (const SoakStep& step : kRound)
      if (step.run(session) != step.expected) ++unexpected;
  return unexpected;
}

struct Memory {
  double privateUsageKb;      // as GetProcessMemoryInfo reports it
  double committedPrivateKb;  // committed private regions of the address space
};

// Wine reports PrivateUsage as 0, so the committed private regions, which are what Windows counts
// there, are also summed region by region.
double CommittedPrivateKb() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const BYTE* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
       address = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize)
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  return static_cast<double>(total) / 1024;
}

Memory MemoryNow() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return {static_cast<double>(counters.PrivateUsage) / 1024, CommittedPrivateKb()};
}

struct SoakResult {
  Memory before;
  Memory after;
  long unexpected;
  double nsPerCall;  // median over the chunks
};

SoakResult Soak(const Session& session) {
  const StdoutToNul quiet;
  RunRounds(session, kWarmUpRounds);
  SoakResult result{MemoryNow(), {}, 0, 0};
  const long roundsPerChunk = kCalls / kChunks / kStepsPerRound;
  std::vector<double> chunkNs;
  for (int chunk = 0; chunk < kChunks; ++chunk) {
    RemoveTraceFiles();
    chunkNs.push_back(TimeNs([&] { result.unexpected += RunRounds(session, roundsPerChunk); }) /
                      static_cast<double>(roundsPerChunk * kStepsPerRound));
  }
  result.after = MemoryNow();
  result.nsPerCall = Median(chunkNs);
  return result;
}

}  // namespace

void RunSoak(Session& session, Figures& figures) {
  TestSetSim_SetValue(sim::value::kShiftAnswer, kShiftAnswer);
  TestSetSim_SetText(sim::text::kLogFileName, L"geranbench.log");
  const SoakResult soak = Soak(session);
  RemoveTraceFiles();
  const long calls = kCalls / kChunks / kStepsPerRound * kChunks * kStepsPerRound;
  const std::string mix =
      std::to_string(calls) + " calls, " + std::to_string(kStepsPerRound) + " steps a round";
  const double growth = soak.after.committedPrivateKb - soak.before.committedPrivateKb;
  figures.Add({"memory",
               "committed private bytes growth",
               growth,
               "KB",
               soak.before.committedPrivateKb,
               {},
               "< 1024 KB",
               growth < kGrowthTargetKb,
               mix + "; reference: before, after warm-up"});
  figures.Add({"memory",
               "committed private bytes after",
               soak.after.committedPrivateKb,
               "KB",
               {},
               {},
               "",
               {},
               "summed with VirtualQuery"});
  figures.Add({"memory",
               "PrivateUsage growth",
               soak.after.privateUsageKb - soak.before.privateUsageKb,
               "KB",
               soak.before.privateUsageKb,
               {},
               "",
               {},
               soak.before.privateUsageKb == 0 ? "GetProcessMemoryInfo reads 0 here (Wine)"
                                               : "GetProcessMemoryInfo"});
  figures.Add({"memory",
               "calls with an unexpected result",
               static_cast<double>(soak.unexpected),
               "calls",
               {},
               {},
               "= 0",
               soak.unexpected == 0,
               ""});
  figures.Add({"memory",
               "time per call of the mix",
               soak.nsPerCall,
               "ns/call",
               {},
               {},
               "",
               {},
               "median of " + std::to_string(kChunks) + " chunks; stdout to NUL"});
}

}  // namespace geran::bench
