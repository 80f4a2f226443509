/* GERANScenarioLibControl.h - control API of GERANScenarioLib.dll, for tests and tools. */
#ifndef GERAN_SCENARIO_LIB_CONTROL_H
#define GERAN_SCENARIO_LIB_CONTROL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Empties the call journal, clears forced results and switches the call box mode off. */
void WINAPI ScenarioLib_Reset(void);

/* Number of entry-point calls recorded in the journal. */
int WINAPI ScenarioLib_CallCount(void);

/* Copies journal entry index (0-based), NUL-terminated, into buffer (size bytes, cut to fit);
 * returns the entry's full length, or -1 when there is no such entry. Entries look like
 * RunTestScript("abc", 4, 4) (the script as read within its length; null for a null pointer)
 * and CallboxMode_StartStop(1). */
int WINAPI ScenarioLib_Call(int index, char* buffer, int size);

/* From now until ScenarioLib_Reset, calls of entry ("RunTestScript" or "CallboxMode_StartStop")
 * are recorded and answer value without doing their work. Returns 1, or 0 for an unknown entry. */
int WINAPI ScenarioLib_SetResult(const char* entry, int value);

/* 1 while the call box mode is on, else 0. */
int WINAPI ScenarioLib_CallboxMode(void);

#ifdef __cplusplus
}
#endif

#endif /* GERAN_SCENARIO_LIB_CONTROL_H */
