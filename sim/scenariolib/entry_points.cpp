// The two entry points: each call is recorded, then answers its forced result or does its work.
#include "library.h"
#include "script.h"

#include <GERANScenarioLib.h>

#include <string>

namespace {

// The script as far as the library may read it: up to its NUL, within length bytes.
std::string ReadableText(const char* script, int length) {
  int size = 0;
  while (size < length && script[size] != '\0') ++size;
  return std::string(script, static_cast<size_t>(size));
}

std::string ScriptCall(const char* script, int mode, int length) {
  const std::string text = script == nullptr ? "null" : "\"" + ReadableText(script, length) + "\"";
  return "RunTestScript(" + text + ", " + std::to_string(mode) + ", " + std::to_string(length) + ")";
}

}  // namespace

extern "C" int WINAPI scenarioLibDll_RunTestScript(const char* script, int mode, int length) {
  using namespace scenario;
  RecordCall(ScriptCall(script, mode, length));
  if (const std::optional<int> forced = ForcedResult(Entry::RunTestScript)) return *forced;
  if (script == nullptr || length <= 0) {
    ReportProblem("no script to run (length " + std::to_string(length) + ")");
    return 0;
  }
  return RunScript(ReadableText(script, length), mode) ? 1 : 0;
}

extern "C" int WINAPI scenarioLibDll_CallboxMode_StartStop(int start) {
  using namespace scenario;
  RecordCall("CallboxMode_StartStop(" + std::to_string(start) + ")");
  if (const std::optional<int> forced = ForcedResult(Entry::CallboxModeStartStop)) return *forced;
  if (start != 0 && start != 1) {
    ReportProblem("CallboxMode_StartStop takes 1 (start) or 0 (stop), not " + std::to_string(start));
    return 0;
  }
  SetCallbox(start == 1);
  return -1;
}
