// The BER exports: StartBERTest's calls, trace lines, counter blocks, bound and failures;
// GetUpdatedBerResults. (StopBERTest is in the command table.)
#include "failure_report.h"
#include "simulator.h"

#include <array>
#include <climits>

namespace geran::test {
namespace {

constexpr const char* kLabel = "znGeranApiInterfaceDll_StartBERTest";
constexpr int kStallLimit = 150;
constexpr const char* kStartedLine = "znGeranApiInterfaceDll_StartBERTest returned hr : 0\n";
constexpr const char* kStopLines = "Stoping BER Test after Ber Samples,\nBER Test Stopped Successfully \n";

using Counters = std::array<long, 12>;  // in record order: FER, class 1a, 1b, 2; samples, events, lastfn

// The simulator's exact counter values, in record order (every read answers them until changed).
void SetCounters(const Counters& values) {
  size_t i = 0;
  for (const char* set : {"fer", "c1a", "c1b", "c2"})
    for (const char* value : {"samples", "events", "lastfn"})
      TestSetSim_SetValue(("Ber." + std::string(set) + "." + value).c_str(), values[i++]);
}

// What one cycle asks the test set, in order: 37 getter calls.
std::vector<std::string> CycleCalls() {
  std::vector<std::string> calls{"GetBerMeasurement()"};
  for (const char* set : {"GetFer", "GetClass1a", "GetClass1b", "GetClass2"}) {
    for (const char* value : {"GetSamples", "GetEvents", "GetLastFn"}) {
      calls.push_back("BerMeasurement.GetCounters()");
      calls.push_back(std::string("BerCounterGroup.") + set + "()");
      calls.push_back(std::string("BerCounterSet.") + value + "()");
    }
  }
  return calls;
}

std::string InsideWhile(long berSamples, long samples) {
  return "Inside while Ber Samples: " + std::to_string(berSamples) +
         ", and samples: " + std::to_string(samples) + "\n";
}

class BerTest : public ProductTest {
 protected:
  int Run(int samples, int berSelector) { return GERAN_EXPORT(module(), StartBERTest)(samples, berSelector); }

  // The frame erasure count GetUpdatedBerResults traces, its lines checked whole; the trace file starts
  // empty again.
  long FrameErasureCount() {
    RemoveTraceFiles();
    EXPECT_EQ(GERAN_EXPORT(module(), GetUpdatedBerResults)(-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9), 0);
    const std::string trace = ReadFileBytes(kTest12);
    RemoveTraceFiles();
    const long count = std::stol(trace.substr(trace.find("frameErasureCount: ") + 19));  // throws when absent
    EXPECT_EQ(trace, OnDisk("znGeranApiInterfaceDll_GetUpdatedBerResults Successfull\n"
                            "znGeranApiInterfaceDll_GetUpdatedBerResults frameErasureCount: " +
                            std::to_string(count) + "\n"));
    return count;
  }

