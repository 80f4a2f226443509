// The control channel: configured from the caller's arguments and the stored levels, and switched off.
#include "cell/byte_list.h"
#include "cell/cell_command.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_DisableCch(int channel) {
  using namespace geran;
  return RunPlainCommand(GERAN_ON_FAILURE("DisableCch"), &TestSetApi::DisableCch, channel);
}

}  // extern "C"
