/* znGeranApiInterfaceDll.h - the public C interface of znGeranApiInterfaceDll.dll. */
#ifndef ZN_GERAN_API_INTERFACE_DLL_H
#define ZN_GERAN_API_INTERFACE_DLL_H

#ifdef _WIN32
#include <windows.h>
#else
/* Elsewhere the prototypes are only read, by tools that check calls against them (the script
 * host's parser in its native fuzz build): no calling convention applies. */
#define WINAPI
#endif

/* Results: -1 (all bits set) is success and 0 is failure, unless a comment says otherwise.
 * Every export is __stdcall (WINAPI) and takes only 32-bit words. Strings are narrow,
 * NUL-terminated, in the system's ANSI code page. Failures of the test set are reported as
 * "COM EXCEPTION: ..." on standard output.
 * Bad arguments give the failure result at once, with nothing on standard output and nothing sent
 * to the test set; each comment says which. An array with a positive count is refused ("a null or short
 * array" below) when it is null or when the count runs into memory the process cannot read (INT_MAX with a
 * small buffer, say): no element is read then. A count larger than its array that stays inside
 * readable memory cannot be told from a good one: it remains the caller's error. An array with a
 * count of 0 or less is never read, null or not; the count rule decides.
 * A text (a log-file name, a text to show, a parameter name or value text, a scenario) is read up to
 * its NUL and sent whole, whatever a length argument says; a text that runs into memory the process
 * cannot read before its NUL is refused: 0, with nothing on standard output and nothing sent.
 * No exception leaves an export: anything but a test-set failure (memory running out, above all,
 * in a BSTR, VARIANT or SAFEARRAY too) gives 0 and one line on standard output,
 * "znGeranApiInterfaceDll_<name> failed: out of memory" or another text after "failed: ", and the
 * library stays as it was before the call, or the call completes. That holds for every export but
 * CallboxMode_StartStop, which the loader forwards to GERANScenarioLib.dll: no code of this library
 * runs in it. */
#define ZNGERAN_SUCCESS (-1)
#define ZNGERAN_FAILURE 0

/* Size of the buffer that always holds the text of a level read with GetParameter. */
#define ZNGERAN_LEVEL_TEXT_SIZE 64

