// The general test-set commands: checks, the calls the test set sees, output, trace lines and reports.
#include "failure_report.h"
#include "simulator.h"

#include <climits>
#include <cstring>
#include <functional>

namespace geran::test {
namespace {

constexpr const char* kSource = "src/testset/general_commands.cpp";
constexpr HRESULT kBusy = static_cast<HRESULT>(0x80040205);  // no system text: "IDispatch error #5"

// What one export call caused.
struct Effect {
  int result;
  std::vector<std::string> calls;
  std::string out;
  std::string test12;
  bool otherTraceFiles;
};

class GeneralCommandsTest : public ProductTest {
 protected:
  Effect Observe(const std::function<int()>& call) {
    RemoveTraceFiles();
    const size_t before = Journal().size();
    StdoutCapture out;
    const int result = call();
    std::vector<std::string> calls = Journal();
    calls.erase(calls.begin(), calls.begin() + static_cast<long>(before));
    const bool others = FileExists(kRemoteApi) || FileExists(kResult) || FileExists(kCallBox);
    return Effect{result, calls, out.Take(), ReadFileBytes(kTest12), others};
  }

  // Expects 0 with no call, no output and no trace file.
  void ExpectNothing(const char* what, const std::function<int()>& call) {
    const Effect effect = Observe(call);
    EXPECT_EQ(effect.result, 0) << what;
    EXPECT_EQ(effect.calls, std::vector<std::string>{}) << what;
    EXPECT_EQ(effect.out, "") << what;
    EXPECT_FALSE(FileExists(kTest12)) << what;
    EXPECT_FALSE(effect.otherTraceFiles) << what;
  }

