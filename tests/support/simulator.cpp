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

std::vector<std::string> ObjectUseOfARun(const ProductModule& module) {
  const struct {
    const char* name;
    const char* refused;  // the simulator method that fails in this step, if one does
    int (*call)(const ProductModule& m);
  } steps[] = {
      {"InitialiseSystem", nullptr, GERAN_CALL(InitialiseSystem)},
      {"Reset", nullptr, GERAN_CALL(Reset)},
      {"DisableCch refused", sim::method::kDisableCch, GERAN_CALL(DisableCch, 1)},
      {"StartAuxSpeech", nullptr, GERAN_CALL(StartAuxSpeech, 1, 1)},
      {"AttachAuxSpeech", nullptr, GERAN_CALL(AttachAuxSpeech, 1)},
      {"StartBERTest", nullptr, GERAN_CALL(StartBERTest, 1, 6)},
      {"StartBERTest, a counter refused", sim::method::kBerCounterSetGetEvents,
       GERAN_CALL(StartBERTest, 1, 6)},
      {"ReleaseAuxSpeech", nullptr, GERAN_CALL(ReleaseAuxSpeech)},
  };
  const StdoutCapture out;  // the failure reports are not under test here
  std::vector<std::string> use;
  for (const auto& step : steps) {
    if (step.refused != nullptr) TestSetSim_FailMethod(step.refused, E_FAIL, L"refused", 1);
    step.call(module);
    long references = 0, queries = 0, questions = 0;
    TestSetSim_ObjectUse(&references, &queries, &questions);
    use.push_back(std::string(step.name) + ": " + std::to_string(references) + " references, " +
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
