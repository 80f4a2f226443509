/* GERANScenarioLib.h - entry points of the scenario library that znGeranApiInterfaceDll calls.
 * The script language is described in docs/scenario-library.md. */
#ifndef GERAN_SCENARIO_LIB_H
#define GERAN_SCENARIO_LIB_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs a scenario script: commands separated by ';' or line ends. Only the first length bytes of
 * script are read (znGeranApiInterfaceDll passes the length with the NUL counted). mode is a set of
 * flags: 1 checks the script without running it, 2 echoes each command to standard output before
 * it runs, 4 stops at the first failing command; znGeranApiInterfaceDll passes 4.
 * Returns 1 on success, 0 on failure with the reason on standard error. */
int WINAPI scenarioLibDll_RunTestScript(const char* script, int mode, int length);

/* Switches the call box mode on (start 1) or off (start 0); returns -1 on success, 0 with the
 * reason on standard error for any other start value. */
int WINAPI scenarioLibDll_CallboxMode_StartStop(int start);

#ifdef __cplusplus
}
#endif

#endif /* GERAN_SCENARIO_LIB_H */
