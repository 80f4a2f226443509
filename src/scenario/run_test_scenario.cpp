// znGeranApiInterfaceDll_RunTestScenario: hands a scenario script to the scenario library.
#include "caller/caller_memory.h"
#include "caller/result.h"
#include "testset/command.h"

#include <GERANScenarioLib.h>
#include <znGeranApiInterfaceDll.h>

#include <cstring>

namespace geran {
namespace {

constexpr int kScenarioMode = 4;  // every run asks the scenario library to stop at its first failing command

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_RunTestScenario(int, const char* scenario, int runFlag) {
  if (runFlag == 0) return kSuccess;
  // The scenario library is another module: whatever it throws is caught here, at the export.
  return RunGuarded(GERAN_REPORT_SITE, [scenario] {
    // Nothing to run, or no end to find: the scenario library would read past the caller's memory.
    if (!IsReadableText(scenario)) return kFailure;
    const int lengthWithNul = static_cast<int>(std::strlen(scenario)) + 1;
    const int result = scenarioLibDll_RunTestScript(scenario, kScenarioMode, lengthWithNul);
    return result != 0 ? kSuccess : kFailure;
  });
}

}  // extern "C"
