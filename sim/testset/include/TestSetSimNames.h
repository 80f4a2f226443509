// The names a client of the simulator's control API may use: the methods that can be made to fail
// (journal names, and the creation steps) and the values that can be set. One list, which the
// script host checks its --sim-fail and --sim-value names against; a test holds the methods to
// the simulator's type library.
#pragma once

#include <string_view>

namespace geran::sim {

inline constexpr std::string_view kMethodNames[] = {
    // Creation steps.
    "CreateInstance", "QueryInterface", "AuxSpeech.CreateInstance", "AuxSpeech.QueryInterface",
    // TestSetApi.
    "AttachAuxSpeech", "ChangeMSPower", "ChangeTimingAdvance", "ChangeTxPower", "CipherMode", "ConfigCch",
    "DisableCch", "DisableTrafficMultiframe", "DisableVoiceSend", "EnableTrafficMultiframe",
    "EnableVoiceSend", "GetAccessBurst", "GetBerMeasurement", "GetchannelRequestMsg", "QueryFrameNumber",
    "ReleaseL2Link", "Reset", "SelectRadioSystem", "SendMsg", "SendPagingReq", "SendSIMsg", "ShiftLeft",
    "ShiftRight", "ShowText", "StartBer", "StartScript", "StopBer", "VoiceLoop", "WaitAccessBurst", "WaitMsg",
    "WaitTime", "get_LogFileName", "put_KeywordTimeout", "put_LogFileName",
    // The BER objects and the aux speech object.
    "BerMeasurement.GetCounters", "BerCounterGroup.GetFer", "BerCounterGroup.GetClass1a",
    "BerCounterGroup.GetClass1b", "BerCounterGroup.GetClass2", "BerCounterSet.GetSamples",
    "BerCounterSet.GetName", "BerCounterSet.GetEvents", "BerCounterSet.GetErrorRate",
    "BerCounterSet.GetLastFn", "AuxSpeech.Start"};

inline constexpr std::string_view kValueNames[] = {
    "AccessBurst", "ChannelRequest", "FrameNumber", "ShiftAnswer", "Journal", "RealTimeWait", "BerSeed",
    "FerPermille", "C1bBerPpm", "C2BerPpm", "BerFreezeSamples",
    // Ber.<set>.<counter>: one counter's value instead of the model's.
    "Ber.fer.samples", "Ber.fer.events", "Ber.fer.lastfn", "Ber.c1a.samples", "Ber.c1a.events",
    "Ber.c1a.lastfn", "Ber.c1b.samples", "Ber.c1b.events", "Ber.c1b.lastfn", "Ber.c2.samples",
    "Ber.c2.events", "Ber.c2.lastfn",
    // BerNullGetter.<getter>: the getter hands out a null pointer.
    "BerNullGetter.GetBerMeasurement", "BerNullGetter.BerMeasurement.GetCounters",
    "BerNullGetter.BerCounterGroup.GetFer", "BerNullGetter.BerCounterGroup.GetClass1a",
    "BerNullGetter.BerCounterGroup.GetClass1b", "BerNullGetter.BerCounterGroup.GetClass2"};

}  // namespace geran::sim
