// znGeranApiInterfaceDll_StartBERTest: one blocking BER run that polls the test set's counters.
#include "measurement/measurement.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

// Every pause is the test set's own WaitTime, so simulated and real test sets pace the run alike.
constexpr long kCycleWaitMilliseconds = 2000;

// A test set whose FER sample count stops growing would otherwise keep a test rack polling forever.
constexpr int kStalledCycleLimit = 150;

using SetGetter = decltype(&BerCounterGroup::GetFer);
using ValueGetter = decltype(&BerCounterSet::GetSamples);

// One value of the record: the getters that reach it, where it is kept and its counter-block line.
struct CounterValue {
  SetGetter set;
  ValueGetter value;
  long BerCounterRecord::*field;
  BerCounterLine line;
};

// In record order, which is the counter block's order.
const CounterValue kCounterValues[] = {
    {&BerCounterGroup::GetFer, &BerCounterSet::GetSamples, &BerCounterRecord::ferSamples,
     BerCounterLine::kFerSamples},
    {&BerCounterGroup::GetFer, &BerCounterSet::GetEvents, &BerCounterRecord::ferEvents,
     BerCounterLine::kFerEvents},
    {&BerCounterGroup::GetFer, &BerCounterSet::GetLastFn, &BerCounterRecord::ferLastFn,
     BerCounterLine::kFerLastFn},
    {&BerCounterGroup::GetClass1a, &BerCounterSet::GetSamples, &BerCounterRecord::c1aSamples,
     BerCounterLine::kC1aSamples},
    {&BerCounterGroup::GetClass1a, &BerCounterSet::GetEvents, &BerCounterRecord::c1aEvents,
     BerCounterLine::kC1aEvents},
    {&BerCounterGroup::GetClass1a, &BerCounterSet::GetLastFn, &BerCounterRecord::c1aLastFn,
     BerCounterLine::kC1aLastFn},
    {&BerCounterGroup::GetClass1b, &BerCounterSet::GetSamples, &BerCounterRecord::c1bSamples,
     BerCounterLine::kC1bSamples},
    {&BerCounterGroup::GetClass1b, &BerCounterSet::GetEvents, &BerCounterRecord::c1bEvents,
     BerCounterLine::kC1bEvents},
    {&BerCounterGroup::GetClass1b, &BerCounterSet::GetLastFn, &BerCounterRecord::c1bLastFn,
     BerCounterLine::kC1bLastFn},
    {&BerCounterGroup::GetClass2, &BerCounterSet::GetSamples, &BerCounterRecord::c2Samples,
     BerCounterLine::kC2Samples},
    {&BerCounterGroup::GetClass2, &BerCounterSet::GetEvents, &BerCounterRecord::c2Events,
     BerCounterLine::kC2Events},
    {&BerCounterGroup::GetClass2, &BerCounterSet::GetLastFn, &BerCounterRecord::c2LastFn,
     BerCounterLine::kC2LastFn},
};

// Each value goes through a chain fetched for it alone; the set is released, then the group.
long ReadCounter(BerMeasurement* measurement, const CounterValue& counter) {
  BerCounterGroupPtr group;
  Call(measurement, &BerMeasurement::GetCounters, &group);
  BerCounterSetPtr set;
  Call(Required(group), counter.set, &set);
  long value = 0;
  Call(Required(set), counter.value, &value);
  return value;
}

void WriteCounterBlock(const BerCounterRecord& record) {
  TraceBlock block(kCallBoxTrace);
  for (const CounterValue& counter : kCounterValues)
    block.Write(BerCounterLineFormat(counter.line), static_cast<int>(record.*counter.field));
}

void WaitCycle() { Call(TestSet(), &TestSetApi::WaitTime, kCycleWaitMilliseconds); }

// One cycle reads all twelve values before it traces them, so a failure leaves no counter block.
void RunCycle(BerCounterRecord& record, long samples) {
  Trace(kTest12Trace, "Inside while Ber Samples: %ld, and samples: %ld\n", record.ferSamples, samples);
  BerMeasurementPtr measurement;
  Call(TestSet(), &TestSetApi::GetBerMeasurement, &measurement);
  for (const CounterValue& counter : kCounterValues)
    record.*counter.field = ReadCounter(Required(measurement), counter);
  WriteCounterBlock(record);
  WaitCycle();
}

// Cycles until the FER sample count reaches samples; false when it stopped growing first.
bool Poll(BerCounterRecord& record, long samples) {
  int stalledCycles = 0;
  while (record.ferSamples < samples) {
    if (stalledCycles == kStalledCycleLimit) return false;
    const long before = record.ferSamples;
    RunCycle(record, samples);
    stalledCycles = record.ferSamples > before ? 0 : stalledCycles + 1;
  }
  return true;
}

// A stalled run did not finish its polling: frameErasureCount keeps the last finished run's count.
int StopStalledRun(const BerCounterRecord& record, long samples, long berSelector) {
  Trace(kTest12Trace,
        "znGeranApiInterfaceDll_StartBERTest stopped polling: Ber Samples stayed at %ld for %d cycles, "
        "samples: %ld\n",
        record.ferSamples, kStalledCycleLimit, samples);
  Call(TestSet(), &TestSetApi::StopBer, berSelector);
  return kFailure;
}

// A target of 0 or less runs no cycle and so finishes at once with an all-zero record: the test
// set's BER test is started and stopped as in any run, and frameErasureCount becomes 0.
int RunBerTest(long samples, long berSelector) {
  const HRESULT started = Call(TestSet(), &TestSetApi::StartBer, 0L, berSelector);
  Trace(kTest12Trace, "znGeranApiInterfaceDll_StartBERTest returned hr : %d\n", static_cast<int>(started));
  WaitCycle();
  BerCounterRecord record;
  if (!Poll(record, samples)) return StopStalledRun(record, samples, berSelector);
  KeepBerRun(record);
  Trace(kTest12Trace, "Stoping BER Test after Ber Samples,\n");
  Call(TestSet(), &TestSetApi::StopBer, berSelector);
  Trace(kTest12Trace, "BER Test Stopped Successfully \n");
  return kSuccess;
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// A failure leaves the test set's BER test running; StopBERTest is the caller's way to stop it.
int WINAPI znGeranApiInterfaceDll_StartBERTest(int samples, int berSelector) {
  return RunConnectedCommand(
      GERAN_ON_FAILURE("znGeranApiInterfaceDll_StartBERTest")
          .TraceHr(kTest12Trace, "znGeranApiInterfaceDll_StartBERTest Faied with hr = %ld\n"),
      [=] { return RunBerTest(samples, berSelector); });
}

}  // extern "C"
