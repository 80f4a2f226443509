// --sim-fail, --sim-value and --replay: arming the test-set simulator that COM will load into this
// process.
#pragma once

#include "options.h"

#include <string>
#include <vector>

namespace geran::host {

// Loads TestSetSimulator.dll from geranhost's folder, sets its values, arms its faults and loads the
// replay. COM loads the registered server into this process too, so it is the same instance when
// the registration points to that folder (as a local server, it forwards them to its executable).
// Throws SetupError, before arming anything, when COM would serve the test set from elsewhere or a
// crash is asked of a local server; UsageError when the simulator cannot be armed, FileError when
// the replay cannot be loaded.
void ArmSimulatorOrThrow(const Options& options);

// After a run with --replay: how the replay went, empty when every recorded call was made as
// recorded.
std::string ReplayOutcome();

}  // namespace geran::host
