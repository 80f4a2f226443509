// Exports kept for old callers: they do nothing and report success.
#include "caller/result.h"

#include <znGeranApiInterfaceDll.h>

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_Initialise(int, int, int, int) { return kSuccess; }

int WINAPI znGeranApiInterfaceDll_Shutdown() { return kSuccess; }

int WINAPI znGeranApiInterfaceDll_GetErrorMsgLength(int, int) { return kSuccess; }

int WINAPI znGeranApiInterfaceDll_GetErrorMsg(int, int, int) { return kSuccess; }

// Also exported as GetServerVersion and, decorated only, as RemoteConnection_Set (see the .def).
int WINAPI znGeranApiInterfaceDll_SetSystemMode(int) { return kSuccess; }

}  // extern "C"
