// znGeranApiInterfaceDll_Reset: the command pattern in its plainest form.
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

extern "C" int WINAPI znGeranApiInterfaceDll_Reset() {
  using namespace geran;
  return RunConnectedCommand(GERAN_ON_FAILURE("Reset"), [] {
    Call(TestSet(), &TestSetApi::Reset);
    return kSuccess;
  });
}
