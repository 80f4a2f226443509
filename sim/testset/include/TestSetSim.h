/* TestSetSim.h - control API of TestSetSimulator.dll, for tests, the script host and benchmarks.
 * When the simulator's classes are registered as a local server (regsvr32 /i:local), each call is
 * forwarded to the server process, which it starts if need be. */
#ifndef GERAN_TEST_SET_SIM_H
#define GERAN_TEST_SET_SIM_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Empties the journal, clears injected faults and configured values. */
void WINAPI TestSetSim_Reset(void);

/* Number of calls recorded in the journal. */
int WINAPI TestSetSim_JournalCount(void);

/* Copies journal entry index (0-based), NUL-terminated, into buffer (size bytes, cut to fit);
 * returns the entry's full length, or -1 when there is no such entry. */
int WINAPI TestSetSim_JournalEntry(int index, char* buffer, int size);

/* The next times calls of method (journal name; times <= 0: every call until cleared) fail with
 * hresult after SetErrorInfo with description (NULL: no error information); hresult 0 clears.
 * "CreateInstance" fails the class factory, "QueryInterface" the request for TestSetApi. */
void WINAPI TestSetSim_FailMethod(const char* method, long hresult, const wchar_t* description, int times);

/* Like TestSetSim_FailMethod, but the calls of method before call number call (1-based, counted from
 * now) pass: (method, 5, hr, description, 1) fails the fifth call only. */
void WINAPI TestSetSim_FailCall(const char* method, int call, long hresult, const wchar_t* description,
                                int times);

/* Call number call (1-based, counted from now) of method, after its journal entry if it has one,
 * writes through a null pointer: an access violation that no C++ handler of the caller catches. For
 * testing hosts. Replaces method's fault; TestSetSim_Reset or a fault armed for method clears it. */
void WINAPI TestSetSim_CrashCall(const char* method, int call);

/* What the getters hand back and how the simulator behaves: "AccessBurst", "ChannelRequest"
 * (low 16 bits), "FrameNumber", "ShiftAnswer", and further settings named in the docs. */
void WINAPI TestSetSim_SetValue(const char* name, long value);

/* Text values: "LogFileName" (NULL: a null BSTR). */
void WINAPI TestSetSim_SetText(const char* name, const wchar_t* text);

/* The simulator's COM objects alive now; -1 when the local server cannot be reached. */
long WINAPI TestSetSim_LiveObjects(void);

/* How clients use the simulator's live objects: the references they hold now, and since the last
 * TestSetSim_Reset their QueryInterface calls and ISupportErrorInfo questions (calls the journal does
 * not show). -1 each when the local server cannot be reached; a null pointer is skipped. */
void WINAPI TestSetSim_ObjectUse(long* references, long* queries, long* errorQuestions);

/* The id of the process that serves the simulator's objects: this one, or that of the local server
 * (TestSetSimulator.exe) when the classes are registered as a local server. */
long WINAPI TestSetSim_ServerProcessId(void);

/* Resets the simulator (TestSetSim_Reset) and replays the call journal recorded at path
 * (GERAN_CALL_JOURNAL, geranhost --journal): from now on each call is matched with the next recorded one and,
 * when method and arguments match, answered with its recorded result, error information and out value; the
 * first call that departs, and every call after it, fails with a description naming the expected and the
 * received call. Faults, values and the BER model have no say in a replay; TestSetSim_Reset ends it. Returns
 * S_OK, or the failure, with nothing reset, and its reason (for a malformed journal, its line) copied into
 * error like TestSetSim_JournalEntry copies an entry (error may be NULL). */
long WINAPI TestSetSim_LoadReplay(const char* path, char* error, int size);

/* How the replay went so far, copied into buffer like TestSetSim_JournalEntry: the first departure,
 * or the calls left unmade; returns its length, 0 when every recorded call was made as recorded,
 * -1 when no replay is loaded. */
int WINAPI TestSetSim_ReplayOutcome(char* buffer, int size);

#ifdef __cplusplus
}
#endif

#endif /* GERAN_TEST_SET_SIM_H */
