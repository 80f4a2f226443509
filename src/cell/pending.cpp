// Exports of this subsystem that are not written yet: each answers 0 (failure) until it is.
#include "api/result.h"

#include <znGeranApiInterfaceDll.h>

extern "C" {

int WINAPI znGeranApiInterfaceDll_ConfigCch(int, int, int, int, int, int, int, int, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_DisableCch(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_SendSIMsg(int, const int*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_SendPagingReq(int, int, const int*, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_WaitAccessBurst(int, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_GetAccessBurst(int*) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_GetchannelRequestMsg(int*) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_QueryFrameNumber(int*) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_EnableTrafficMultiframe(int, int, int, int, int, int, int, int, int, int, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_DisableTrafficMultiframe(int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_CipherMode(int, int, int, const double*, int, const double*, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_SendMsg(int, int, const int*, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_WaitMsg(int, int, int, const int*, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ReleaseL2Link(int, int, int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ChangeTxPower(float, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ChangeMSPower(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ChangeTimingAdvance(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ShiftRight(int, int) { return geran::kFailure; }

int WINAPI znGeranApiInterfaceDll_ShiftLeft(int, int) { return geran::kFailure; }

}  // extern "C"
