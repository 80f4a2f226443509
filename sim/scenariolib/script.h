// The scenario script language: a script is checked in full, files included, before its first command runs.
#pragma once

#include <string>

namespace scenario {

// Mode flags of a run.
constexpr int kCheckOnly = 1;
constexpr int kEchoCommands = 2;
constexpr int kStopAtFirstFailure = 4;

// Checks the script and, unless kCheckOnly, runs it; false with the reason on standard error.
bool RunScript(const std::string& text, int mode);

}  // namespace scenario
