// The speech paths and StopBERTest in the command table. (Arguments, bytes and the count rule are the
// hostile caller suite's.)
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSpeechPaths = "src/measurement/speech_paths.cpp";
constexpr const char* kBerResults = "src/measurement/ber_results.cpp";
constexpr const char* kSharedLabel = "Getchannel_req_msg";  // both voice-send commands report under it
constexpr const char* kStopBer = "znGeranApiInterfaceDll_StopBERTest";
const double kSpeech[] = {0.5};

const Command kCommands[] = {
    Row("VoiceLoop", kSpeechPaths, GERAN_CALL(VoiceLoop, 1, 2, 3), "VoiceLoop(1, 2, 3)", {-1},
        {0, "VoiceLoop"}, {0}),
    Row("DisableVoiceSend", kSpeechPaths, GERAN_CALL(DisableVoiceSend, 1), "DisableVoiceSend(1)", {-1},
        {0, kSharedLabel}, {0}),
    Row("EnableVoiceSend", kSpeechPaths, GERAN_CALL(EnableVoiceSend, 1, kSpeech, 1, 2),
        "EnableVoiceSend(1, 1, [0], 2)", {-1}, {0, kSharedLabel}, {0}),
    Row("StopBERTest", kBerResults, GERAN_CALL(StopBERTest, -3), "StopBer(-3)",
        {-1, nullptr, "", std::string(kStopBer) + " Successfull\n"},
        {0, kStopBer, "", std::string(kStopBer) + " Faied with hr = {hr}\n"}, {0}),
};

class MeasurementCommandTest : public CommandTableTest {};

TEST_P(MeasurementCommandTest, GivesWhatItsRowSays) { CheckRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Measurement, MeasurementCommandTest, ::testing::ValuesIn(kCommands), RowName);

// S_FALSE is a success, for every command: they share the call path.
TEST_F(MeasurementCommandTest, AnswerSFalseIsASuccess) {
  Connect();
  TestSetSim_FailMethod(sim::method::kStopBer, S_FALSE, nullptr, 1);
  const CallEffect effect = ObserveCall([&] { return GERAN_EXPORT(module(), StopBERTest)(-3); });
  EXPECT_EQ(effect.result, -1);
  EXPECT_EQ(effect.out, "");
  EXPECT_EQ(effect.test12, OnDisk(std::string(kStopBer) + " Successfull\n"));
}

}  // namespace
}  // namespace geran::test
