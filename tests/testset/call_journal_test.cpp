// GERAN_CALL_JOURNAL seen through the exports: the file, its lines as calls return, and a file that
// cannot be created.
#include "failure_report.h"
#include "simulator.h"

#include "recorded_journal_file.h"

#include <fstream>

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

}  // namespace
}  // namespace geran::test
