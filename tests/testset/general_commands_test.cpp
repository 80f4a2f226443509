// The general test-set commands: the call the test set sees, output, trace lines and reports.
#include "failure_report.h"
#include "simulator.h"

#include <functional>

namespace geran::test {
namespace {

#define CALL(Name) GERAN_EXPORT(module(), Name)  // in the fixture's tests

constexpr const char* kSource = "src/testset/general_commands.cpp";

class GeneralCommandsTest : public ProductTest {
 protected:
  // The call's effect; these commands write no trace file but C:\Test12.txt.
  CallEffect Observe(const std::function<int()>& call) {
    CallEffect effect = ObserveCall(call);
    EXPECT_FALSE(FileExists(kRemoteApi) || FileExists(kResult) || FileExists(kCallBox));
    return effect;
  }
};

// Each command succeeding, then failing: its report's label and its trace lines.
TEST_F(GeneralCommandsTest, SuccessAndFailureWriteTheirLines) {
  TestSetSim_SetText(sim::text::kLogFileName, L"trace.log");
  char buffer[16] = "";
  const struct {
    const char* method;
    std::function<int()> call;
    const char* seen;  // the one call the test set receives
    const char* out;   // on success
    const char* test12;
    const char* label;         // of the failure's report; nullptr: not reported
    const char* failedTest12;  // "%ld" takes the HRESULT
  } cases[] = {
      {sim::method::kStartScript, [&] { return CALL(StartScript)(); }, "StartScript()",
       " Start Script Done\n", "StartScript Done Successfully\n", "StartScript",
       "StartScript Faied with hr = %ld\n"},
      {sim::method::kGetLogFileName, [&] { return CALL(GetLogFileName)(buffer, 10); }, "get_LogFileName()",
       "", "", "GetLogFileName", ""},
      {sim::method::kPutLogFileName, [&] { return CALL(PutLogFileName)("log.txt", 8); },
       "put_LogFileName(\"log.txt\")", "", "", "put_LogFileName", ""},
      {sim::method::kPutKeywordTimeout, [&] { return CALL(PutKeywordTimeout)(-5); }, "put_KeywordTimeout(-5)",
       "", "KeywordTimeout successful\n", "put_KeywordTimeout", "KeywordTimeout Faied with hr = %ld\n"},
      {sim::method::kWaitTime, [&] { return CALL(WaitTime)(30); }, "WaitTime(30)", "", "", "WaitTime", ""},
      {sim::method::kSelectRadioSystem, [&] { return CALL(SelectRadioSystem)(0); }, "SelectRadioSystem(0)",
       "", "SelectRadioSystem Successfull\n", "SelectRadioSystem", "SelectRadioSystem Faied with hr = %ld\n"},
      {sim::method::kShowText, [&] { return CALL(ShowText)("text", 5); }, "ShowText(\"text\")", "", "",
       nullptr, ""},
  };
  Connect();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    const CallEffect success = Observe(c.call);
    EXPECT_EQ(success.result, -1);
    EXPECT_EQ(success.calls, std::vector<std::string>{c.seen});
    EXPECT_EQ(success.out, c.out);
    EXPECT_EQ(success.test12, OnDisk(c.test12));
    TestSetSim_FailMethod(c.method, E_FAIL, L"test set busy", 1);
    const CallEffect failure = Observe(c.call);
    char traceLine[64];
    std::snprintf(traceLine, sizeof traceLine, c.failedTest12, static_cast<long>(E_FAIL));
    EXPECT_EQ(failure.result, 0);
    EXPECT_EQ(failure.calls, std::vector<std::string>{c.seen});
    EXPECT_TRUE(c.label ? IsFailureReport(failure.out, kSource, c.label, "test set busy")
                        : ::testing::AssertionResult(failure.out.empty()));
    EXPECT_EQ(failure.test12, OnDisk(traceLine));
  }
  EXPECT_STREQ(buffer, "trace.log") << "the name fits its buffer exactly; the failed read left it as it was";
}

}  // namespace
}  // namespace geran::test
