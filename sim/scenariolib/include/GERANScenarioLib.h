/* GERANScenarioLib.h - entry points of the scenario library that znGeranApiInterfaceDll calls. */
#ifndef GERAN_SCENARIO_LIB_H
#define GERAN_SCENARIO_LIB_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs a scenario script; mode is 4 from znGeranApiInterfaceDll; length counts the NUL.
 * Returns nonzero on success, 0 on failure. */
int WINAPI scenarioLibDll_RunTestScript(const char* script, int mode, int length);

/* Switches the call box mode on (nonzero) or off (0); returns -1 on success, 0 on failure. */
int WINAPI scenarioLibDll_CallboxMode_StartStop(int start);

#ifdef __cplusplus
}
#endif

#endif /* GERAN_SCENARIO_LIB_H */
