// The test set's class: every TestSetApi method journaled, faultable, and answered from the settings.
#include "com_object.h"
#include "simulator_state.h"

namespace geran::sim {
namespace {

Text LogFileName() {
  if (std::optional<Text> configured = FindText(text::kLogFileName)) return *configured;
  return Simulator().Lock()->putLogFileName.value_or(Text());
}

HRESULT StoreLogFileName(BSTR name) {
  Simulator().Lock()->putLogFileName =
      name == nullptr ? Text() : Text(std::wstring(name, SysStringLen(name)));
  return S_OK;
}

HRESULT HandOutText(const Text& text, BSTR* result) {
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  if (!text) return S_OK;
  *result = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
  return *result == nullptr ? E_OUTOFMEMORY : S_OK;
}

class TestSetImpl final : public ComObject<TestSetApi> {
 public:
  HRESULT STDMETHODCALLTYPE ChangeTimingAdvance(LONG timingAdvance, LONG channel) override {
    return Serve(method::kChangeTimingAdvance, {timingAdvance, channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE ChangeMSPower(LONG msPower, LONG channel) override {
    return Serve(method::kChangeMSPower, {msPower, channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE ShowText(VARIANT text) override {
    return Serve(method::kShowText, {text}, Accept);
  }
  HRESULT STDMETHODCALLTYPE StartScript() override { return Serve(method::kStartScript, {}, Accept); }
  HRESULT STDMETHODCALLTYPE CipherMode(LONG mode, LONG algorithm, LONG direction, VARIANT key,
                                       VARIANT randValue, LONG keySequence, LONG channel) override {
    return Serve(method::kCipherMode, {mode, algorithm, direction, key, randValue, keySequence, channel},
                 Accept);
  }
  HRESULT STDMETHODCALLTYPE ReleaseL2Link(LONG sapi, LONG channel, LONG subChannel, LONG mode) override {
    return Serve(method::kReleaseL2Link, {sapi, channel, subChannel, mode}, Accept);
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return Serve(method::kReset, {}, Accept); }
  HRESULT STDMETHODCALLTYPE SendMsg(LONG channel, LONG sapi, LONG length, VARIANT message,
                                    LONG mode) override {
    return Serve(method::kSendMsg, {channel, sapi, length, message, mode}, Accept);
  }
  HRESULT STDMETHODCALLTYPE DisableTrafficMultiframe(LONG channel) override {
    return Serve(method::kDisableTrafficMultiframe, {channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE EnableTrafficMultiframe(float rxLevel, float txLevel, LONG mode, LONG arfcnCount,
                                                    VARIANT arfcns, LONG arg3, LONG arg4, LONG arg5,
                                                    LONG arg6, LONG arg7, LONG arg8, LONG arg9, LONG arg10,
                                                    LONG arg11, LONG arg12) override {
    return Serve(method::kEnableTrafficMultiframe,
                 {rxLevel, txLevel, mode, arfcnCount, arfcns, arg3, arg4, arg5, arg6, arg7, arg8, arg9, arg10,
                  arg11, arg12},
                 Accept);
  }
  HRESULT STDMETHODCALLTYPE VoiceLoop(LONG mode, LONG delay, LONG channel) override {
    return Serve(method::kVoiceLoop, {mode, delay, channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE DisableVoiceSend(LONG channel) override {
    return Serve(method::kDisableVoiceSend, {channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE EnableVoiceSend(LONG channel, LONG length, VARIANT speech, LONG mode) override {
    return Serve(method::kEnableVoiceSend, {channel, length, speech, mode}, Accept);
  }
  HRESULT STDMETHODCALLTYPE WaitMsg(LONG channel, LONG sapi, LONG timeout, VARIANT message) override {
    return Serve(method::kWaitMsg, {channel, sapi, timeout, message}, Accept);
  }
  HRESULT STDMETHODCALLTYPE put_KeywordTimeout(LONG timeout) override {
    return Serve(method::kPutKeywordTimeout, {timeout}, Accept);
  }
  HRESULT STDMETHODCALLTYPE SendPagingReq(LONG channel, LONG pagingGroup, LONG length, VARIANT identity,
                                          LONG mode) override {
    return Serve(method::kSendPagingReq, {channel, pagingGroup, length, identity, mode}, Accept);
  }
  HRESULT STDMETHODCALLTYPE SendSIMsg(LONG type, LONG length, VARIANT message) override {
    return Serve(method::kSendSIMsg, {type, length, message}, Accept);
  }
  HRESULT STDMETHODCALLTYPE WaitAccessBurst(LONG channel, VARIANT timeout, LONG mode) override {
    return Serve(method::kWaitAccessBurst, {channel, timeout, mode}, Accept);
  }
  HRESULT STDMETHODCALLTYPE GetchannelRequestMsg(short* channelRequest) override {
    return Serve(
        method::kGetchannelRequestMsg, {},
        [=] { return Put(channelRequest, Value(value::kChannelRequest) & 0xFFFF); }, channelRequest);
  }
  HRESULT STDMETHODCALLTYPE GetAccessBurst(LONG* accessBurst) override {
    return Serve(
        method::kGetAccessBurst, {}, [=] { return Put(accessBurst, Value(value::kAccessBurst)); },
        accessBurst);
  }
  HRESULT STDMETHODCALLTYPE ShiftRight(LONG channel, LONG steps, LONG* answer) override {
    return Serve(
        method::kShiftRight, {channel, steps}, [=] { return Put(answer, Value(value::kShiftAnswer)); },
        answer);
  }
  HRESULT STDMETHODCALLTYPE ShiftLeft(LONG channel, LONG steps, LONG* answer) override {
    return Serve(
        method::kShiftLeft, {channel, steps}, [=] { return Put(answer, Value(value::kShiftAnswer)); },
        answer);
  }
  HRESULT STDMETHODCALLTYPE WaitTime(LONG milliseconds) override {
    return Serve(method::kWaitTime, {milliseconds}, [=] { return Wait(milliseconds); });
  }
  HRESULT STDMETHODCALLTYPE SelectRadioSystem(LONG radioSystem) override {
    return Serve(method::kSelectRadioSystem, {radioSystem}, Accept);
  }
  HRESULT STDMETHODCALLTYPE ConfigCch(LONG cchMode, float rxLevel, float txLevel, LONG subChannel,
                                      LONG arfcnCount, VARIANT arfcns, LONG arg4, LONG arg5, LONG arg6,
                                      LONG arg7, LONG reserved, LONG channelId, LONG bsCcChans) override {
    return Serve(method::kConfigCch,
                 {cchMode, rxLevel, txLevel, subChannel, arfcnCount, arfcns, arg4, arg5, arg6, arg7, reserved,
                  channelId, bsCcChans},
                 Accept);
  }
  HRESULT STDMETHODCALLTYPE DisableCch(LONG channel) override {
    return Serve(method::kDisableCch, {channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE QueryFrameNumber(LONG* frameNumber) override {
    return Serve(
        method::kQueryFrameNumber, {}, [=] { return Put(frameNumber, Value(value::kFrameNumber)); },
        frameNumber);
  }
  HRESULT STDMETHODCALLTYPE get_LogFileName(BSTR* name) override {
    return Serve(
        method::kGetLogFileName, {}, [=] { return HandOutText(LogFileName(), name); }, name);
  }
  HRESULT STDMETHODCALLTYPE put_LogFileName(BSTR name) override {
    return Serve(method::kPutLogFileName, {name}, [=] { return StoreLogFileName(name); });
  }
  HRESULT STDMETHODCALLTYPE StartBer(LONG mode, LONG berSelector) override {
    return Serve(method::kStartBer, {mode, berSelector}, [] {
      StartBerRun();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE StopBer(LONG berSelector) override {
    return Serve(method::kStopBer, {berSelector}, [] {
      StopBerRun();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetBerMeasurement(BerMeasurement** measurement) override {
    return Serve(
        method::kGetBerMeasurement, {},
        [=] { return HandOutBerMeasurement(method::kGetBerMeasurement, measurement); }, measurement);
  }
  HRESULT STDMETHODCALLTYPE ChangeTxPower(float level, LONG channel) override {
    return Serve(method::kChangeTxPower, {level, channel}, Accept);
  }
  HRESULT STDMETHODCALLTYPE AttachAuxSpeech(AuxSpeech* speech, LONG channel) override {
    return Serve(method::kAttachAuxSpeech, {Numbered(speech), channel}, [this, speech] {
      attached_ = speech;
      return S_OK;
    });
  }

 protected:
  // The refusal a client sees when it asks a new test set for TestSetApi under the
  // "QueryInterface" fault.
  HRESULT Admit(REFIID iid) override {
    if (!IsEqualIID(iid, IID_TestSetApi)) return S_OK;
    return TakeFault(method::kQueryInterface, IID_TestSetApi).value_or(S_OK);
  }

 private:
  static HRESULT Wait(LONG milliseconds) {
    if (Value(value::kRealTimeWait) != 0 && milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
    AdvanceTime(milliseconds);
    return S_OK;
  }

  // The aux speech object the test set was given; the test set holds its own reference.
  AuxSpeechPtr attached_;
};

}  // namespace

HRESULT CreateTestSet(REFIID iid, void** object) { return CreateObject<TestSetImpl>(iid, object); }

}  // namespace geran::sim
