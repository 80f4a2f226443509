#include "scenario_lib.h"

#include "harness.h"

namespace geran::test {

std::vector<std::string> ScenarioCalls() { return ReadEntries(ScenarioLib_CallCount, ScenarioLib_Call); }

}  // namespace geran::test