  // A finished run of one cycle that leaves ferEvents as the frame erasure count; afterwards the
  // simulator has no settings, no faults and an empty journal.
  void FinishRunWithEvents(long ferEvents) {
    TestSetSim_Reset();
    SetCounters({1, ferEvents, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(Run(1, 0), -1);
    ASSERT_EQ(FrameErasureCount(), ferEvents);
    TestSetSim_Reset();
  }
};

TEST_F(BerTest, ATargetReachedInTheFirstCycleRunsOneCycle) {
  const Counters counters = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(FrameErasureCount(), 0) << "before any run, and with no connection";
  Connect();
  SetCounters(counters);
  StdoutCapture out;
  EXPECT_EQ(Run(1, 6), -1);
  EXPECT_EQ(out.Take(), "");
  std::vector<std::string> expected{"StartBer(0, 6)", "WaitTime(2000)"};
  for (const std::string& call : CycleCalls()) expected.push_back(call);
  expected.insert(expected.end(), {"WaitTime(2000)", "StopBer(6)"});
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(kStartedLine + InsideWhile(0, 1) + kStopLines));
  EXPECT_EQ(ReadFileBytes(kCallBox),
            OnDisk("fer samples : 1\nfer events  : 2\nfer lastfn  : 3\nc1a samples : 4\nc1a events  : 5\n"
                   "c1a lastfn  : 6\nc1b samples : 7\nc1b cevents : 8\nc1b lastfn  : 9\nc2 samples  : 10\n"
                   "c2 events   : 11\nc2 lastfn   : 12\n\n"));
  EXPECT_EQ(FrameErasureCount(), 2);
}

TEST_F(BerTest, ACountThatStopsGrowingEndsTheRunAtTheBound) {
  const struct {
    const char* setting;  // how the simulator's FER sample count gets stuck
    long value;
    long stuckAt;
    int cycles;  // a first cycle that grows the count from 0 starts the stall count afresh
  } cases[] = {{sim::value::kBerFreezeSamples, 1, 0, kStallLimit},
               {sim::value::kBerFerSamples, 5, 5, kStallLimit + 1}};
  Connect();
  for (const auto& c : cases) {
    FinishRunWithEvents(3);
    TestSetSim_SetValue(c.setting, c.value);
    StdoutCapture out;
    EXPECT_EQ(Run(10, 2), 0) << c.setting;
    EXPECT_EQ(out.Take(), "") << "the bound is not an automation failure";
    const std::vector<std::string> calls = Journal();
    ASSERT_EQ(calls.size(), 1 + 1 + c.cycles * (CycleCalls().size() + 1) + 1) << c.setting;
    EXPECT_EQ(calls.back(), "StopBer(2)");
    std::string expected = kStartedLine + InsideWhile(0, 10);
    for (int i = 1; i < c.cycles; ++i) expected += InsideWhile(c.stuckAt, 10);
    expected += std::string(kLabel) + " stopped polling: Ber Samples stayed at " + std::to_string(c.stuckAt) +
                " for 150 cycles, samples: 10\n";
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(expected)) << c.setting;
    EXPECT_EQ(FrameErasureCount(), 3) << "a run stopped by the bound did not finish its polling";
  }
}

// A failing method, or a null measurement or counter set (E_POINTER, no error information), ends the
// run: nothing called after it, no block for the unfinished cycle, the kept count unchanged, no stop.
TEST_F(BerTest, AFailureEndsTheRunAndLeavesTheBerTestRunning) {
  Connect();
  const struct {
    const char* method;       // the call that ends the run
    const char* nullSetting;  // nullptr: the call fails; else the setting that makes it hand out null
  } cases[] = {{sim::method::kStartBer, nullptr},
               {sim::method::kWaitTime, nullptr},
               {sim::method::kGetBerMeasurement, nullptr},
               {sim::method::kBerMeasurementGetCounters, nullptr},
               {sim::method::kBerCounterSetGetLastFn, nullptr},
               {sim::method::kGetBerMeasurement, sim::value::kBerNullGetterGetBerMeasurement},
               {sim::method::kBerCounterGroupGetClass1b, sim::value::kBerNullGetterGetClass1b}};
  for (const auto& c : cases) {
    const bool null = c.nullSetting != nullptr;
    const std::string method = c.method;
    SCOPED_TRACE(null ? c.nullSetting : c.method);
    FinishRunWithEvents(4);
    SetCounters({1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (null) {
      TestSetSim_SetValue(c.nullSetting, 1);
    } else {
      TestSetSim_FailMethod(method.c_str(), E_FAIL, L"measurement lost", 1);
    }
    StdoutCapture out;
    EXPECT_EQ(Run(1, 3), 0);
    EXPECT_TRUE(IsFailureReport(out.Take(), "src/measurement/ber_test.cpp", kLabel,
                                null ? MessageTextFor(E_POINTER) : "measurement lost"));
    const std::vector<std::string> calls = Journal();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().substr(0, calls.back().find('(')), method) << "nothing is called after it";
    std::string expected = method == sim::method::kStartBer ? "" : kStartedLine;
    if (method != sim::method::kStartBer && method != sim::method::kWaitTime) expected += InsideWhile(0, 1);
    EXPECT_EQ(
        ReadFileBytes(kTest12),
        OnDisk(expected + kLabel + " Faied with hr = " + std::to_string(null ? E_POINTER : E_FAIL) + "\n"));
    EXPECT_FALSE(FileExists(kCallBox)) << "the unfinished cycle writes no block";
    EXPECT_EQ(FrameErasureCount(), 4);
  }
}

}  // namespace
}  // namespace geran::test
