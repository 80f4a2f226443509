// Where COM would serve the test set's class from, as the host checks it before and during a run.
#pragma once

#include <string>

namespace geran::host {

// The DLL or, as a local server, the executable registered for the test set's class, without
// quotes; "" when the class is not registered.
std::string RegisteredTestSetServer();

}  // namespace geran::host
