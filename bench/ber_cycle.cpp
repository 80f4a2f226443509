// A BER run: the getter calls of one polling cycle, and the library's time per cycle.
#include "session.h"
#include "timing.h"

#include <TestSetSim.h>

#include <algorithm>
#include <stdexcept>

namespace geran::bench {
namespace {

constexpr int kSamplesPerCycle = 100;  // each cycle's 2 s wait adds 100 FER samples (20 ms frames)
constexpr int kCountedCycles = 3;
constexpr int kTimedCycles = 50;
constexpr int kGettersPerCycle = 37;
constexpr long kBerSelector = 0;
constexpr double kBatchNs = 20e6;
const std::string kCycleStart = "GetBerMeasurement()";
const std::string kCycleEnd = "WaitTime(2000)";

// Journal entries from each cycle's GetBerMeasurement up to its WaitTime.
std::vector<int> GettersPerCycle(const std::vector<std::string>& calls) {
  std::vector<int> counts;
  for (auto start = std::find(calls.begin(), calls.end(), kCycleStart); start != calls.end();
       start = std::find(start + 1, calls.end(), kCycleStart))
    counts.push_back(static_cast<int>(std::find(start, calls.end(), kCycleEnd) - start));
  return counts;
}

std::vector<int> CountGetters(const Session& session) {
  SetJournal(true);
  const int mark = TestSetSim_JournalCount();
  session.exports().StartBERTest(kCountedCycles * kSamplesPerCycle, kBerSelector);
  const std::vector<int> counts = GettersPerCycle(JournalFrom(mark));
  SetJournal(false);
  RemoveTraceFiles();
  return counts;
}

Figure GetterFigure(const std::vector<int>& counts) {
  Figure figure{"BER cycle", "getter calls per cycle", {}, "calls", {}, {}, "= 37", {}, ""};
  if (counts.size() != kCountedCycles) {
    figure.note = "StartBERTest ran " + std::to_string(counts.size()) + " cycles, not " +
                  std::to_string(kCountedCycles) + " (not written yet?)";
    return figure;
  }
  const auto [fewest, most] = std::minmax_element(counts.begin(), counts.end());
  figure.value = *most;
  figure.met = *fewest == kGettersPerCycle && *most == kGettersPerCycle;
  figure.note = "counted in the journal over " + std::to_string(kCountedCycles) + " cycles";
  return figure;
}

// The 37 getters of a cycle called straight on the test set, in the library's chain shape.
void RawCycleGetters(TestSetApi* testSet) {
  using SetGetter = decltype(&BerCounterGroup::GetFer);
  using ValueGetter = decltype(&BerCounterSet::GetSamples);
  static const SetGetter kSets[] = {&BerCounterGroup::GetFer, &BerCounterGroup::GetClass1a,
                                    &BerCounterGroup::GetClass1b, &BerCounterGroup::GetClass2};
  static const ValueGetter kValues[] = {&BerCounterSet::GetSamples, &BerCounterSet::GetEvents,
                                        &BerCounterSet::GetLastFn};
  BerMeasurementPtr measurement;
  testSet->GetBerMeasurement(&measurement);
  for (const SetGetter set : kSets)
    for (const ValueGetter value : kValues) {
      BerCounterGroupPtr group;
      measurement->GetCounters(&group);
      BerCounterSetPtr counters;
      (group->*set)(&counters);
      long reading = 0;
      (counters->*value)(&reading);
    }
}

// ns of the simulator's WaitTime(2000) while a BER run is on: its model draws every bit of 100 frames.
double WaitTimeNs(TestSetApi* testSet) {
  testSet->StartBer(0, kBerSelector);
  auto wait = [testSet] { testSet->WaitTime(2000); };
  const double ns = MedianNsPerRun(wait, kBatchNs);
  testSet->StopBer(kBerSelector);
  return ns;
}

double RunNs(const Session& session) {
  return MedianOfRuns(kRepetitions, RemoveTraceFiles, [&] {
    if (session.exports().StartBERTest(kTimedCycles * kSamplesPerCycle, kBerSelector) != -1)
      throw std::runtime_error("StartBERTest failed");
  });
}

Figure CycleFigure(const Session& session, double waitNs) {
  // A run makes one wait after StartBer and one per cycle.
  const double cycleNs = (RunNs(session) - (kTimedCycles + 1) * waitNs) / kTimedCycles;
  auto getters = [&] { RawCycleGetters(session.testSet); };
  const double gettersNs = MedianNsPerRun(getters, kBatchNs);
  RemoveTraceFiles();
  return {"BER cycle",
          "time per cycle without WaitTime",
          cycleNs / 1000,
          "us",
          gettersNs / 1000,
          cycleNs / gettersNs,
          "",
          {},
          "reference: the 37 getters called raw"};
}

}  // namespace

void MeasureBerCycle(Session& session, Figures& figures) {
  const Figure getters = GetterFigure(CountGetters(session));
  figures.Add(getters);
  if (!getters.value) return;
  const double waitNs = WaitTimeNs(session.testSet);
  figures.Add(CycleFigure(session, waitNs));
  figures.Add({"BER cycle",
               "WaitTime(2000) in the simulator (subtracted)",
               waitNs / 1000,
               "us",
               {},
               {},
               "",
               {},
               "simulated time: the model draws 100 frames' bits"});
}

}  // namespace geran::bench
