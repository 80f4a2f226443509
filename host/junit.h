// --junit: a run as JUnit XML, the report format CI servers read.
#pragma once

#include "runner.h"

#include <string>
#include <string_view>

namespace geran::host {

// The run of one script as one test suite named suite. A test case is a "##" section of the
// script (the calls before the first heading one of their own), or, in a script without headings,
// a call with an expectation together with the calls without one just before it. Each failed
// expectation is a failure "line L: Call(...) returned R, expected E"; a case's system-out is what
// the library wrote during its calls; times are in seconds. The warnings of the script's checks,
// when there are any, are the suite's system-err.
std::string JunitXml(std::string_view suite, const Summary& summary, std::string_view warnings = {});

}  // namespace geran::host
