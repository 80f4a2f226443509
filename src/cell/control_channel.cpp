// The control channel: configured from the caller's arguments and the stored levels, and switched off.
#include "cell/cell_command.h"
#include "cell/packed_bytes.h"
#include "parameters/parameter_store.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

// ConfigCch's eleventh method argument: the test set is always given 0 there.
constexpr long kConfigCchEleventh = 0;

// The levels as they are about to be sent and the caller's named arguments (BSIC goes no further
// than this trace; Arfcns shows its full value, not the byte sent). Each line is a trace event of its
// own, so each is on disk before the next is written.
void TraceConfiguration(const ParameterStore& store, int cchMode, int subChannel, int arfcns, int bsic,
                        int channelId, int bsCcChans) {
  Trace(kTest12Trace, "parameterPtr->getRxLevel() = %f\n", static_cast<double>(store.RxLevel()));
  Trace(kTest12Trace, "parameterPtr->getTxLevel() = %f\n", static_cast<double>(store.TxLevel()));
  Trace(kTest12Trace, "CchMode =  %ld\n", static_cast<long>(cchMode));
  Trace(kTest12Trace, "SubChannel =  %ld\n", static_cast<long>(subChannel));
  Trace(kTest12Trace, "Arfcns =  %ld\n", static_cast<long>(arfcns));
  Trace(kTest12Trace, "BSIC =  %ld\n", static_cast<long>(bsic));
  Trace(kTest12Trace, "ChannelId =  %ld\n", static_cast<long>(channelId));
  Trace(kTest12Trace, "BsCcChans =  %ld\n", static_cast<long>(bsCcChans));
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// Before the first master load there are no levels to configure with: the result is 0 and the test
// set is not called. The trace then keeps only the texts written before the levels are needed.
int WINAPI znGeranApiInterfaceDll_ConfigCch(int cchMode, int subChannel, int arfcns, int arg4, int arg5,
                                            int arg6, int arg7, int bsic, int channelId, int bsCcChans) {
  Trace(kTest12Trace, "Inside znGeranApiInterfaceDll_ConfigCch");
  return RunConnectedCommand(
      GERAN_ON_FAILURE("ShowText").TraceHr(kTest12Trace, "configcch Faied with hr = %ld\n"), [&] {
        Trace(kTest12Trace, "Inside znGeranApiInterfaceDll_ConfigCch testSetAPI");
        const ParameterStore* store = Parameters();
        if (store == nullptr) return kFailure;
        const ByteList arfcnList = ByteList::FromValue(arfcns);
        TraceConfiguration(*store, cchMode, subChannel, arfcns, bsic, channelId, bsCcChans);
        const PackedBytes packed(arfcnList);
        Call(TestSet(), &TestSetApi::ConfigCch, cchMode, store->RxLevel(), store->TxLevel(), subChannel,
             arfcnList.size(), packed.ForCall(), arg4, arg5, arg6, arg7, kConfigCchEleventh, channelId,
             bsCcChans);
        Trace(kTest12Trace, "configcch Done\n");
        return kSuccess;
      });
}

int WINAPI znGeranApiInterfaceDll_DisableCch(int channel) {
  return RunPlainCommand(GERAN_ON_FAILURE("DisableCch"), &TestSetApi::DisableCch, channel);
}

}  // extern "C"
