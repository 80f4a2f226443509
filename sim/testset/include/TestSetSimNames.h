// The names a client of the simulator's control API may use: the methods that can be made to fail
// (journal names, and the creation steps) and the values that can be set. The one registry: the
// simulator serves its methods and reads its settings under these constants, and the script host
// checks its --sim-fail and --sim-value names against the lists.
#pragma once

#include <string_view>

// X(identifier, "name"): one line a name.
#define GERAN_SIM_METHODS(X)                                  \
  /* Creation steps. */                                       \
  X(kCreateInstance, "CreateInstance")                        \
  X(kQueryInterface, "QueryInterface")                        \
  X(kAuxSpeechCreateInstance, "AuxSpeech.CreateInstance")     \
  X(kAuxSpeechQueryInterface, "AuxSpeech.QueryInterface")     \
  /* TestSetApi. */                                           \
  X(kAttachAuxSpeech, "AttachAuxSpeech")                      \
  X(kChangeMSPower, "ChangeMSPower")                          \
  X(kChangeTimingAdvance, "ChangeTimingAdvance")              \
  X(kChangeTxPower, "ChangeTxPower")                          \
  X(kCipherMode, "CipherMode")                                \
  X(kConfigCch, "ConfigCch")                                  \
  X(kDisableCch, "DisableCch")                                \
  X(kDisableTrafficMultiframe, "DisableTrafficMultiframe")    \
  X(kDisableVoiceSend, "DisableVoiceSend")                    \
  X(kEnableTrafficMultiframe, "EnableTrafficMultiframe")      \
  X(kEnableVoiceSend, "EnableVoiceSend")                      \
  X(kGetAccessBurst, "GetAccessBurst")                        \
  X(kGetBerMeasurement, "GetBerMeasurement")                  \
  X(kGetchannelRequestMsg, "GetchannelRequestMsg")            \
  X(kQueryFrameNumber, "QueryFrameNumber")                    \
  X(kReleaseL2Link, "ReleaseL2Link")                          \
  X(kReset, "Reset")                                          \
  X(kSelectRadioSystem, "SelectRadioSystem")                  \
  X(kSendMsg, "SendMsg")                                      \
  X(kSendPagingReq, "SendPagingReq")                          \
  X(kSendSIMsg, "SendSIMsg")                                  \
  X(kShiftLeft, "ShiftLeft")                                  \
  X(kShiftRight, "ShiftRight")                                \
  X(kShowText, "ShowText")                                    \
  X(kStartBer, "StartBer")                                    \
  X(kStartScript, "StartScript")                              \
  X(kStopBer, "StopBer")                                      \
  X(kVoiceLoop, "VoiceLoop")                                  \
  X(kWaitAccessBurst, "WaitAccessBurst")                      \
  X(kWaitMsg, "WaitMsg")                                      \
  X(kWaitTime, "WaitTime")                                    \
  X(kGetLogFileName, "get_LogFileName")                       \
  X(kPutKeywordTimeout, "put_KeywordTimeout")                 \
  X(kPutLogFileName, "put_LogFileName")                       \
  /* The BER objects and the aux speech object. */            \
  X(kBerMeasurementGetCounters, "BerMeasurement.GetCounters") \
  X(kBerCounterGroupGetFer, "BerCounterGroup.GetFer")         \
  X(kBerCounterGroupGetClass1a, "BerCounterGroup.GetClass1a") \
  X(kBerCounterGroupGetClass1b, "BerCounterGroup.GetClass1b") \
  X(kBerCounterGroupGetClass2, "BerCounterGroup.GetClass2")   \
  X(kBerCounterSetGetSamples, "BerCounterSet.GetSamples")     \
  X(kBerCounterSetGetName, "BerCounterSet.GetName")           \
  X(kBerCounterSetGetEvents, "BerCounterSet.GetEvents")       \
  X(kBerCounterSetGetErrorRate, "BerCounterSet.GetErrorRate") \
  X(kBerCounterSetGetLastFn, "BerCounterSet.GetLastFn")       \
  X(kAuxSpeechStart, "AuxSpeech.Start")

