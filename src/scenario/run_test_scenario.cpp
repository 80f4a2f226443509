// znGeranApiInterfaceDll_RunTestScenario: hands a scenario script to the scenario library.
#include "api/result.h"

#include <GERANScenarioLib.h>
#include <znGeranApiInterfaceDll.h>

#include <cstring>

namespace {

constexpr int kScenarioMode = 4;  // every run asks the scenario library to stop at its first failing command

}  // namespace

extern "C" int WINAPI znGeranApiInterfaceDll_RunTestScenario(int, const char* scenario, int runFlag) {
  if (runFlag == 0) return geran::kSuccess;
  if (scenario == nullptr) return geran::kFailure;  // nothing to run, and nothing for the library to read
  const int lengthWithNul = static_cast<int>(std::strlen(scenario)) + 1;
  const int result = scenarioLibDll_RunTestScript(scenario, kScenarioMode, lengthWithNul);
  return result != 0 ? geran::kSuccess : geran::kFailure;
}
