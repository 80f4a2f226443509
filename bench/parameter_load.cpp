// The master parameter load at growing file sizes: the handler's parse and the library's walk.
#include "session.h"
#include "timing.h"

#include <ParameterHandler.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace geran::bench {
namespace {

constexpr int kEntryCounts[] = {100, 1000, 10000, 100000};
constexpr int kReferenceCount = 1000;
constexpr int kCheckedCount = 100000;
// Fewer than elsewhere: every entry appends three trace lines, each one an open, a write and a close
// of C:\result.txt, so the largest load takes tens of seconds under Wine.
constexpr int kLoadRepetitions = 3;
constexpr double kLinearityTarget = 1.5;
const int kHandlerId = 7;  // any caller identifier but the product's

// Every key the product stores from the GSM group; only "Radio System" writes beyond the per-entry
// trace lines, and no GSM key writes to standard output.
const char* const kGsmKeys[] = {"Radio System",        "Control ARFCN",  "Traffic ARFCN", "Tch Timeslot",
                                "Call Scenarios",      "RX Level",       "TX Level",      "Ciphering Type",
                                "Ciphering Algorithm", "SDDCH Timeslot", "Tch Rate",      "Dedicated Channel",
                                "Mobile Identity",     "Loopback",       "Samples"};

std::wstring TempFilePath(int entries) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"geranbench-master-" + std::to_wstring(entries) + L".ini";
}

// One [GSM] group: the product's keys, then filler keys it skips, entries in all.
void WriteMasterFile(const std::wstring& path, int entries) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) throw std::runtime_error("cannot write a master parameter file");
  std::fputs("[GSM]\n", file);
  int written = 0;
  for (const char* key : kGsmKeys)
    if (written++ < entries) std::fprintf(file, "%s = 1\n", key);
  for (; written < entries; ++written) std::fprintf(file, "Filler %06d = %d\n", written, written % 100);
  std::fclose(file);
}

// The handler's part: the file read into a list, and the list freed, as inside the load.
void Parse() {
  ParameterList list;
  if (getParameterMap(&kHandlerId, &list) != kHandlerOk) throw std::runtime_error("getParameterMap failed");
}

struct LoadCost {
  double total;  // ns per load
  double parse;
};

LoadCost MeasureLoad(const Session& session, int entries) {
  const std::wstring path = TempFilePath(entries);
  WriteMasterFile(path, entries);
  SetEnvironmentVariableW(L"GERAN_MASTER_PARAMETER_FILE", path.c_str());
  const double total = MedianOfRuns(kLoadRepetitions, RemoveTraceFiles, [&] {
    if (session.exports().LoadMasterParameterFile(0, 0) != -1) throw std::runtime_error("the load failed");
  });
  const double parse = MedianOfRuns(
      kLoadRepetitions, [] {}, Parse);
  SetEnvironmentVariableW(L"GERAN_MASTER_PARAMETER_FILE", nullptr);
  DeleteFileW(path.c_str());
  RemoveTraceFiles();
  return {total, parse};
}

std::string Entries(int count) { return std::to_string(count) + " entries: "; }

Figure PerEntry(int entries, const char* part, double ns) {
  return {"parameter load", Entries(entries) + part, ns / 1000 / entries, "us/entry", {}, {}, "", {}, ""};
}

}  // namespace

void MeasureParameterLoad(Session& session, Figures& figures) {
  double referencePerEntry = 0;
  for (const int entries : kEntryCounts) {
    const LoadCost cost = MeasureLoad(session, entries);
    Figure total = PerEntry(entries, "total", cost.total);
    if (entries == kReferenceCount) referencePerEntry = *total.value;
    if (entries > kReferenceCount) {
      total.reference = referencePerEntry;
      total.ratio = *total.value / referencePerEntry;
    }
    if (entries == kCheckedCount) {
      total.target = "< 1.5x (vs 1000)";
      total.met = *total.ratio < kLinearityTarget;
    }
    figures.Add(total);
    figures.Add(PerEntry(entries, "parse (handler)", cost.parse));
    figures.Add(PerEntry(entries, "walk (total - parse)", cost.total - cost.parse));
  }
}

}  // namespace geran::bench
