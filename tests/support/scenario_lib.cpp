#include "scenario_lib.h"

#include "harness.h"

namespace geran::test {

std::vector<std::string> ScenarioCalls(size_t from) {
  return ReadEntries(ScenarioLib_CallCount, ScenarioLib_Call, static_cast<int>(from));
}

}  // namespace geran::test
