/* Calls all 50 exports through the public header and the import library, as a C program would,
 * with no test-set connection: each must give its documented result and return with the stack
 * balanced. The i686 build links this program too, so a prototype or decoration slip in the
 * header or the import library fails that build. */
#include <GERANScenarioLib.h>
#include <znGeranApiInterfaceDll.h>

#include <objbase.h>
#include <stdio.h>

typedef HRESULT(WINAPI* RegisterFunction)(void);

static int failures = 0;

static void Expect(const char* name, int result, int expected) {
  if (result != expected) ++failures;
  printf("%-32s %3d  %s\n", name, result, result == expected ? "ok" : "UNEXPECTED");
}

/* The aux speech class must be registered for StartAuxSpeech to have a defined result. */
static int RegisterSimulator(void) {
  HMODULE simulator = LoadLibraryW(L"TestSetSimulator.dll");
  RegisterFunction registerServer =
      simulator ? (RegisterFunction)(void*)GetProcAddress(simulator, "DllRegisterServer") : NULL;
  return registerServer != NULL && SUCCEEDED(registerServer());
}

static void CallStubs(void) {
  char buffer[16] = "";
  Expect("Initialise", znGeranApiInterfaceDll_Initialise(1, 2, 3, 4), -1);
  Expect("Shutdown", znGeranApiInterfaceDll_Shutdown(), -1);
  Expect("GetErrorMsgLength", znGeranApiInterfaceDll_GetErrorMsgLength(1, 2), -1);
  Expect("GetErrorMsg", znGeranApiInterfaceDll_GetErrorMsg(1, (int)(INT_PTR)buffer, 16), -1);
  Expect("SetSystemMode", znGeranApiInterfaceDll_SetSystemMode(7), -1);
  Expect("GetServerVersion", znGeranApiInterfaceDll_GetServerVersion(0), -1);
  Expect("RemoteConnection_Set", znGeranApiInterfaceDll_RemoteConnection_Set(1), -1);
}

static void CallGeneralAndParameters(void) {
  char name[16] = "";
  int value = 0;
  Expect("InitialiseSystem", znGeranApiInterfaceDll_InitialiseSystem(), 0); /* COM was initialised here */
  Expect("Reset", znGeranApiInterfaceDll_Reset(), 0);
  Expect("StartScript", znGeranApiInterfaceDll_StartScript(), 0);
  Expect("GetLogFileName", znGeranApiInterfaceDll_GetLogFileName(name, sizeof name), 0);
  Expect("PutLogFileName", znGeranApiInterfaceDll_PutLogFileName("log.txt", 7), 0);
  Expect("PutKeywordTimeout", znGeranApiInterfaceDll_PutKeywordTimeout(5), 0);
  Expect("WaitOnMMIReady", znGeranApiInterfaceDll_WaitOnMMIReady(1), 0);
  Expect("WaitTime", znGeranApiInterfaceDll_WaitTime(5), 0);
  Expect("ShowText", znGeranApiInterfaceDll_ShowText("hello", 5), 0);
  Expect("SelectRadioSystem", znGeranApiInterfaceDll_SelectRadioSystem(1), 0);
  Expect("LoadMasterParameterFile", znGeranApiInterfaceDll_LoadMasterParameterFile(0, 0), 0);
  Expect("GetParameter", znGeranApiInterfaceDll_GetParameter("Radio System", 0, &value, 0), 0);
  Expect("SetParameter", znGeranApiInterfaceDll_SetParameter("Radio System", 0, "2", 0), 0);
}

