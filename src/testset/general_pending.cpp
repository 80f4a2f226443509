// Exports of this subsystem that are not written yet: each answers 0 (failure) until it is.
#include "api/result.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_StartScript() { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_GetLogFileName(char*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_PutLogFileName(const char*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_PutKeywordTimeout(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_WaitOnMMIReady(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_WaitTime(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ShowText(const char*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_SelectRadioSystem(int) { return geran::kFailure; }

}  // extern "C"