#define GERAN_SIM_VALUES(X)                                                \
  X(kAccessBurst, "AccessBurst")                                           \
  X(kChannelRequest, "ChannelRequest")                                     \
  X(kFrameNumber, "FrameNumber")                                           \
  X(kShiftAnswer, "ShiftAnswer")                                           \
  X(kJournal, "Journal")                                                   \
  X(kRealTimeWait, "RealTimeWait")                                         \
  X(kBerSeed, "BerSeed")                                                   \
  X(kFerPermille, "FerPermille")                                           \
  X(kC1bBerPpm, "C1bBerPpm")                                               \
  X(kC2BerPpm, "C2BerPpm")                                                 \
  X(kBerFreezeSamples, "BerFreezeSamples")                                 \
  /* Ber.<set>.<counter>: one counter's value instead of the model's. */   \
  X(kBerFerSamples, "Ber.fer.samples")                                     \
  X(kBerFerEvents, "Ber.fer.events")                                       \
  X(kBerFerLastFn, "Ber.fer.lastfn")                                       \
  X(kBerC1aSamples, "Ber.c1a.samples")                                     \
  X(kBerC1aEvents, "Ber.c1a.events")                                       \
  X(kBerC1aLastFn, "Ber.c1a.lastfn")                                       \
  X(kBerC1bSamples, "Ber.c1b.samples")                                     \
  X(kBerC1bEvents, "Ber.c1b.events")                                       \
  X(kBerC1bLastFn, "Ber.c1b.lastfn")                                       \
  X(kBerC2Samples, "Ber.c2.samples")                                       \
  X(kBerC2Events, "Ber.c2.events")                                         \
  X(kBerC2LastFn, "Ber.c2.lastfn")                                         \
  /* BerNullGetter.<getter>: the getter hands out a null pointer. */       \
  X(kBerNullGetterGetBerMeasurement, "BerNullGetter.GetBerMeasurement")    \
  X(kBerNullGetterGetCounters, "BerNullGetter.BerMeasurement.GetCounters") \
  X(kBerNullGetterGetFer, "BerNullGetter.BerCounterGroup.GetFer")          \
  X(kBerNullGetterGetClass1a, "BerNullGetter.BerCounterGroup.GetClass1a")  \
  X(kBerNullGetterGetClass1b, "BerNullGetter.BerCounterGroup.GetClass1b")  \
  X(kBerNullGetterGetClass2, "BerNullGetter.BerCounterGroup.GetClass2")

#define GERAN_SIM_NAME_CONSTANT(identifier, name) inline constexpr char identifier[] = name;
#define GERAN_SIM_NAME_TEXT(identifier, name) std::string_view(name),

namespace geran::sim {

// Method names: TestSetSim_FailMethod("ConfigCch", ...) is TestSetSim_FailMethod(method::kConfigCch, ...).
namespace method {
GERAN_SIM_METHODS(GERAN_SIM_NAME_CONSTANT)
}  // namespace method

// Value names, for TestSetSim_SetValue.
namespace value {
GERAN_SIM_VALUES(GERAN_SIM_NAME_CONSTANT)
}  // namespace value

// Text names, for TestSetSim_SetText: the log file name get_LogFileName hands out.
namespace text {
inline constexpr char kLogFileName[] = "LogFileName";
}  // namespace text

// The control object's own creation step: a fault name, but not the test set's, so not listed.
inline constexpr char kSimulatorControlCreateInstance[] = "SimulatorControl.CreateInstance";

inline constexpr std::string_view kMethodNames[] = {GERAN_SIM_METHODS(GERAN_SIM_NAME_TEXT)};
inline constexpr std::string_view kValueNames[] = {GERAN_SIM_VALUES(GERAN_SIM_NAME_TEXT)};

// The setting that makes the getter named method hand out a null pointer; "" for another method.
constexpr std::string_view NullGetterSetting(std::string_view method) {
  constexpr std::string_view kGetters[][2] = {
      {method::kGetBerMeasurement, value::kBerNullGetterGetBerMeasurement},
      {method::kBerMeasurementGetCounters, value::kBerNullGetterGetCounters},
      {method::kBerCounterGroupGetFer, value::kBerNullGetterGetFer},
      {method::kBerCounterGroupGetClass1a, value::kBerNullGetterGetClass1a},
      {method::kBerCounterGroupGetClass1b, value::kBerNullGetterGetClass1b},
      {method::kBerCounterGroupGetClass2, value::kBerNullGetterGetClass2},
  };
  for (const auto& getter : kGetters)
    if (getter[0] == method) return getter[1];
  return {};
}

}  // namespace geran::sim

#undef GERAN_SIM_NAME_CONSTANT
#undef GERAN_SIM_NAME_TEXT
