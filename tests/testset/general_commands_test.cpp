// The general test-set commands: checks, the calls the test set sees, output, trace lines and reports.
#include "failure_report.h"
#include "simulator.h"

#include <cstring>
#include <functional>

namespace geran::test {
namespace {

#define CALL(Name) GERAN_EXPORT(module(), Name)  // in the fixture's tests

constexpr const char* kSource = "src/testset/general_commands.cpp";

// What one export call caused.
struct Effect {
  int result;
  std::vector<std::string> calls;
  std::string out;
  std::string test12;
  bool otherTraceFiles;
};

// An export call and what it must cause: by default 0 and nothing at all.
struct Row {
  template <class Call>
  Row(Call call, int result = 0, const char* seen = "", const char* out = "", const char* test12 = "")
      : call(call), result(result), seen(seen), out(out), test12(test12) {}
  std::function<int()> call;
  int result;
  const char *seen, *out, *test12;  // seen: the one call the test set sees, or ""
};

class GeneralCommandsTest : public ProductTest {
 protected:
  Effect Observe(const std::function<int()>& call) {
    RemoveTraceFiles();
    const size_t before = Journal().size();
    StdoutCapture out;
    const int result = call();
    const std::vector<std::string> calls = Journal(before);
    const bool others = FileExists(kRemoteApi) || FileExists(kResult) || FileExists(kCallBox);
    return Effect{result, calls, out.Take(), ReadFileBytes(kTest12), others};
  }

  void Expect(const std::vector<Row>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
      const Row& row = rows[i];
      const Effect effect = Observe(row.call);
      EXPECT_EQ(effect.result, row.result) << "row " << i;
      EXPECT_EQ(effect.calls, *row.seen ? std::vector<std::string>{row.seen} : std::vector<std::string>{})
          << i;
      EXPECT_EQ(effect.out, row.out) << i;
      EXPECT_EQ(effect.test12, OnDisk(row.test12)) << i;
      EXPECT_FALSE(effect.otherTraceFiles) << i;
    }
  }
};

// A zero value stops a connected command before any call. (The hostile caller suite has the
// unconnected calls and the length checks.)
TEST_F(GeneralCommandsTest, ZeroValuesStopAConnectedCommandBeforeAnyCall) {
  Connect();
  Expect({[&] { return CALL(PutKeywordTimeout)(0); }, [&] { return CALL(WaitOnMMIReady)(0); },
          [&] { return CALL(WaitTime)(0); }});
}

// The values the test set receives are the hostile caller suite's.
TEST_F(GeneralCommandsTest, SuccessWritesItsLines) {
  Connect();
  Expect({
      {[&] { return CALL(StartScript)(); }, -1, "StartScript()", " Start Script Done\n",
       "StartScript Done Successfully\n"},
      {[&] { return CALL(PutKeywordTimeout)(-5); }, -1, "put_KeywordTimeout(-5)", "",
       "KeywordTimeout successful\n"},
      {[&] { return CALL(SelectRadioSystem)(0); }, -1, "SelectRadioSystem(0)", "",
       "SelectRadioSystem Successfull\n"},
  });
}

TEST_F(GeneralCommandsTest, FailureIsReportedUnderEachCommandsLabel) {
  Connect();
  char buffer[16] = "untouched";
  const struct {
    const char* method;
    std::function<int()> call;
    const char* label;   // nullptr: not reported
    const char* test12;  // "%ld" takes the HRESULT
  } cases[] = {
      {sim::method::kStartScript, [&] { return CALL(StartScript)(); }, "StartScript",
       "StartScript Faied with hr = %ld\n"},
      {sim::method::kGetLogFileName, [&] { return CALL(GetLogFileName)(buffer, 16); }, "GetLogFileName", ""},
      {sim::method::kPutLogFileName, [&] { return CALL(PutLogFileName)("log.txt", 8); }, "put_LogFileName",
       ""},
      {sim::method::kPutKeywordTimeout, [&] { return CALL(PutKeywordTimeout)(30); }, "put_KeywordTimeout",
       "KeywordTimeout Faied with hr = %ld\n"},
      {sim::method::kWaitTime, [&] { return CALL(WaitTime)(30); }, "WaitTime", ""},
      {sim::method::kSelectRadioSystem, [&] { return CALL(SelectRadioSystem)(2); }, "SelectRadioSystem",
       "SelectRadioSystem Faied with hr = %ld\n"},
      {sim::method::kShowText, [&] { return CALL(ShowText)("text", 5); }, nullptr, ""},
  };
  for (const auto& c : cases) {
    TestSetSim_FailMethod(c.method, E_FAIL, L"test set busy", 1);
    const Effect effect = Observe(c.call);
    char traceLine[64];
    std::snprintf(traceLine, sizeof traceLine, c.test12, static_cast<long>(E_FAIL));
    EXPECT_EQ(effect.result, 0) << c.method;
    EXPECT_EQ(effect.calls.size(), 1u) << c.method;
    EXPECT_TRUE(c.label ? IsFailureReport(effect.out, kSource, c.label, "test set busy")
                        : ::testing::AssertionResult(effect.out.empty()))
        << c.method;
    EXPECT_EQ(effect.test12, OnDisk(traceLine)) << c.method;
    EXPECT_FALSE(effect.otherTraceFiles) << c.method;
  }
  EXPECT_STREQ(buffer, "untouched");
}

// A name that does not fit with its NUL is refused, the buffer untouched.
TEST_F(GeneralCommandsTest, GetLogFileNameCopiesOnlyAWholeName) {
  Connect();
  const struct {
    const wchar_t* name;
    int length;
    int result;
    std::string buffer;  // all 16 bytes afterwards
  } cases[] = {
      {L"trace.log", 10, -1, std::string("trace.log\0xxxxxx", 16)},
      {L"trace.log", 9, 0, std::string(16, 'x')},
      {nullptr, 16, 0, std::string(16, 'x')},
  };
  for (const auto& c : cases) {
    TestSetSim_SetText(sim::text::kLogFileName, c.name);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    const Effect effect = Observe([&] { return CALL(GetLogFileName)(buffer, c.length); });
    EXPECT_EQ(effect.result, c.result) << c.length;
    EXPECT_EQ(std::string(buffer, sizeof buffer), c.buffer) << c.length;
    EXPECT_EQ(effect.calls, std::vector<std::string>{"get_LogFileName()"});
    EXPECT_EQ(effect.out + effect.test12, "") << c.length;
  }
}

TEST_F(GeneralCommandsTest, LogFileNameTravelsInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs ANSI code page 1252, this system has " << GetACP();
  Connect();
  const char* const resume = "R\xE9sum\xE9.log";  // "Résumé.log" in code page 1252
  const Effect put = Observe([&] { return CALL(PutLogFileName)(resume, 1); });
  EXPECT_EQ(put.result, -1);
  EXPECT_EQ(put.calls, std::vector<std::string>{"put_LogFileName(\"R\xC3\xA9sum\xC3\xA9.log\")"});
  TestSetSim_SetText(sim::text::kLogFileName, L"R\u00E9sum\u00E9.log");
  char buffer[16] = {};
  EXPECT_EQ(CALL(GetLogFileName)(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, resume);
}

}  // namespace
}  // namespace geran::test
