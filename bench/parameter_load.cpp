// The master parameter load at growing file sizes: the handler's parse and the library's walk.
#include "session.h"
#include "timing.h"

#include <ParameterHandler.h>

#include <cstdio>
#include <memory>
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

// One master file in the temp folder, named by GERAN_MASTER_PARAMETER_FILE while it is measured.
class MasterFile {
 public:
  explicit MasterFile(int entries) : entries_(entries), path_(TempFilePath(entries)) {
    WriteMasterFile(path_, entries);
  }
  ~MasterFile() { DeleteFileW(path_.c_str()); }
  MasterFile(const MasterFile&) = delete;
  MasterFile& operator=(const MasterFile&) = delete;

  int entries() const { return entries_; }
  void Select() const { SetEnvironmentVariableW(L"GERAN_MASTER_PARAMETER_FILE", path_.c_str()); }

 private:
  int entries_;
  std::wstring path_;
};

struct LoadSamples {
  std::vector<double> total;  // ns per load
  std::vector<double> parse;
};

void SampleLoad(const Session& session, const MasterFile& file, LoadSamples& samples) {
  file.Select();
  RemoveTraceFiles();
  samples.total.push_back(TimeNs([&] {
    if (session.exports().LoadMasterParameterFile(0, 0) != -1) throw std::runtime_error("the load failed");
  }));
  samples.parse.push_back(TimeNs(Parse));
}

// Every size once per repetition, so that all sizes see the same changes in the machine's load.
std::vector<LoadSamples> SampleLoads(const Session& session) {
  std::vector<std::unique_ptr<MasterFile>> files;
  for (const int entries : kEntryCounts) files.push_back(std::make_unique<MasterFile>(entries));
  std::vector<LoadSamples> samples(files.size());
  for (int repetition = 0; repetition < kLoadRepetitions; ++repetition)
    for (size_t i = 0; i < files.size(); ++i) SampleLoad(session, *files[i], samples[i]);
  SetEnvironmentVariableW(L"GERAN_MASTER_PARAMETER_FILE", nullptr);
  RemoveTraceFiles();
  return samples;
}

std::string Entries(int count) { return std::to_string(count) + " entries: "; }

Figure PerEntry(int entries, const char* part, double ns) {
  return {"parameter load", Entries(entries) + part, ns / 1000 / entries, "us/entry", {}, {}, "", {}, ""};
}

}  // namespace

void MeasureParameterLoad(Session& session, Figures& figures) {
  const std::vector<LoadSamples> samples = SampleLoads(session);
  double referencePerEntry = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const int entries = kEntryCounts[i];
    const double totalNs = Median(samples[i].total);
    const double parseNs = Median(samples[i].parse);
    Figure total = PerEntry(entries, "total", totalNs);
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
    figures.Add(PerEntry(entries, "parse (handler)", parseNs));
    figures.Add(PerEntry(entries, "walk (total - parse)", totalNs - parseNs));
  }
}

}  // namespace geran::bench
