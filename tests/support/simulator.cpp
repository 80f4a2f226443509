#include "simulator.h"

namespace geran::test {

std::vector<std::string> Journal() {
  std::vector<std::string> entries;
  const int count = TestSetSim_JournalCount();
  for (int i = 0; i < count; ++i) {
    const int length = TestSetSim_JournalEntry(i, nullptr, 0);
    std::string entry(static_cast<size_t>(length) + 1, '\0');
    TestSetSim_JournalEntry(i, &entry[0], length + 1);
    entry.resize(static_cast<size_t>(length));
    entries.push_back(entry);
  }
  return entries;
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
