// The speech paths that pass through to the test set: VoiceLoop, DisableVoiceSend, EnableVoiceSend.
#include "failure_report.h"
#include "simulator.h"

#include <climits>
#include <functional>

namespace geran::test {
namespace {

constexpr const char* kSpeechPathsSource = "src/measurement/speech_paths.cpp";

class SpeechPathsTest : public ProductTest {
 protected:
  void ExpectNoTraceFiles() {
    for (const char* path : {kTest12, kRemoteApi, kResult, kCallBox}) EXPECT_FALSE(FileExists(path)) << path;
  }
};

TEST_F(SpeechPathsTest, ArgumentsReachTheTestSetUnchanged) {
  Connect();
  const double speech[] = {0.5, 255.9, 300, -1};
  StdoutCapture out;
  EXPECT_EQ(GERAN_EXPORT(module(), VoiceLoop)(1, -2, INT_MAX), -1);
  EXPECT_EQ(GERAN_EXPORT(module(), DisableVoiceSend)(INT_MIN), -1);
  EXPECT_EQ(GERAN_EXPORT(module(), EnableVoiceSend)(5, speech, 3, -6), -1);
  EXPECT_EQ(GERAN_EXPORT(module(), EnableVoiceSend)(7, speech + 3, 1, 8), -1);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(Calls(), (std::vector<std::string>{
                         "VoiceLoop(1, -2, 2147483647)", "DisableVoiceSend(-2147483648)",
                         "EnableVoiceSend(5, 3, [0,255,44], -6)", "EnableVoiceSend(7, 1, [255], 8)"}));
  ExpectNoTraceFiles();
}

TEST_F(SpeechPathsTest, EnableVoiceSendRefusesAnEmptyCountBeforeLookingAtAnything) {
  Connect();
  for (int count : {0, -1, INT_MIN}) {
    StdoutCapture out;
    EXPECT_EQ(GERAN_EXPORT(module(), EnableVoiceSend)(1, nullptr, count, 2), 0) << count;
    EXPECT_EQ(out.Take(), "") << count;
  }
  EXPECT_TRUE(Calls().empty());
}

TEST_F(SpeechPathsTest, WithoutConnectionNothingIsCalledOrWritten) {
  const double speech[] = {1.0};
  StdoutCapture out;
  EXPECT_EQ(GERAN_EXPORT(module(), VoiceLoop)(1, 2, 3), 0);
  EXPECT_EQ(GERAN_EXPORT(module(), DisableVoiceSend)(1), 0);
  EXPECT_EQ(GERAN_EXPORT(module(), EnableVoiceSend)(1, speech, 1, 2), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_TRUE(Journal().empty());
  ExpectNoTraceFiles();
}

TEST_F(SpeechPathsTest, FailuresAreReportedUnderTheExportsLabel) {
  static const double speech[] = {9.0};
  const struct {
    const char* method;
    std::function<int(const ProductModule&)> call;
    const char* label;
  } cases[] = {
      {"VoiceLoop", [](const ProductModule& m) { return GERAN_EXPORT(m, VoiceLoop)(1, 2, 3); }, "VoiceLoop"},
      {"DisableVoiceSend", [](const ProductModule& m) { return GERAN_EXPORT(m, DisableVoiceSend)(1); },
       "Getchannel_req_msg"},
      {"EnableVoiceSend",
       [](const ProductModule& m) { return GERAN_EXPORT(m, EnableVoiceSend)(1, speech, 1, 2); },
       "Getchannel_req_msg"},
  };
  Connect();
  for (const auto& c : cases) {
    TestSetSim_FailMethod(c.method, E_FAIL, L"speech path busy", 1);
    StdoutCapture out;
    EXPECT_EQ(c.call(module()), 0) << c.method;
    EXPECT_TRUE(IsFailureReport(out.Take(), kSpeechPathsSource, c.label, "speech path busy")) << c.method;
  }
  ExpectNoTraceFiles();
}

}  // namespace
}  // namespace geran::test
