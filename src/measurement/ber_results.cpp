// Stopping the test set's BER test on its own, and tracing what the last finished BER run kept.
#include "measurement/measurement.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

namespace geran {
namespace {

// Existing callers read nothing from GetUpdatedBerResults' result, and it has always been 0.
constexpr int kBerResultsAnswer = 0;

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_StopBERTest(int berSelector) {
  return RunConnectedCommand(
      GERAN_ON_FAILURE("znGeranApiInterfaceDll_StopBERTest")
          .TraceHr(kTest12Trace, "znGeranApiInterfaceDll_StopBERTest Faied with hr = %ld\n"),
      [=] {
        Call(TestSet(), &TestSetApi::StopBer, berSelector);
        Trace(kTest12Trace, "znGeranApiInterfaceDll_StopBERTest Successfull\n");
        return kSuccess;
      });
}

// The eleven words stay untouched: callers pass anything there, buffers or not. Nothing here calls
// the test set or can fail, so the connection is not looked at.
int WINAPI znGeranApiInterfaceDll_GetUpdatedBerResults(int, int, int, int, int, int, int, int, int, int,
                                                       int) {
  Trace(kTest12Trace, "znGeranApiInterfaceDll_GetUpdatedBerResults Successfull\n");
  Trace(kTest12Trace, "znGeranApiInterfaceDll_GetUpdatedBerResults frameErasureCount: %ld\n",
        LastBerRun().frameErasureCount);
  return kBerResultsAnswer;
}

}  // extern "C"
