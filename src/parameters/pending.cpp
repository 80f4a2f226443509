// Exports of this subsystem that are not written yet: each answers 0 (failure) until it is.
#include "api/result.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_LoadMasterParameterFile(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_GetParameter(const char*, int, void*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_SetParameter(const char*, int, const void*, int) { return geran::kFailure; }

}  // extern "C"
