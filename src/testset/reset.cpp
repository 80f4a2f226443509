// znGeranApiInterfaceDll_Reset: the command pattern in its plainest form.
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_Reset() {
  return RunConnectedCommand(GERAN_ON_FAILURE("Reset"), [] {
    Call(TestSet(), &TestSetApi::Reset);
    return kSuccess;
  });
}

}  // extern "C"