  int StartScript() { return GERAN_EXPORT(module(), StartScript)(); }
  int GetLogFileName(char* buffer, int length) {
    return GERAN_EXPORT(module(), GetLogFileName)(buffer, length);
  }
  int PutLogFileName(const char* name, int length) {
    return GERAN_EXPORT(module(), PutLogFileName)(name, length);
  }
  int PutKeywordTimeout(int timeout) { return GERAN_EXPORT(module(), PutKeywordTimeout)(timeout); }
  int WaitOnMMIReady(int value) { return GERAN_EXPORT(module(), WaitOnMMIReady)(value); }
  int WaitTime(int time) { return GERAN_EXPORT(module(), WaitTime)(time); }
  int ShowText(const char* text, int length) { return GERAN_EXPORT(module(), ShowText)(text, length); }
  int SelectRadioSystem(int system) { return GERAN_EXPORT(module(), SelectRadioSystem)(system); }
};

TEST_F(GeneralCommandsTest, WithoutConnectionEachGives0AndDoesNothing) {
  char buffer[16] = "untouched";
  ExpectNothing("StartScript", [&] { return StartScript(); });
  ExpectNothing("GetLogFileName", [&] { return GetLogFileName(buffer, sizeof buffer); });
  ExpectNothing("PutKeywordTimeout", [&] { return PutKeywordTimeout(100); });
  ExpectNothing("WaitOnMMIReady", [&] { return WaitOnMMIReady(1); });
  ExpectNothing("WaitTime", [&] { return WaitTime(100); });
  ExpectNothing("ShowText", [&] { return ShowText("text", 5); });
  ExpectNothing("SelectRadioSystem", [&] { return SelectRadioSystem(1); });
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(GeneralCommandsTest, PutLogFileNameWithoutConnectionReportsTheMissingConnection) {
  ExpectNothing("length 0 is checked first", [&] { return PutLogFileName("log.txt", 0); });
  ExpectNothing("length -1", [&] { return PutLogFileName("log.txt", -1); });
  ExpectNothing("null name", [&] { return PutLogFileName(nullptr, 8); });
  const Effect effect = Observe([&] { return PutLogFileName("log.txt", 8); });
  EXPECT_EQ(effect.result, 0);
  EXPECT_TRUE(IsFailureReport(effect.out, kSource, "put_LogFileName", MessageTextFor(E_POINTER)));
  EXPECT_EQ(effect.test12, "");
  EXPECT_FALSE(effect.otherTraceFiles);
}

TEST_F(GeneralCommandsTest, ArgumentChecksComeBeforeAnyCall) {
  Connect();
  char buffer[16] = "untouched";
  ExpectNothing("GetLogFileName length 0", [&] { return GetLogFileName(buffer, 0); });
  ExpectNothing("GetLogFileName length -1", [&] { return GetLogFileName(buffer, -1); });
  ExpectNothing("PutLogFileName length 0", [&] { return PutLogFileName("log.txt", 0); });
  ExpectNothing("PutLogFileName null name", [&] { return PutLogFileName(nullptr, 8); });
  ExpectNothing("PutKeywordTimeout 0", [&] { return PutKeywordTimeout(0); });
  ExpectNothing("WaitOnMMIReady 0", [&] { return WaitOnMMIReady(0); });
  ExpectNothing("WaitTime 0", [&] { return WaitTime(0); });
  ExpectNothing("ShowText length 0", [&] { return ShowText("text", 0); });
  ExpectNothing("ShowText length -5", [&] { return ShowText("text", -5); });
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(GeneralCommandsTest, SuccessPassesValuesUnchangedAndWritesItsLines) {
  Connect();
  const struct {
    const char* what;
    std::function<int()> call;
    std::vector<std::string> calls;
    const char* out;
    const char* test12;
  } cases[] = {
      {"StartScript",
       [&] { return StartScript(); },
       {"StartScript()"},
       " Start Script Done\n",
       "StartScript Done Successfully\n"},
      {"PutKeywordTimeout",
       [&] { return PutKeywordTimeout(-5); },
       {"put_KeywordTimeout(-5)"},
       "",
       "KeywordTimeout successful\n"},
      {"WaitTime", [&] { return WaitTime(2000); }, {"WaitTime(2000)"}, "", ""},
      {"WaitTime negative", [&] { return WaitTime(INT_MIN); }, {"WaitTime(-2147483648)"}, "", ""},
      {"SelectRadioSystem 0",
       [&] { return SelectRadioSystem(0); },
       {"SelectRadioSystem(0)"},
       "",
       "SelectRadioSystem Successfull\n"},
      {"SelectRadioSystem",
       [&] { return SelectRadioSystem(INT_MAX); },
       {"SelectRadioSystem(2147483647)"},
       "",
       "SelectRadioSystem Successfull\n"},
      {"ShowText", [&] { return ShowText("Insert SIM", 1); }, {"ShowText(\"Insert SIM\")"}, "", ""},
      // A null string, which automation reads as the empty string.
      {"ShowText null text", [&] { return ShowText(nullptr, 3); }, {"ShowText(null)"}, "", ""},
      {"PutLogFileName",
       [&] { return PutLogFileName("C:\\logs\\run 1.txt", 1); },
       {"put_LogFileName(\"C:\\logs\\run 1.txt\")"},
       "",
       ""},
      {"WaitOnMMIReady", [&] { return WaitOnMMIReady(-3); }, {}, "", ""},
  };
  for (const auto& c : cases) {
    const Effect effect = Observe(c.call);
    EXPECT_EQ(effect.result, -1) << c.what;
    EXPECT_EQ(effect.calls, c.calls) << c.what;
    EXPECT_EQ(effect.out, c.out) << c.what;
    EXPECT_EQ(effect.test12, OnDisk(c.test12)) << c.what;
    EXPECT_FALSE(effect.otherTraceFiles) << c.what;
  }
}

TEST_F(GeneralCommandsTest, FailureIsReportedUnderEachCommandsLabel) {
  Connect();
  char buffer[16] = "untouched";
  const struct {
    const char* method;
    std::function<int()> call;
    const char* label;
    const char* test12;
  } cases[] = {
      {"StartScript", [&] { return StartScript(); }, "StartScript", "StartScript Faied with hr = %ld\n"},
      {"get_LogFileName", [&] { return GetLogFileName(buffer, sizeof buffer); }, "GetLogFileName", ""},
      {"put_LogFileName", [&] { return PutLogFileName("log.txt", 8); }, "put_LogFileName", ""},
      {"put_KeywordTimeout", [&] { return PutKeywordTimeout(30); }, "put_KeywordTimeout",
       "KeywordTimeout Faied with hr = %ld\n"},
      {"WaitTime", [&] { return WaitTime(30); }, "WaitTime", ""},
      {"SelectRadioSystem", [&] { return SelectRadioSystem(2); }, "SelectRadioSystem",
       "SelectRadioSystem Faied with hr = %ld\n"},
  };
  const struct {
    HRESULT hr;
    const wchar_t* description;
    std::string text;
  } failures[] = {{E_FAIL, L"test set busy", "test set busy"}, {kBusy, nullptr, MessageTextFor(kBusy)}};
  for (const auto& failure : failures) {
    for (const auto& c : cases) {
      TestSetSim_FailMethod(c.method, failure.hr, failure.description, 1);
      const Effect effect = Observe(c.call);
      char traceLine[64];
      std::snprintf(traceLine, sizeof traceLine, c.test12, static_cast<long>(failure.hr));
      EXPECT_EQ(effect.result, 0) << c.method;
      ASSERT_EQ(effect.calls.size(), 1u) << c.method;
      EXPECT_EQ(effect.calls[0].rfind(c.method + std::string("("), 0), 0u) << effect.calls[0];
      EXPECT_TRUE(IsFailureReport(effect.out, kSource, c.label, failure.text)) << c.method;
      EXPECT_EQ(effect.test12, OnDisk(traceLine)) << c.method;
      EXPECT_FALSE(effect.otherTraceFiles) << c.method;
    }
  }
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(GeneralCommandsTest, ShowTextFailsSilently) {
  Connect();
  TestSetSim_FailMethod("ShowText", E_FAIL, L"display broken", 1);
  const Effect effect = Observe([&] { return ShowText("text", 5); });
  EXPECT_EQ(effect.result, 0);
  EXPECT_EQ(effect.calls, std::vector<std::string>{"ShowText(\"text\")"});
  EXPECT_EQ(effect.out, "");
  EXPECT_FALSE(FileExists(kTest12));
}

TEST_F(GeneralCommandsTest, GetLogFileNameCopiesOnlyAWholeName) {
  Connect();
  const struct {
    const wchar_t* name;
    int length;
    int result;
    std::string buffer;  // all 16 bytes afterwards
  } cases[] = {
      {L"trace.log", 16, -1, std::string("trace.log\0xxxxxx", 16)},
      {L"trace.log", 10, -1, std::string("trace.log\0xxxxxx", 16)},
      {L"trace.log", 9, 0, std::string(16, 'x')},
      {L"trace.log", 1, 0, std::string(16, 'x')},
      {L"", 1, -1, std::string(1, '\0') + std::string(15, 'x')},
      {nullptr, 16, 0, std::string(16, 'x')},
  };
  for (const auto& c : cases) {
    TestSetSim_SetText("LogFileName", c.name);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    const Effect effect = Observe([&] { return GetLogFileName(buffer, c.length); });
    EXPECT_EQ(effect.result, c.result) << c.length;
    EXPECT_EQ(std::string(buffer, sizeof buffer), c.buffer) << c.length;
    EXPECT_EQ(effect.calls, std::vector<std::string>{"get_LogFileName()"});
    EXPECT_EQ(effect.out, "") << c.length;
    EXPECT_FALSE(FileExists(kTest12));
  }
}

TEST_F(GeneralCommandsTest, LogFileNameTravelsInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs ANSI code page 1252, this system has " << GetACP();
  Connect();
  const char* const resume = "R\xE9sum\xE9.log";  // "Résumé.log" in code page 1252
  const Effect put = Observe([&] { return PutLogFileName(resume, 1); });
  EXPECT_EQ(put.result, -1);
  EXPECT_EQ(put.calls, std::vector<std::string>{"put_LogFileName(\"R\xC3\xA9sum\xC3\xA9.log\")"});
  TestSetSim_SetText("LogFileName", L"R\u00E9sum\u00E9.log");
  char buffer[16] = {};
  EXPECT_EQ(GetLogFileName(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, resume);
}

}  // namespace
}  // namespace geran::test
