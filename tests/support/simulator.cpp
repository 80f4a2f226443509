#include "simulator.h"

#include "harness.h"

namespace geran::test {

std::vector<std::string> Journal(size_t from) {
  return ReadEntries(TestSetSim_JournalCount, TestSetSim_JournalEntry, static_cast<int>(from));
}

CallEffect ObserveCall(const std::function<int()>& call) {
  RemoveTraceFiles();
  const size_t mark = Journal().size();
  StdoutCapture capture;
  CallEffect effect;
  effect.result = call();
  effect.out = capture.Take();
  effect.calls = Journal(mark);
  effect.test12 = ReadFileBytes(kTest12);
  effect.remoteApi = ReadFileBytes(kRemoteApi);
  effect.callBox = ReadFileBytes(kCallBox);
  return effect;
}

void ProductTest::SetUp() {
  RemoveTraceFiles();
  TestSetSim_Reset();
  module_.emplace();
}

void ProductTest::TearDown() {
  module_.reset();
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "the product left simulator objects alive";
}

void ProductTest::Reload() {
  module_.reset();
  module_.emplace();
  journalMark_ = 0;
}

void ProductTest::Connect() {
  ASSERT_EQ(GERAN_EXPORT(module(), InitialiseSystem)(), -1);
  RemoveTraceFiles();
  journalMark_ = static_cast<size_t>(TestSetSim_JournalCount());
}

std::vector<std::string> ProductTest::Calls() const { return Journal(journalMark_); }

}  // namespace geran::test
