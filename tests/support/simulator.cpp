#include "simulator.h"

#include "harness.h"

namespace geran::test {

std::vector<std::string> Journal() { return ReadEntries(TestSetSim_JournalCount, TestSetSim_JournalEntry); }

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

std::vector<std::string> ProductTest::Calls() const {
  std::vector<std::string> entries = Journal();
  entries.erase(entries.begin(), entries.begin() + static_cast<long>(std::min(journalMark_, entries.size())));
  return entries;
}

}  // namespace geran::test
