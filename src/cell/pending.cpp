// Exports of this subsystem that are not written yet: each answers 0 (failure) until it is.
#include "api/result.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_ConfigCch(int, int, int, int, int, int, int, int, int, int) {
  return geran::kFailure;
}

int WINAPI znGeranApiInterfaceDll_EnableTrafficMultiframe(int, int, int, int, int, int, int, int, int, int,
                                                          int, int) {
  return geran::kFailure;
}

}  // extern "C"
