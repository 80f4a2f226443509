// System information, paging, access bursts, the channel request and the frame number.
#include "caller/caller_memory.h"
#include "cell/byte_list.h"
#include "cell/cell_command.h"
#include "cell/packed_bytes.h"

#include <znGeranApiInterfaceDll.h>

#include <functional>
#include <iostream>

namespace geran {
namespace {

// GetAccessBurst and GetchannelRequestMsg answer 0 even when they read a value: callers tell
// success only by the value written.
constexpr int kReadBackResult = 0;

// The HRESULT and its message text on standard output; the server's description is not used here.
std::function<void(const _com_error&)> AccessFailureLines(const char* prefix, const char* messageLabel) {
  return [prefix, messageLabel](const _com_error& failure) {
    std::cout << prefix << static_cast<long>(failure.Error()) << '\n'
              << messageLabel << NarrowMessageText(failure) << '\n';
  };
}

constexpr const char* kErrorMessageLabel = " ErrorMessage :";

// The wait argument travels as a VT_INT, which _variant_t has no constructor for.
_variant_t IntVariant(int value) {
  _variant_t variant;
  V_VT(&variant) = VT_INT;
  V_INT(&variant) = value;
  return variant;
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// The connection is not tested first: without one, the call fails with E_POINTER and is reported.
// The count is not tested either (0 or less sends an empty list), but an array that cannot be read
// for a positive count is refused before anything else.
int WINAPI znGeranApiInterfaceDll_SendSIMsg(int type, const int* bytes, int count) {
  if (!CanReadArray(bytes, count)) return kFailure;
  return RunCommand(GERAN_ON_FAILURE("SendSIMsg"), [&] {
    const ByteList list = ByteList::FromIntegers(bytes, count);
    const PackedBytes packed(list);
    Call(TestSet(), &TestSetApi::SendSIMsg, type, list.size(), packed.ForCall());
    return kSuccess;
  });
}

// Like SendSIMsg without a connection check, but an empty request is refused before anything.
int WINAPI znGeranApiInterfaceDll_SendPagingReq(int channel, int pagingGroup, const int* bytes, int count,
                                                int mode) {
  if (count <= 0 || !CanReadArray(bytes, count)) return kFailure;
  return RunCommand(GERAN_ON_FAILURE("SendPagingReq"), [&] {
    const ByteList list = ByteList::FromIntegers(bytes, count);
    const PackedBytes packed(list);
    Call(TestSet(), &TestSetApi::SendPagingReq, channel, pagingGroup, list.size(), packed.ForCall(), mode);
    return kSuccess;
  });
}

// Reports a failed wait by its HRESULT lines and the trace only, never with a failure report.
int WINAPI znGeranApiInterfaceDll_WaitAccessBurst(int channel, int timeout, int mode) {
  if (!IsConnected()) {
    Trace(kRemoteApiTrace, "TestSetAPI = NULL\n");
    return kFailure;
  }
  return RunCommand(GERAN_SILENT_ON_FAILURE.First(AccessFailureLines(" hr: ", ""))
                        .TraceHr(kRemoteApiTrace, "WaitAccessBurst returned %ld\n"),
                    [&] {
                      Call(TestSet(), &TestSetApi::WaitAccessBurst, channel, IntVariant(timeout), mode);
                      Trace(kRemoteApiTrace, "Inside WaitAccessBurst\n");
                      return kSuccess;
                    });
}

// The entry trace line records every call, one without a place for the value included.
int WINAPI znGeranApiInterfaceDll_GetAccessBurst(int* accessBurst) {
  Trace(kRemoteApiTrace, "inside znGeranApiInterfaceDll_GetAccessBurst()\n");
  if (accessBurst == nullptr) return kFailure;
  return RunConnectedCommand(
      GERAN_ON_FAILURE("Getaccess_burst_fn")
          .First(AccessFailureLines(" znGeranApiInterfaceDll_GetAccessBurst hr: ", kErrorMessageLabel)),
      [&] {
        long value = 0;
        Call(TestSet(), &TestSetApi::GetAccessBurst, &value);
        *accessBurst = static_cast<int>(value);
        std::cout << " znGeranApiInterfaceDll_GetAccessBurst : " << value << '\n';
        Trace(kRemoteApiTrace, "accessBurstValue = %ld\n", value);
        return kReadBackResult;
      });
}

// No connection check: without one, the E_POINTER failure is reported like any other.
int WINAPI znGeranApiInterfaceDll_GetchannelRequestMsg(int* channelRequest) {
  if (channelRequest == nullptr) return kFailure;
  return RunCommand(
      GERAN_ON_FAILURE("Getchannel_req_msg")
          .First(AccessFailureLines(" znGeranApiInterfaceDll_GetchannelRequestMsg hr: ", kErrorMessageLabel)),
      [&] {
        short value = 0;
        Call(TestSet(), &TestSetApi::GetchannelRequestMsg, &value);
        *channelRequest = value;  // widened with its sign
        Trace(kRemoteApiTrace, "channelRequestNumber = %ld\n", static_cast<long>(value));
        return kReadBackResult;
      });
}

// Its failure label names the channel request: existing scripts match on it.
int WINAPI znGeranApiInterfaceDll_QueryFrameNumber(int* frameNumber) {
  if (frameNumber == nullptr) return kFailure;
  return RunConnectedCommand(GERAN_ON_FAILURE("Getchannel_req_msg"), [&] {
    long value = 0;
    Call(TestSet(), &TestSetApi::QueryFrameNumber, &value);
    *frameNumber = static_cast<int>(value);
    return kSuccess;
  });
}

}  // extern "C"
