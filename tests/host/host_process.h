// geranhost.exe run as a process by the tests, and the demo it runs.
#pragma once

#include <windows.h>

#include <string>

namespace geran::test {

// Runs geranhost.exe (beside the test) with arguments; returns its exit code (99: not started), and
// in output its stdout and stderr without the CRs of text mode.
DWORD RunGeranhost(const std::string& arguments, std::string& output);

// A file of the demo's folder beside the tests (demo.gts, MasterParameters.ini).
std::string DemoFile(const char* name);

}  // namespace geran::test
