// GERAN_CALL_JOURNAL seen through the exports: the file, its lines as calls return, and a file that
// cannot be created.
#include "allocation_failure.h"
#include "failure_report.h"
#include "simulator.h"

#include "recorded_journal_file.h"

#include <fstream>
#include <optional>
#include <thread>

namespace geran::test {
namespace {

constexpr const char* kJournalVariable = "GERAN_CALL_JOURNAL";
constexpr const char* kJournalPath = "C:\\call_journal_test.txt";

// Text in the ANSI code page as the journal writes it, UTF-8, by the system's own conversions.
std::string AnsiAsUtf8(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                      &wide[0], static_cast<int>(wide.size()))));
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(
      static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                              &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

// A run of exports that reaches every kind of simulator object, with a failure on the test set and on
// a BER object: after each step, the references the product holds on the simulator's objects and the
// calls the journal does not show (QueryInterface, InterfaceSupportsErrorInfo), one line a step.
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

class CallJournalTest : public ProductTest {
 protected:
  void SetUp() override {
    DeleteFileA(kJournalPath);
    ProductTest::SetUp();
  }
  void TearDown() override {
    SetEnvironmentVariableA(kJournalVariable, nullptr);
    ProductTest::TearDown();
    DeleteFileA(kJournalPath);
  }
};

TEST_F(CallJournalTest, EachCallIsInTheFreshFileWhenItsExportReturns) {
  std::ofstream(kJournalPath) << "an earlier run\n";
  ASSERT_TRUE(SetEnvironmentVariableA(kJournalVariable, kJournalPath));
  StdoutCapture out;
  Connect();
  EXPECT_EQ(ReadFileBytes(kJournalPath), "") << "created empty when the connection was made";
  EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), -1);
  EXPECT_EQ(RecordedCalls(kJournalPath), std::vector<std::string>{"Reset()"});
  TestSetSim_FailMethod(sim::method::kDisableCch, E_FAIL, L"cch busy", 1);
  EXPECT_EQ(GERAN_EXPORT(module(), DisableCch)(3), 0);
  EXPECT_EQ(RecordedCalls(kJournalPath), (std::vector<std::string>{"Reset()", "DisableCch(3)"}));
  EXPECT_EQ(GERAN_EXPORT(module(), ShiftLeft)(1, 2), 0);
  // The calls the demo script does not make, with a text that needs escaping.
  const double speech[] = {300.7};
  EXPECT_EQ(GERAN_EXPORT(module(), StartScript)(), -1);
  EXPECT_EQ(GERAN_EXPORT(module(), ShiftRight)(3, 4), 0);
  EXPECT_EQ(GERAN_EXPORT(module(), EnableVoiceSend)(1, speech, 1, 2), -1);
  const std::string text = "cell\tready \xFC";  // "\xFC" is no UTF-8: it must be read as ANSI
  EXPECT_EQ(GERAN_EXPORT(module(), ShowText)(text.c_str(), 1), -1);
  const std::vector<journal::RecordedCall> recording = RecordedJournal(kJournalPath);
  ASSERT_EQ(recording.size(), 7u);
  EXPECT_EQ(recording[0].outcome, "0x00000000");
  EXPECT_EQ(recording[1].outcome, "0x80004005\t\"cch busy\"");
  EXPECT_EQ(recording[6].call, "ShowText(\"" + AnsiAsUtf8(text) + "\")") << "code page " << GetACP();
  EXPECT_LE(std::stod(recording[0].time), std::stod(recording[2].time));
  EXPECT_EQ(RecordedCalls(kJournalPath), Calls()) << "as the simulator journaled them";
}

TEST_F(CallJournalTest, AFileThatCannotBeCreatedIsSaidOnceAndTheRunGoesOnUnrecorded) {
  const char* path = "C:\\no such folder\\journal.txt";
  ASSERT_TRUE(SetEnvironmentVariableA(kJournalVariable, path));
  StdoutCapture out;
  EXPECT_EQ(GERAN_EXPORT(module(), InitialiseSystem)(), -1);
  EXPECT_EQ(out.Take(), std::string("Call journal ") + path + " cannot be created, calls are not recorded: " +
                            MessageTextFor(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)) + "\n");
  EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), -1);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Journal(), std::vector<std::string>{"Reset()"});
}

// The recording layer is invisible: the test set sees the references and calls it sees unrecorded.
TEST_F(CallJournalTest, TheTestSetSeesTheSameReferencesAndCallsAsUnrecorded) {
  const std::vector<std::string> unrecorded = ObjectUseOfARun(module());
  ASSERT_TRUE(SetEnvironmentVariableA(kJournalVariable, kJournalPath));
  Reload();
  TestSetSim_Reset();
  EXPECT_EQ(ObjectUseOfARun(module()), unrecorded);
  EXPECT_EQ(RecordedCalls(kJournalPath), Journal()) << "the run was recorded";
}

// Each allocation of a recorded InitialiseSystem fails in turn: 0 and the out-of-memory line, and
// nothing half made: no connection, no trace line, no journal file held open, no object alive.
TEST_F(CallJournalTest, MemoryRunningOutWhileConnectingLeavesNothingHalfMade) {
  ASSERT_TRUE(SetEnvironmentVariableA(kJournalVariable, kJournalPath));
  const std::string line = "znGeranApiInterfaceDll_InitialiseSystem failed: out of memory\n";
  bool failed = true;
  for (int after = 0; failed && after < 100; ++after) {
    SCOPED_TRACE("allocation " + std::to_string(after + 1) + " fails");
    Reload();
    std::optional<StdoutCapture> out(std::in_place);  // ended before anything is checked
    std::optional<AllocationFails> exhausted(std::in_place, module(), Allocator::kHeap, after);
    const int result = GERAN_EXPORT(module(), InitialiseSystem)();
    failed = exhausted->Failed();
    exhausted.reset();
    const std::string text = out->Take();
    out.reset();
    if (!failed) break;
    EXPECT_EQ(std::make_pair(result, text), std::make_pair(0, line));
    EXPECT_FALSE(FileExists(kTest12));
    EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), 0) << "not connected";
    EXPECT_TRUE(DeleteFileA(kJournalPath) || GetLastError() == ERROR_FILE_NOT_FOUND) << GetLastError();
    Unload();
    EXPECT_EQ(TestSetSim_LiveObjects(), 0);
  }
  EXPECT_FALSE(failed) << "InitialiseSystem never got through";
}

// A new connection made on another thread while a recorded aux speech object is held starts its own
// journal; the object moves behind it.
TEST_F(CallJournalTest, ANewConnectionStartsItsOwnJournal) {
  ASSERT_TRUE(SetEnvironmentVariableA(kJournalVariable, kJournalPath));
  Connect();
  ASSERT_EQ(GERAN_EXPORT(module(), StartAuxSpeech)(1, 1), -1);
  int connected = 0;
  std::optional<StdoutCapture> out(std::in_place);
  std::thread([&] { connected = GERAN_EXPORT(module(), InitialiseSystem)(); }).join();
  EXPECT_EQ(out->Take(), "");
  out.reset();
  EXPECT_EQ(connected, -1);
  const size_t mark = Journal().size();
  EXPECT_EQ(GERAN_EXPORT(module(), AttachAuxSpeech)(2), -1);
  EXPECT_EQ(RecordedCalls(kJournalPath), Journal(mark));
  EXPECT_EQ(Journal(mark), std::vector<std::string>{"AttachAuxSpeech(AuxSpeech#1, 2)"});
}

}  // namespace
}  // namespace geran::test
