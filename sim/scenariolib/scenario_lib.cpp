// GERANScenarioLib.dll: the scenario library behind znGeranApiInterfaceDll's scenario forwards.
#include <GERANScenarioLib.h>

extern "C" int WINAPI scenarioLibDll_RunTestScript(const char* script, int, int length) {
  return (script != nullptr && length > 0) ? 1 : 0;
}

extern "C" int WINAPI scenarioLibDll_CallboxMode_StartStop(int) { return -1; }
