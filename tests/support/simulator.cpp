#include "simulator.h"

#include "harness.h"

#include <functional>
#include <utility>

namespace geran::test {

std::vector<std::string> Journal(size_t from) {
  return ReadEntries(TestSetSim_JournalCount, TestSetSim_JournalEntry, static_cast<int>(from));
}

std::vector<std::string> ObjectUseOfARun(const ProductModule& m) {
  const auto fail = [](const char* method) { TestSetSim_FailMethod(method, E_FAIL, L"refused", 1); };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"InitialiseSystem",
       [&] {
         GERAN_EXPORT(m, InitialiseSystem)
         ();
       }},
      {"Reset",
       [&] {
         GERAN_EXPORT(m, Reset)
         ();
       }},
      {"DisableCch refused", [&] { fail(sim::method::kDisableCch), GERAN_EXPORT(m, DisableCch)(1); }},
      {"StartAuxSpeech",
       [&] {
         GERAN_EXPORT(m, StartAuxSpeech)
         (1, 1);
       }},
      {"AttachAuxSpeech",
       [&] {
         GERAN_EXPORT(m, AttachAuxSpeech)
         (1);
       }},
      {"StartBERTest",
       [&] {
         GERAN_EXPORT(m, StartBERTest)
         (1, 6);
       }},
      {"StartBERTest, a counter refused",
       [&] { fail(sim::method::kBerCounterSetGetEvents), GERAN_EXPORT(m, StartBERTest)(1, 6); }},
      {"ReleaseAuxSpeech",
       [&] {
         GERAN_EXPORT(m, ReleaseAuxSpeech)
         ();
       }},
  };
  const StdoutCapture out;  // the failure reports are not under test here
  std::vector<std::string> use;
  for (const auto& [name, step] : steps) {
    step();
    long references = 0, queries = 0, questions = 0;
    TestSetSim_ObjectUse(&references, &queries, &questions);
    use.push_back(std::string(name) + ": " + std::to_string(references) + " references, " +
                  std::to_string(queries) + " QueryInterface, " + std::to_string(questions) +
                  " InterfaceSupportsErrorInfo");
  }
  return use;
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