static void CallCell(void) {
  const int bytes[] = {1, 2, 3};
  const double doubles[] = {1.0, 2.0};
  int value = 0;
  Expect("ConfigCch", znGeranApiInterfaceDll_ConfigCch(1, 0, 20, 4, 5, 6, 7, 8, 9, 10), 0);
  Expect("DisableCch", znGeranApiInterfaceDll_DisableCch(1), 0);
  Expect("SendSIMsg", znGeranApiInterfaceDll_SendSIMsg(1, bytes, 3), 0);
  Expect("SendPagingReq", znGeranApiInterfaceDll_SendPagingReq(1, 2, bytes, 3, 5), 0);
  Expect("WaitAccessBurst", znGeranApiInterfaceDll_WaitAccessBurst(1, 2, 3), 0);
  Expect("GetAccessBurst", znGeranApiInterfaceDll_GetAccessBurst(&value), 0);
  Expect("GetchannelRequestMsg", znGeranApiInterfaceDll_GetchannelRequestMsg(&value), 0);
  Expect("QueryFrameNumber", znGeranApiInterfaceDll_QueryFrameNumber(&value), 0);
  Expect("EnableTrafficMultiframe",
         znGeranApiInterfaceDll_EnableTrafficMultiframe(1, 20, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12), 0);
  Expect("DisableTrafficMultiframe", znGeranApiInterfaceDll_DisableTrafficMultiframe(1), 0);
  Expect("CipherMode", znGeranApiInterfaceDll_CipherMode(1, 2, 3, doubles, 2, doubles, 1, 8), 0);
  Expect("SendMsg", znGeranApiInterfaceDll_SendMsg(1, 2, bytes, 3, 5), 0);
  Expect("WaitMsg", znGeranApiInterfaceDll_WaitMsg(1, 2, 3, bytes, 3), -1);
  Expect("ReleaseL2Link", znGeranApiInterfaceDll_ReleaseL2Link(1, 2, 3, 4), 0);
  Expect("ChangeTxPower", znGeranApiInterfaceDll_ChangeTxPower(-85.5f, 1), 0);
  Expect("ChangeMSPower", znGeranApiInterfaceDll_ChangeMSPower(5, 1), 0);
  Expect("ChangeTimingAdvance", znGeranApiInterfaceDll_ChangeTimingAdvance(3, 1), 0);
  Expect("ShiftRight", znGeranApiInterfaceDll_ShiftRight(1, 2), 0);
  Expect("ShiftLeft", znGeranApiInterfaceDll_ShiftLeft(1, 2), 0);
  Expect("value left untouched", value, 0);
}

static void CallMeasurementAndScenario(void) {
  const double speech[] = {0.5, 255.9};
  Expect("VoiceLoop", znGeranApiInterfaceDll_VoiceLoop(1, 2, 3), 0);
  Expect("DisableVoiceSend", znGeranApiInterfaceDll_DisableVoiceSend(1), 0);
  Expect("EnableVoiceSend", znGeranApiInterfaceDll_EnableVoiceSend(1, speech, 2, 4), 0);
  Expect("AttachAuxSpeech", znGeranApiInterfaceDll_AttachAuxSpeech(1), 0);
  Expect("StartAuxSpeech", znGeranApiInterfaceDll_StartAuxSpeech(1, 5), -1); /* needs no connection */
  Expect("ReleaseAuxSpeech", znGeranApiInterfaceDll_ReleaseAuxSpeech(), -1);
  Expect("StartBERTest", znGeranApiInterfaceDll_StartBERTest(100, 1), 0);
  Expect("StopBERTest", znGeranApiInterfaceDll_StopBERTest(1), 0);
  Expect("GetUpdatedBerResults",
         znGeranApiInterfaceDll_GetUpdatedBerResults(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11), 0);
  Expect("RunTestScenario", znGeranApiInterfaceDll_RunTestScenario(0, "abc", 0), -1);
  Expect("CallboxMode_StartStop", znGeranApiInterfaceDll_CallboxMode_StartStop(1),
         scenarioLibDll_CallboxMode_StartStop(1));
}

int main(void) {
  if (!RegisterSimulator()) {
    printf("cannot register TestSetSimulator.dll\n");
    return 2;
  }
  /* Without a master file the load fails; with COM initialised first, InitialiseSystem returns at once. */
  SetEnvironmentVariableW(L"GERAN_MASTER_PARAMETER_FILE", L"C:\\no such folder\\MasterParameters.ini");
  CoInitialize(NULL);
  CallStubs();
  CallGeneralAndParameters();
  CallCell();
  CallMeasurementAndScenario();
  printf("%d exports called, %d unexpected results\n", 50, failures);
  return failures == 0 ? 0 : 1;
}
