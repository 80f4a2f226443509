// The test set's stand-in: every TestSetApi method forwarded and journaled under its own name.
#include "recording/recording.h"
#include "recording/recording_ber.h"

namespace geran::recording {
namespace {

class RecordingTestSet final : public RecordingObject<TestSetApi> {
 public:
  using RecordingObject::RecordingObject;

  HRESULT STDMETHODCALLTYPE ChangeTimingAdvance(LONG timingAdvance, LONG channel) override {
    return Forward("ChangeTimingAdvance", &TestSetApi::ChangeTimingAdvance, timingAdvance, channel);
  }
  HRESULT STDMETHODCALLTYPE ChangeMSPower(LONG msPower, LONG channel) override {
    return Forward("ChangeMSPower", &TestSetApi::ChangeMSPower, msPower, channel);
  }
  HRESULT STDMETHODCALLTYPE ShowText(VARIANT text) override {
    return Forward("ShowText", &TestSetApi::ShowText, text);
  }
  HRESULT STDMETHODCALLTYPE StartScript() override {
    return Forward("StartScript", &TestSetApi::StartScript);
  }
  HRESULT STDMETHODCALLTYPE CipherMode(LONG mode, LONG algorithm, LONG direction, VARIANT key,
                                       VARIANT randValue, LONG keySequence, LONG channel) override {
    return Forward("CipherMode", &TestSetApi::CipherMode, mode, algorithm, direction, key, randValue,
                   keySequence, channel);
  }
  HRESULT STDMETHODCALLTYPE ReleaseL2Link(LONG sapi, LONG channel, LONG subChannel, LONG mode) override {
    return Forward("ReleaseL2Link", &TestSetApi::ReleaseL2Link, sapi, channel, subChannel, mode);
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return Forward("Reset", &TestSetApi::Reset); }
  HRESULT STDMETHODCALLTYPE SendMsg(LONG channel, LONG sapi, LONG length, VARIANT message,
                                    LONG mode) override {
    return Forward("SendMsg", &TestSetApi::SendMsg, channel, sapi, length, message, mode);
  }
  HRESULT STDMETHODCALLTYPE DisableTrafficMultiframe(LONG channel) override {
    return Forward("DisableTrafficMultiframe", &TestSetApi::DisableTrafficMultiframe, channel);
  }
  HRESULT STDMETHODCALLTYPE EnableTrafficMultiframe(float rxLevel, float txLevel, LONG mode, LONG arfcnCount,
                                                    VARIANT arfcns, LONG arg3, LONG arg4, LONG arg5,
                                                    LONG arg6, LONG arg7, LONG arg8, LONG arg9, LONG arg10,
                                                    LONG arg11, LONG arg12) override {
    return Forward("EnableTrafficMultiframe", &TestSetApi::EnableTrafficMultiframe, rxLevel, txLevel, mode,
                   arfcnCount, arfcns, arg3, arg4, arg5, arg6, arg7, arg8, arg9, arg10, arg11, arg12);
  }
  HRESULT STDMETHODCALLTYPE VoiceLoop(LONG mode, LONG delay, LONG channel) override {
    return Forward("VoiceLoop", &TestSetApi::VoiceLoop, mode, delay, channel);
  }
  HRESULT STDMETHODCALLTYPE DisableVoiceSend(LONG channel) override {
    return Forward("DisableVoiceSend", &TestSetApi::DisableVoiceSend, channel);
  }
  HRESULT STDMETHODCALLTYPE EnableVoiceSend(LONG channel, LONG length, VARIANT speech, LONG mode) override {
    return Forward("EnableVoiceSend", &TestSetApi::EnableVoiceSend, channel, length, speech, mode);
  }
  HRESULT STDMETHODCALLTYPE WaitMsg(LONG channel, LONG sapi, LONG timeout, VARIANT message) override {
    return Forward("WaitMsg", &TestSetApi::WaitMsg, channel, sapi, timeout, message);
  }
  HRESULT STDMETHODCALLTYPE put_KeywordTimeout(LONG timeout) override {
    return Forward("put_KeywordTimeout", &TestSetApi::put_KeywordTimeout, timeout);
  }
  HRESULT STDMETHODCALLTYPE SendPagingReq(LONG channel, LONG pagingGroup, LONG length, VARIANT identity,
                                          LONG mode) override {
    return Forward("SendPagingReq", &TestSetApi::SendPagingReq, channel, pagingGroup, length, identity, mode);
  }
  HRESULT STDMETHODCALLTYPE SendSIMsg(LONG type, LONG length, VARIANT message) override {
    return Forward("SendSIMsg", &TestSetApi::SendSIMsg, type, length, message);
  }
  HRESULT STDMETHODCALLTYPE WaitAccessBurst(LONG channel, VARIANT timeout, LONG mode) override {
    return Forward("WaitAccessBurst", &TestSetApi::WaitAccessBurst, channel, timeout, mode);
  }
  HRESULT STDMETHODCALLTYPE GetchannelRequestMsg(short* channelRequest) override {
    return Forward("GetchannelRequestMsg", &TestSetApi::GetchannelRequestMsg, channelRequest);
  }
  HRESULT STDMETHODCALLTYPE GetAccessBurst(LONG* accessBurst) override {
    return Forward("GetAccessBurst", &TestSetApi::GetAccessBurst, accessBurst);
  }
  HRESULT STDMETHODCALLTYPE ShiftRight(LONG channel, LONG steps, LONG* answer) override {
    return Forward("ShiftRight", &TestSetApi::ShiftRight, channel, steps, answer);
  }
  HRESULT STDMETHODCALLTYPE ShiftLeft(LONG channel, LONG steps, LONG* answer) override {
    return Forward("ShiftLeft", &TestSetApi::ShiftLeft, channel, steps, answer);
  }
  HRESULT STDMETHODCALLTYPE WaitTime(LONG milliseconds) override {
    return Forward("WaitTime", &TestSetApi::WaitTime, milliseconds);
  }
  HRESULT STDMETHODCALLTYPE SelectRadioSystem(LONG radioSystem) override {
    return Forward("SelectRadioSystem", &TestSetApi::SelectRadioSystem, radioSystem);
  }
  HRESULT STDMETHODCALLTYPE ConfigCch(LONG cchMode, float rxLevel, float txLevel, LONG subChannel,
                                      LONG arfcnCount, VARIANT arfcns, LONG arg4, LONG arg5, LONG arg6,
                                      LONG arg7, LONG reserved, LONG channelId, LONG bsCcChans) override {
    return Forward("ConfigCch", &TestSetApi::ConfigCch, cchMode, rxLevel, txLevel, subChannel, arfcnCount,
                   arfcns, arg4, arg5, arg6, arg7, reserved, channelId, bsCcChans);
  }
  HRESULT STDMETHODCALLTYPE DisableCch(LONG channel) override {
    return Forward("DisableCch", &TestSetApi::DisableCch, channel);
  }
  HRESULT STDMETHODCALLTYPE QueryFrameNumber(LONG* frameNumber) override {
    return Forward("QueryFrameNumber", &TestSetApi::QueryFrameNumber, frameNumber);
  }
  HRESULT STDMETHODCALLTYPE get_LogFileName(BSTR* name) override {
    return Forward("get_LogFileName", &TestSetApi::get_LogFileName, name);
  }
  HRESULT STDMETHODCALLTYPE put_LogFileName(BSTR name) override {
    return Forward("put_LogFileName", &TestSetApi::put_LogFileName, name);
  }
  HRESULT STDMETHODCALLTYPE StartBer(LONG mode, LONG berSelector) override {
    return Forward("StartBer", &TestSetApi::StartBer, mode, berSelector);
  }
  HRESULT STDMETHODCALLTYPE StopBer(LONG berSelector) override {
    return Forward("StopBer", &TestSetApi::StopBer, berSelector);
  }
  HRESULT STDMETHODCALLTYPE GetBerMeasurement(BerMeasurement** measurement) override {
    return ForwardGetter<RecordingBerMeasurement>("GetBerMeasurement", &TestSetApi::GetBerMeasurement,
                                                  measurement);
  }
  HRESULT STDMETHODCALLTYPE ChangeTxPower(float level, LONG channel) override {
    return Forward("ChangeTxPower", &TestSetApi::ChangeTxPower, level, channel);
  }
  // The test set gets the aux speech object itself, never its stand-in, and may keep it.
  HRESULT STDMETHODCALLTYPE AttachAuxSpeech(AuxSpeech* speech, LONG channel) override {
    const auto [object, number] = journal()->Unwrapped(speech);
    return ForwardAs("AttachAuxSpeech", {journal::NumberedAuxSpeech{speech, number}, channel},
                     &TestSetApi::AttachAuxSpeech, object, channel);
  }
};

}  // namespace

TestSetApiPtr Recorded(TestSetApiPtr& testSet, const std::shared_ptr<CallJournal>& journal) {
  return TestSetApiPtr(new RecordingTestSet(testSet, journal), false);
}

}  // namespace geran::recording
