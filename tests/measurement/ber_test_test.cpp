// StartBERTest: the run's calls, its trace lines and counter blocks, its bound and its failures.
#include "failure_report.h"
#include "simulator.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace geran::test {
namespace {

constexpr const char* kBerTestSource = "src/measurement/ber_test.cpp";
constexpr const char* kLabel = "znGeranApiInterfaceDll_StartBERTest";
constexpr int kStallLimit = 150;

using Counters = std::array<long, 12>;  // in record order: FER, class 1a, 1b, 2; samples, events, lastfn

// The simulator's exact counter values, in record order (every read answers them until changed).
void SetCounters(const Counters& values) {
  static const char* const kSettings[] = {"Ber.fer.samples", "Ber.fer.events", "Ber.fer.lastfn",
                                          "Ber.c1a.samples", "Ber.c1a.events", "Ber.c1a.lastfn",
                                          "Ber.c1b.samples", "Ber.c1b.events", "Ber.c1b.lastfn",
                                          "Ber.c2.samples",  "Ber.c2.events",  "Ber.c2.lastfn"};
  for (size_t i = 0; i < values.size(); ++i) TestSetSim_SetValue(kSettings[i], values[i]);
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

std::string CounterBlock(const Counters& v) {
  char text[512];
  std::snprintf(text, sizeof text,
                "fer samples : %ld\nfer events  : %ld\nfer lastfn  : %ld\n"
                "c1a samples : %ld\nc1a events  : %ld\nc1a lastfn  : %ld\n"
                "c1b samples : %ld\nc1b cevents : %ld\nc1b lastfn  : %ld\n"
                "c2 samples  : %ld\nc2 events   : %ld\nc2 lastfn   : %ld\n\n",
                v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
  return text;
}

std::string InsideWhile(long berSamples, long samples) {
  return "Inside while Ber Samples: " + std::to_string(berSamples) +
         ", and samples: " + std::to_string(samples) + "\n";
}

std::string FailedLine(HRESULT hr) {
  return "znGeranApiInterfaceDll_StartBERTest Faied with hr = " + std::to_string(static_cast<long>(hr)) +
         "\n";
}

constexpr const char* kStartedLine = "znGeranApiInterfaceDll_StartBERTest returned hr : 0\n";
constexpr const char* kStopLines = "Stoping BER Test after Ber Samples,\nBER Test Stopped Successfully \n";

class StartBerTestTest : public ProductTest {
 protected:
  int Run(int samples, int berSelector) { return GERAN_EXPORT(module(), StartBERTest)(samples, berSelector); }

  // The frame erasure count as GetUpdatedBerResults traces it; the trace file starts empty again.
  long FrameErasureCount() {
    RemoveTraceFiles();
    GERAN_EXPORT(module(), GetUpdatedBerResults)(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const std::string trace = ReadFileBytes(kTest12);
    RemoveTraceFiles();
    const std::string key = "frameErasureCount: ";
    const size_t at = trace.find(key);
    return at == std::string::npos ? -999 : std::stol(trace.substr(at + key.size()));
  }

  // A finished run of one cycle that leaves ferEvents as the frame erasure count.
  void FinishRunWithEvents(long ferEvents) {
    SetCounters({1, ferEvents, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(Run(1, 0), -1);
    ASSERT_EQ(FrameErasureCount(), ferEvents);
    runMark_ = Calls().size();
  }

  std::vector<std::string> CallsOfThisRun() const {
    const std::vector<std::string> calls = Calls();
    return std::vector<std::string>(calls.begin() + static_cast<long>(runMark_), calls.end());
  }

  size_t runMark_ = 0;
};

TEST_F(StartBerTestTest, WithoutConnectionNothingHappens) {
  StdoutCapture out;
  EXPECT_EQ(Run(1, 2), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_TRUE(Journal().empty());
  for (const char* path : {kTest12, kCallBox}) EXPECT_FALSE(FileExists(path)) << path;
}

TEST_F(StartBerTestTest, ATargetReachedInTheFirstCycleRunsOneCycle) {
  const Counters counters = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
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
  EXPECT_EQ(ReadFileBytes(kCallBox), OnDisk(CounterBlock(counters)));
  EXPECT_EQ(FrameErasureCount(), 2);
}

TEST_F(StartBerTestTest, EveryCycleAppendsItsBlockAndTheLoopEndsWhenTheCountEqualsTheTarget) {
  Connect();
  for (const char* rate : {"FerPermille", "C1bBerPpm", "C2BerPpm"}) TestSetSim_SetValue(rate, 0);
  StdoutCapture out;
  EXPECT_EQ(Run(200, 1), -1);  // the simulator measures 100 error-free frames per WaitTime(2000)
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(ReadFileBytes(kTest12),
            OnDisk(kStartedLine + InsideWhile(0, 200) + InsideWhile(100, 200) + kStopLines));
  EXPECT_EQ(ReadFileBytes(kCallBox),
            OnDisk(CounterBlock({100, 0, 433, 5000, 0, 433, 13200, 0, 433, 7800, 0, 433}) +
                   CounterBlock({200, 0, 866, 10000, 0, 866, 26400, 0, 866, 15600, 0, 866})));
  const std::vector<std::string> calls = Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "WaitTime(2000)"), 3);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetBerMeasurement()"), 2);
}

TEST_F(StartBerTestTest, ATargetOfZeroOrLessRunsNoCycleAndKeepsACountOfZero) {
  Connect();
  for (int samples : {0, -1, INT_MIN}) {
    FinishRunWithEvents(7);
    StdoutCapture out;
    EXPECT_EQ(Run(samples, 4), -1) << samples;
    EXPECT_EQ(out.Take(), "");
    EXPECT_EQ(CallsOfThisRun(), (std::vector<std::string>{"StartBer(0, 4)", "WaitTime(2000)", "StopBer(4)"}));
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(kStartedLine + std::string(kStopLines))) << samples;
    EXPECT_FALSE(FileExists(kCallBox)) << samples;
    EXPECT_EQ(FrameErasureCount(), 0) << samples;
  }
}

TEST_F(StartBerTestTest, ACountThatStopsGrowingEndsTheRunAtTheBound) {
  const struct {
    const char* setting;  // how the simulator's FER sample count gets stuck
    long value;
    long stuckAt;
    int cycles;  // a first cycle that grows the count from 0 starts the stall count afresh
  } cases[] = {{"BerFreezeSamples", 1, 0, kStallLimit}, {"Ber.fer.samples", 5, 5, kStallLimit + 1}};
  Connect();
  for (const auto& c : cases) {
    FinishRunWithEvents(3);
    TestSetSim_Reset();  // the finished run's exact values go; the journal starts empty
    TestSetSim_SetValue(c.setting, c.value);
    StdoutCapture out;
    EXPECT_EQ(Run(10, 2), 0) << c.setting;
    EXPECT_EQ(out.Take(), "") << "the bound is not an automation failure";
    const std::vector<std::string> calls = Journal();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetBerMeasurement()"), c.cycles) << c.setting;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "WaitTime(2000)"), c.cycles + 1) << c.setting;
    EXPECT_EQ(calls.size(), 1 + 1 + c.cycles * (CycleCalls().size() + 1) + 1) << c.setting;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "StopBer(2)");
    std::string expected = kStartedLine + InsideWhile(0, 10);
    for (int i = 1; i < c.cycles; ++i) expected += InsideWhile(c.stuckAt, 10);
    expected += "znGeranApiInterfaceDll_StartBERTest stopped polling: Ber Samples stayed at " +
                std::to_string(c.stuckAt) + " for 150 cycles, samples: 10\n";
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(expected)) << c.setting;
    EXPECT_EQ(FrameErasureCount(), 3) << "a run stopped by the bound did not finish its polling";
  }
}

TEST_F(StartBerTestTest, AGrowingCountIsNeverCutShort) {
  Connect();
  const int cycles = kStallLimit + 50;
  EXPECT_EQ(Run(100 * cycles, 1), -1);  // the simulator measures 100 frames per WaitTime(2000)
  const std::vector<std::string> calls = Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetBerMeasurement()"), cycles);
  EXPECT_EQ(calls.back(), "StopBer(1)");
}

TEST_F(StartBerTestTest, AFailureEndsTheRunAndLeavesTheBerTestRunning) {
  const struct {
    const char* method;  // fails on its first call
    bool cycleStarted;   // whether the "Inside while" line was written
  } cases[] = {{"StartBer", false},
               {"WaitTime", false},
               {"GetBerMeasurement", true},
               {"BerMeasurement.GetCounters", true},
               {"BerCounterGroup.GetClass1b", true},
               {"BerCounterSet.GetLastFn", true}};
  Connect();
  for (const auto& c : cases) {
    FinishRunWithEvents(4);
    SetCounters({1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    TestSetSim_FailMethod(c.method, E_FAIL, L"measurement lost", 1);
    StdoutCapture out;
    EXPECT_EQ(Run(1, 3), 0) << c.method;
    EXPECT_TRUE(IsFailureReport(out.Take(), kBerTestSource, kLabel, "measurement lost")) << c.method;
    const std::vector<std::string> calls = CallsOfThisRun();
    ASSERT_FALSE(calls.empty()) << c.method;
    EXPECT_EQ(calls.back().substr(0, calls.back().find('(')), c.method)
        << "nothing is called after the failure";
    std::string expected;
    if (std::string(c.method) != "StartBer") expected += kStartedLine;
    if (c.cycleStarted) expected += InsideWhile(0, 1);
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(expected + FailedLine(E_FAIL))) << c.method;
    EXPECT_FALSE(FileExists(kCallBox)) << c.method << ": the unfinished cycle writes no block";
    EXPECT_EQ(FrameErasureCount(), 4) << c.method;
  }
}

TEST_F(StartBerTestTest, AFailingStopComesAfterTheCountWasKept) {
  Connect();
  SetCounters({1, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  TestSetSim_FailMethod("StopBer", E_FAIL, L"stop refused", 1);
  StdoutCapture out;
  EXPECT_EQ(Run(1, 2), 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kBerTestSource, kLabel, "stop refused"));
  EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(kStartedLine + InsideWhile(0, 1) +
                                           "Stoping BER Test after Ber Samples,\n" + FailedLine(E_FAIL)));
  EXPECT_EQ(FrameErasureCount(), 6);
}

TEST_F(StartBerTestTest, AGetterHandingOutNoObjectEndsTheRunWithEPointer) {
  Connect();
  SetCounters({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  for (const std::string getter :
       {"GetBerMeasurement", "BerMeasurement.GetCounters", "BerCounterGroup.GetFer",
        "BerCounterGroup.GetClass1a", "BerCounterGroup.GetClass1b", "BerCounterGroup.GetClass2"}) {
    RemoveTraceFiles();
    TestSetSim_SetValue(("BerNullGetter." + getter).c_str(), 1);
    StdoutCapture out;
    EXPECT_EQ(Run(1, 0), 0) << getter;
    EXPECT_TRUE(IsFailureReport(out.Take(), kBerTestSource, kLabel, MessageTextFor(E_POINTER))) << getter;
    EXPECT_EQ(Calls().back(), getter + "()") << "nothing is called after the null";
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(kStartedLine + InsideWhile(0, 1) + FailedLine(E_POINTER)))
        << getter;
    TestSetSim_SetValue(("BerNullGetter." + getter).c_str(), 0);
  }
}

TEST_F(StartBerTestTest, ASuccessCodeFromStartBerIsTraced) {
  Connect();
  SetCounters({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  TestSetSim_FailMethod("StartBer", S_FALSE, nullptr, 1);
  EXPECT_EQ(Run(1, 0), -1);
  EXPECT_EQ(ReadFileBytes(kTest12),
            OnDisk("znGeranApiInterfaceDll_StartBERTest returned hr : 1\n" + InsideWhile(0, 1) + kStopLines));
}

}  // namespace
}  // namespace geran::test
