/* Exports called through the public header, compiled for Visual C++'s ABI: a plain export, one
 * with a float, the decorated-only one and the forwarder. */
#include <znGeranApiInterfaceDll.h>

int _fltused; /* what a float argument makes the compiler ask of a C runtime that is not linked */

__declspec(dllexport) int CallSome(void) {
  char name[16];
  return znGeranApiInterfaceDll_Reset() + znGeranApiInterfaceDll_ChangeTxPower(-85.5f, 1) +
         znGeranApiInterfaceDll_GetLogFileName(name, (int)sizeof name) +
         znGeranApiInterfaceDll_RemoteConnection_Set(1) + znGeranApiInterfaceDll_CallboxMode_StartStop(1);
}