#ifdef __cplusplus
extern "C" {
#endif

/* --- Connection ------------------------------------------------------------------------------ */

/* Initialises COM on this thread, connects to the test set and waits 10 s; -1 when connected. */
int WINAPI znGeranApiInterfaceDll_InitialiseSystem(void);
/* Resets the test set; -1 when it accepted the reset. */
int WINAPI znGeranApiInterfaceDll_Reset(void);

/* --- General test-set commands --------------------------------------------------------------- */

/* Starts the test set's script; prints " Start Script Done". */
int WINAPI znGeranApiInterfaceDll_StartScript(void);
/* Copies the test set's log-file name, in the ANSI code page and with its NUL, into buffer, which
 * holds length bytes; -1 when copied. 0, with buffer left untouched, when length is 0 or less, when
 * buffer is null, without a connection, when the test set has no name, or when the name with its
 * NUL needs more than length bytes (it is refused, never cut). */
int WINAPI znGeranApiInterfaceDll_GetLogFileName(char* buffer, int length);
/* Sets the test set's log-file name (length is only tested to be positive); 0 without output for a
 * length of 0 or less or a null name. Without a connection it reports the missing connection
 * (E_POINTER) and returns 0. */
int WINAPI znGeranApiInterfaceDll_PutLogFileName(const char* name, int length);
/* Sets the test set's keyword time-out; 0 for a time-out of 0. */
int WINAPI znGeranApiInterfaceDll_PutKeywordTimeout(int timeout);
/* Readiness check: -1 with a connection and a nonzero value; calls nothing on the test set. */
int WINAPI znGeranApiInterfaceDll_WaitOnMMIReady(int value);
/* Lets the test set wait; 0 for a time of 0. */
int WINAPI znGeranApiInterfaceDll_WaitTime(int time);
/* Shows a text on the test set (a null text shows the empty string); 0 for a length of 0 or less;
 * fails silently. */
int WINAPI znGeranApiInterfaceDll_ShowText(const char* text, int length);
/* Selects the radio system of the test set (0 is passed on). */
int WINAPI znGeranApiInterfaceDll_SelectRadioSystem(int radioSystem);

/* --- Parameters ------------------------------------------------------------------------------ */

/* Loads the master parameter file through ParameterHandler.dll into the parameter store. */
int WINAPI znGeranApiInterfaceDll_LoadMasterParameterFile(int unused1, int unused2);
/* Reads a stored GSM value by name into value (1 byte, 4 bytes, or level text of at most
 * ZNGERAN_LEVEL_TEXT_SIZE bytes); 0 for an unknown name, a null name or value, or before the first
 * load. */
int WINAPI znGeranApiInterfaceDll_GetParameter(const char* name, int unused1, void* value, int unused2);
/* Overwrites a stored GSM value by name (text, or a 32-bit integer for the ARFCNs); 0 for an
 * unknown name, a null name or value, or before the first load. */
int WINAPI znGeranApiInterfaceDll_SetParameter(const char* name, int unused1, const void* value, int unused2);

/* --- Control channel ------------------------------------------------------------------------- */

/* Configures the control channel with the stored RX/TX levels; traces to C:\Test12.txt.
 * Before the first LoadMasterParameterFile it returns 0 without calling the test set; the trace
 * then holds only "Inside znGeranApiInterfaceDll_ConfigCch", followed (with a connection) by
 * "Inside znGeranApiInterfaceDll_ConfigCch testSetAPI", both without line ends. */
int WINAPI znGeranApiInterfaceDll_ConfigCch(int cchMode, int subChannel, int arfcns, int arg4, int arg5,
                                            int arg6, int arg7, int bsic, int channelId, int bsCcChans);
/* Switches the control channel off. */
int WINAPI znGeranApiInterfaceDll_DisableCch(int channel);

/* --- Access, paging and system information --------------------------------------------------- */

/* Sends a system information message; bytes are the low 8 bits of each value. A count of 0 or less
 * sends an empty message; 0 for a positive count with a null or short array. Without a connection it
 * reports the missing connection (E_POINTER). */
int WINAPI znGeranApiInterfaceDll_SendSIMsg(int type, const int* bytes, int count);
/* Sends a paging request; 0 for a count of 0 or less, or a null or short array. Without a connection
 * it reports the missing connection (E_POINTER). */
int WINAPI znGeranApiInterfaceDll_SendPagingReq(int channel, int pagingGroup, const int* bytes, int count,
                                                int mode);
/* Waits on the test set for an access burst. */
int WINAPI znGeranApiInterfaceDll_WaitAccessBurst(int channel, int timeout, int mode);
/* Reads the access burst into *accessBurst; returns 0 on success too. A null accessBurst is traced
 * like any call, then nothing is read. */
int WINAPI znGeranApiInterfaceDll_GetAccessBurst(int* accessBurst);
/* Reads the channel request (sign-extended from 16 bits) into *channelRequest; returns 0 on success
 * too. Without a connection it reports the missing connection (E_POINTER); a null channelRequest
 * reads nothing and writes nothing. */
int WINAPI znGeranApiInterfaceDll_GetchannelRequestMsg(int* channelRequest);
/* Reads the test set's frame number into *frameNumber; 0 for a null frameNumber. */
int WINAPI znGeranApiInterfaceDll_QueryFrameNumber(int* frameNumber);

/* --- Dedicated channel and layer-3 messaging ------------------------------------------------- */

/* Sets up a traffic multiframe with the stored levels; arfcn's low 8 bits form the byte list.
 * Before the first LoadMasterParameterFile it returns 0 without output and without calling the
 * test set, connected or not. */
int WINAPI znGeranApiInterfaceDll_EnableTrafficMultiframe(int mode, int arfcn, int arg3, int arg4, int arg5,
                                                          int arg6, int arg7, int arg8, int arg9, int arg10,
                                                          int arg11, int arg12);
/* Takes the traffic multiframe down. */
int WINAPI znGeranApiInterfaceDll_DisableTrafficMultiframe(int channel);
/* Sets ciphering from two lists of doubles (bytes by truncation); 0 when a count is exactly 0, or for
 * a positive count with a null or short array. A negative count sends an empty list. */
int WINAPI znGeranApiInterfaceDll_CipherMode(int mode, int algorithm, int direction, const double* key,
                                             int keyCount, const double* randValue, int randCount,
                                             int channel);
/* Sends a layer-3 message; 0 for a count of 0 or less, or a null or short array. */
int WINAPI znGeranApiInterfaceDll_SendMsg(int channel, int sapi, const int* bytes, int count, int mode);
/* Waits for a layer-3 message; 0 for a count of 0 or less, or a null or short array, and otherwise
 * -1 without a connection. */
int WINAPI znGeranApiInterfaceDll_WaitMsg(int channel, int sapi, int timeout, const int* bytes, int count);
/* Releases the layer-2 link. */
int WINAPI znGeranApiInterfaceDll_ReleaseL2Link(int sapi, int channel, int subChannel, int mode);

/* --- Power, timing and burst shifting -------------------------------------------------------- */

/* Changes the test set's transmit power (the float is passed bit for bit). */
int WINAPI znGeranApiInterfaceDll_ChangeTxPower(float level, int channel);
/* Orders the mobile station's power; traces to C:\GeranRemoteAPI.txt. */
int WINAPI znGeranApiInterfaceDll_ChangeMSPower(int msPower, int channel);
/* Changes the timing advance. */
int WINAPI znGeranApiInterfaceDll_ChangeTimingAdvance(int timingAdvance, int channel);
/* Shifts a burst right; returns the test set's answer (0 on failure). */
int WINAPI znGeranApiInterfaceDll_ShiftRight(int channel, int steps);
/* Shifts a burst left; returns the test set's answer (0 on failure). */
int WINAPI znGeranApiInterfaceDll_ShiftLeft(int channel, int steps);

/* --- Speech paths ---------------------------------------------------------------------------- */

/* Sets up a speech loop. */
int WINAPI znGeranApiInterfaceDll_VoiceLoop(int mode, int delay, int channel);
/* Stops sending voice. */
int WINAPI znGeranApiInterfaceDll_DisableVoiceSend(int channel);
/* Sends count voice bytes, each a double truncated toward zero, low 8 bits; 0 for a count of 0 or
 * less, or a null or short array, even when connected. */
int WINAPI znGeranApiInterfaceDll_EnableVoiceSend(int channel, const double* speech, int count, int mode);
/* Creates the aux speech object (releasing any earlier one first) and starts it, a nonzero enable
 * as VARIANT_TRUE; needs no connection. */
int WINAPI znGeranApiInterfaceDll_StartAuxSpeech(int channel, int enable);
/* Hands the aux speech object to the test set; 0 when there is none. */
int WINAPI znGeranApiInterfaceDll_AttachAuxSpeech(int channel);
/* Releases the aux speech object; 0 when there is none. */
int WINAPI znGeranApiInterfaceDll_ReleaseAuxSpeech(void);

/* --- BER test -------------------------------------------------------------------------------- */

/* Runs a BER test until the FER sample count reaches samples, blocking the caller; counters to
 * C:\GeranCallBoxNew.txt every cycle of a 2000 ms test-set wait. Samples of 0 or less run no cycle:
 * the BER test is started, waited on once and stopped, the frame erasure count becomes 0, result -1.
 * A FER sample count that does not grow over 150 cycles in a row ends the run: a line to
 * C:\Test12.txt, the BER test stopped, the frame erasure count kept, result 0. After any other
 * failure the BER test keeps running (see StopBERTest). */
int WINAPI znGeranApiInterfaceDll_StartBERTest(int samples, int berSelector);
/* Stops the test set's BER test. */
int WINAPI znGeranApiInterfaceDll_StopBERTest(int berSelector);
/* Traces the frame erasure count of the last BER run that finished its polling (0 before any); the
 * eleven words are neither read nor written; needs no connection; always returns 0. */
int WINAPI znGeranApiInterfaceDll_GetUpdatedBerResults(int r1, int r2, int r3, int r4, int r5, int r6, int r7,
                                                       int r8, int r9, int r10, int r11);

/* --- Scenario library ------------------------------------------------------------------------ */

/* Runs a scenario script through GERANScenarioLib.dll when runFlag is nonzero; -1 on success. A
 * runFlag of 0 gives -1 at once, whatever scenario is; with a nonzero runFlag a null scenario gives 0
 * without calling the scenario library. */
int WINAPI znGeranApiInterfaceDll_RunTestScenario(int unused, const char* scenario, int runFlag);
/* GERANScenarioLib.dll's scenarioLibDll_CallboxMode_StartStop under this library's name. */
int WINAPI znGeranApiInterfaceDll_CallboxMode_StartStop(int start);

/* --- Stubs: do nothing, return -1 ------------------------------------------------------------ */

int WINAPI znGeranApiInterfaceDll_Initialise(int w1, int w2, int w3, int w4);
int WINAPI znGeranApiInterfaceDll_Shutdown(void);
int WINAPI znGeranApiInterfaceDll_GetErrorMsgLength(int w1, int w2);
int WINAPI znGeranApiInterfaceDll_GetErrorMsg(int w1, int w2, int w3);
int WINAPI znGeranApiInterfaceDll_SetSystemMode(int w1);
int WINAPI znGeranApiInterfaceDll_GetServerVersion(int w1);
/* Exported only under its decorated name _znGeranApiInterfaceDll_RemoteConnection_Set@4. */
int WINAPI znGeranApiInterfaceDll_RemoteConnection_Set(int w1);

#ifdef __cplusplus
}
#endif

#endif /* ZN_GERAN_API_INTERFACE_DLL_H */
