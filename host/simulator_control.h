// --sim-fail and --sim-value: arming the test-set simulator that COM will load into this process.
#pragma once

#include "options.h"

#include <string>
#include <vector>

namespace geran::host {

// Loads TestSetSimulator.dll from geranhost's folder, sets its values and arms its faults. COM loads
// the registered server into this process too, so it is the same instance when the registration
// points to that folder; otherwise the result names the path COM would use. Throws UsageError
// when the simulator cannot be armed.
std::string ArmSimulatorOrThrow(const Options& options);

}  // namespace geran::host
