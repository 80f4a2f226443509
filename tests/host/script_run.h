// A script run in the test process against the simulator, with a fresh product module whose
// connection wait is skipped, recorded in a call journal or not.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace geran::test {

// A file of the demo's folder beside the tests (demo.gts, MasterParameters.ini).
std::string DemoFile(const char* name);

struct ScriptRun {
  std::string output;  // without the calls' durations, which differ from run to run
  std::vector<std::string> simulatorJournal;
  std::string traceFiles;
};

// Runs script with the demo's master parameter file; journal: GERAN_CALL_JOURNAL for the run, or
// nullptr for none; arm sets the simulator up after its reset.
ScriptRun RunInProcess(const std::string& script, const char* journal, const std::function<void()>& arm = {});

}  // namespace geran::test
