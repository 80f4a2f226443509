// Per-call cost: each command through its export against the same method called on the test set.
#include "session.h"
#include "timing.h"

#include <TestSetSim.h>
#include <testset/trace_files.h>

#include <cstdio>
#include <optional>

namespace geran::bench {
namespace {

constexpr double kBatchNs = 20e6;  // 20 ms per timed batch
constexpr double kTraceFreeTarget = 1.2;

constexpr const char* kBuildsLists = "builds its byte lists; the raw call gets them prebuilt";
constexpr const char* kBuildsText = "finds its text's end, builds its BSTR; the raw call gets it prebuilt";

struct CallCase {
  const char* name;
  bool traceFree;  // the export writes nothing on success, so the ratio target applies
  const char* note;
  int (*viaExport)(const Session&);
  HRESULT (*raw)(const Session&);
};

const CallCase kCases[] = {
    {"DisableCch", true, "", [](const Session& s) { return s.exports().DisableCch(1); },
     [](const Session& s) { return s.testSet->DisableCch(1); }},
    {"SelectRadioSystem", false, "appends a line to C:\\Test12.txt on success",
     [](const Session& s) { return s.exports().SelectRadioSystem(1); },
     [](const Session& s) { return s.testSet->SelectRadioSystem(1); }},
    {"VoiceLoop", true, "", [](const Session& s) { return s.exports().VoiceLoop(1, 2, 3); },
     [](const Session& s) { return s.testSet->VoiceLoop(1, 2, 3); }},
    {"ShiftRight (out value)", true, "", [](const Session& s) { return s.exports().ShiftRight(1, 2); },
     [](const Session& s) {
       long answer = 0;
       return s.testSet->ShiftRight(1, 2, &answer);
     }},
    {"SendSIMsg (23 bytes)", false, kBuildsLists,
     [](const Session& s) {
       const std::vector<int>& bytes = s.payloads.siMessage;
       return s.exports().SendSIMsg(5, bytes.data(), static_cast<int>(bytes.size()));
     },
     [](const Session& s) { return s.testSet->SendSIMsg(5, 23, s.payloads.siList); }},
    {"CipherMode (2 x 64 elements)", false, kBuildsLists,
     [](const Session& s) {
       const Payloads& p = s.payloads;
       return s.exports().CipherMode(1, 2, 0, p.cipherKey.data(), static_cast<int>(p.cipherKey.size()),
                                     p.cipherRand.data(), static_cast<int>(p.cipherRand.size()), 1);
     },
     [](const Session& s) {
       return s.testSet->CipherMode(1, 2, 0, s.payloads.keyList, s.payloads.randList, 1, 1);
     }},
    {"ShowText (10 characters)", false, kBuildsText,
     [](const Session& s) { return s.exports().ShowText(s.payloads.shortText.c_str(), 1); },
     [](const Session& s) { return s.testSet->ShowText(s.payloads.shortTextValue); }},
    {"ShowText (100 characters across a page)", false, kBuildsText,
     [](const Session& s) { return s.exports().ShowText(s.payloads.pageCrossingText, 1); },
     [](const Session& s) { return s.testSet->ShowText(s.payloads.pageCrossingTextValue); }},
};

// Why the export and the raw call are not comparable, or nothing when both made the same one call.
std::optional<std::string> Mismatch(const Session& session, const CallCase& c) {
  SetJournal(true);
  const int mark = TestSetSim_JournalCount();
  c.viaExport(session);
  c.raw(session);
  const std::vector<std::string> calls = JournalFrom(mark);
  SetJournal(false);
  if (calls.size() == 1) return "the export does not call the test set yet";
  if (calls.size() != 2 || calls[0] != calls[1]) return "the export's call differs from the raw call";
  return std::nullopt;
}

Figure Measure(const Session& session, const CallCase& c) {
  Figure figure{"call cost", c.name, {}, "ns/call", {}, {}, c.traceFree ? "< 1.2x" : "", {}, c.note};
  if (const std::optional<std::string> mismatch = Mismatch(session, c)) {
    figure.note = *mismatch;
    return figure;
  }
  auto viaExport = [&] { return c.viaExport(session); };
  auto raw = [&] { return c.raw(session); };
  const PairedCost cost = MedianPaired(viaExport, raw, kBatchNs);
  figure.value = cost.first;
  figure.reference = cost.second;
  figure.ratio = cost.first / cost.second;
  if (c.traceFree) figure.met = *figure.ratio < kTraceFreeTarget;
  RemoveTraceFiles();
  return figure;
}

// What one trace line costs on its own: the product opens, appends to and closes the file per event.
Figure MeasureTraceLine() {
  auto append = [] {
    std::FILE* file = std::fopen(kTest12Trace.path, kTest12Trace.mode);
    if (file == nullptr) return;
    std::fprintf(file, "SelectRadioSystem Successfull\n");
    std::fclose(file);
  };
  const double cost = MedianNsPerRun(append, kBatchNs);
  RemoveTraceFiles();
  return {"call cost", "trace line (fopen, fprintf, fclose)",   cost, "ns/call", {}, {}, "",
          {},          "what SelectRadioSystem adds on success"};
}

// The SAFEARRAY work of one 23-byte list as a byte-list command does it: the packed list, its
// by-value copy for the call, both freed.
Figure MeasureListPacking() {
  auto pack = [] {
    _variant_t packed;
    V_VT(&packed) = VT_ARRAY | VT_UI1;
    V_ARRAY(&packed) = SafeArrayCreateVector(VT_UI1, 0, 23);
    const _variant_t copy(packed);
  };
  return {"call cost",
          "SAFEARRAY of 23 bytes: create, copy, free both",
          MedianNsPerRun(pack, kBatchNs),
          "ns/call",
          {},
          {},
          "",
          {},
          "part of what the byte-list commands add"};
}

}  // namespace

// The export alone, with the simulator behind a process boundary: what a call costs a rack whose test
// set runs in a server of its own. The figure measured in-process gets it as its local-server value.
void MeasureLocalServerCallCosts(const Session& session, Figures& figures) {
  for (const CallCase& c : kCases) {
    std::optional<double>* localServer = figures.LocalServerOf("call cost", c.name);
    if (localServer == nullptr) continue;
    auto viaExport = [&] { return c.viaExport(session); };
    *localServer = MedianNsPerRun(viaExport, kBatchNs);
    RemoveTraceFiles();
  }
}

void MeasureCallCosts(Session& session, Figures& figures) {
  for (const CallCase& c : kCases) figures.Add(Measure(session, c));
  figures.Add(MeasureTraceLine());
  figures.Add(MeasureListPacking());
}

}  // namespace geran::bench
