// The traffic multiframe, ciphering, layer-3 messages and the layer-2 link.
#include "caller/caller_memory.h"
#include "cell/byte_list.h"
#include "cell/cell_command.h"
#include "cell/packed_bytes.h"
#include "parameters/parameter_store.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

// CipherMode's sixth method argument: the test set is always given 1 there.
constexpr long kCipherModeSixth = 1;

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// Before the first master load there are no levels to send: the result is 0, nothing is written and
// the test set is not called. The connection is not tested first: without one, the E_POINTER
// failure is reported.
int WINAPI znGeranApiInterfaceDll_EnableTrafficMultiframe(int mode, int arfcn, int arg3, int arg4, int arg5,
                                                          int arg6, int arg7, int arg8, int arg9, int arg10,
                                                          int arg11, int arg12) {
  return RunCommand(GERAN_ON_FAILURE("EnableTrafficMultiframe"), [&] {
    const ParameterStore* store = Parameters();
    if (store == nullptr) return kFailure;
    const ByteList arfcnList = ByteList::FromValue(arfcn);
    const PackedBytes packed(arfcnList);
    Call(TestSet(), &TestSetApi::EnableTrafficMultiframe, store->RxLevel(), store->TxLevel(), mode,
         arfcnList.size(), packed.ForCall(), arg3, arg4, arg5, arg6, arg7, arg8, arg9, arg10, arg11, arg12);
    return kSuccess;
  });
}

// Its failure label names the access burst: existing scripts match on it.
int WINAPI znGeranApiInterfaceDll_DisableTrafficMultiframe(int channel) {
  return RunPlainCommand(GERAN_ON_FAILURE("Getaccess_burst_fn"), &TestSetApi::DisableTrafficMultiframe,
                         channel);
}

// Only a count of exactly 0 stops it; a negative count sends an empty list, whatever its array. A
// positive count whose array cannot be read stops it too. The connection is not tested first: without
// one, the E_POINTER failure is reported.
int WINAPI znGeranApiInterfaceDll_CipherMode(int mode, int algorithm, int direction, const double* key,
                                             int keyCount, const double* randValue, int randCount,
                                             int channel) {
  if (keyCount == 0 || randCount == 0) return kFailure;
  if (!CanReadArray(key, keyCount) || !CanReadArray(randValue, randCount)) return kFailure;
  return RunCommand(GERAN_ON_FAILURE("CipherMode"), [&] {
    const PackedBytes packedKey(ByteList::FromDoubles(key, keyCount));
    const PackedBytes packedRand(ByteList::FromDoubles(randValue, randCount));
    Call(TestSet(), &TestSetApi::CipherMode, mode, algorithm, direction, packedKey.ForCall(),
         packedRand.ForCall(), kCipherModeSixth, channel);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_SendMsg(int channel, int sapi, const int* bytes, int count, int mode) {
  if (count <= 0 || !CanReadArray(bytes, count)) return kFailure;
  return RunConnectedCommand(GERAN_ON_FAILURE("SendMsg"), [&] {
    const ByteList list = ByteList::FromIntegers(bytes, count);
    const PackedBytes packed(list);
    Call(TestSet(), &TestSetApi::SendMsg, channel, sapi, list.size(), packed.ForCall(), mode);
    return kSuccess;
  });
}

// Without a connection there is nothing to wait for, and scripts take that as a wait that passed; an
// array that cannot be read is refused first all the same.
int WINAPI znGeranApiInterfaceDll_WaitMsg(int channel, int sapi, int timeout, const int* bytes, int count) {
  if (count <= 0 || !CanReadArray(bytes, count)) return kFailure;
  if (!IsConnected()) return kSuccess;
  return RunCommand(GERAN_ON_FAILURE("WaitMsg"), [&] {
    const PackedBytes packed(ByteList::FromIntegers(bytes, count));
    Call(TestSet(), &TestSetApi::WaitMsg, channel, sapi, timeout, packed.ForCall());
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_ReleaseL2Link(int sapi, int channel, int subChannel, int mode) {
  return RunPlainCommand(GERAN_ON_FAILURE("ReleaseL2Link"), &TestSetApi::ReleaseL2Link, sapi, channel,
                         subChannel, mode);
}

}  // extern "C"
