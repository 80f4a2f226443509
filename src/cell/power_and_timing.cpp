// Transmit power, the mobile's power, timing advance and burst shifting.
#include "cell/cell_command.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

using ShiftMethod = decltype(&TestSetApi::ShiftRight);

// The test set's answer is the result as it comes, even when it is 0 or -1.
int Shift(const OnFailure& onFailure, ShiftMethod method, int channel, int steps) {
  return RunConnectedCommand(onFailure, [&] {
    long answer = 0;
    Call(TestSet(), method, channel, steps, &answer);
    return static_cast<int>(answer);
  });
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_ChangeTxPower(float level, int channel) {
  return RunPlainCommand(GERAN_ON_FAILURE("ChangeTxPower"), &TestSetApi::ChangeTxPower, level, channel);
}

// Traces the requested power before anything else, so a script's log shows every attempt.
int WINAPI znGeranApiInterfaceDll_ChangeMSPower(int msPower, int channel) {
  Trace(kRemoteApiTracePlus, "Inside znGeranApiInterfaceDll_ChangeMSPower with MSPower: %d\n", msPower);
  if (!IsConnected()) {
    Trace(kRemoteApiTracePlus, "znGeranApiInterfaceDll_ChangeMSPower testSetAPI is null\n");
    return kFailure;
  }
  return RunCommand(
      GERAN_ON_FAILURE("znGeranApiInterfaceDll_ChangeMSPower")
          .TraceHr(kRemoteApiTracePlus, "znGeranApiInterfaceDll_ChangeMSPower Faied with hr = %ld\n"),
      [&] {
        Call(TestSet(), &TestSetApi::ChangeMSPower, msPower, channel);
        Trace(kRemoteApiTracePlus, "znGeranApiInterfaceDll_ChangeMSPower Successfull\n");
        return kSuccess;
      });
}

int WINAPI znGeranApiInterfaceDll_ChangeTimingAdvance(int timingAdvance, int channel) {
  return RunConnectedCommand(
      GERAN_ON_FAILURE("znGeranApiInterfaceDll_ChangeTimingAdvance")
          .TraceHr(kTest12Trace, "znGeranApiInterfaceDll_ChangeTimingAdvance Faied with hr = %ld\n"),
      [&] {
        Call(TestSet(), &TestSetApi::ChangeTimingAdvance, timingAdvance, channel);
        Trace(kTest12Trace, "znGeranApiInterfaceDll_ChangeTimingAdvance Successfull\n");
        return kSuccess;
      });
}

int WINAPI znGeranApiInterfaceDll_ShiftRight(int channel, int steps) {
  return Shift(GERAN_ON_FAILURE("B_RIGHT"), &TestSetApi::ShiftRight, channel, steps);
}

int WINAPI znGeranApiInterfaceDll_ShiftLeft(int channel, int steps) {
  return Shift(GERAN_ON_FAILURE("B_LEFT"), &TestSetApi::ShiftLeft, channel, steps);
}

}  // extern "C"
