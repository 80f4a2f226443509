#include "scenario_lib.h"

namespace geran::test {

std::vector<std::string> ScenarioCalls() {
  std::vector<std::string> calls;
  for (int i = 0; i < ScenarioLib_CallCount(); ++i) {
    const int length = ScenarioLib_Call(i, nullptr, 0);
    std::string call(static_cast<size_t>(length) + 1, '\0');
    ScenarioLib_Call(i, &call[0], length + 1);
    call.resize(static_cast<size_t>(length));
    calls.push_back(call);
  }
  return calls;
}

}  // namespace geran::test
