#include "script_run.h"

#include "runner.h"
#include "script.h"
#include "simulator.h"

#include <regex>

namespace geran::test {

std::string DemoFile(const char* name) {
  char path[MAX_PATH];
  const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return program.substr(0, program.find_last_of('\\') + 1) + "demo\\" + name;
}

ScriptRun RunInProcess(const std::string& script, const char* journal, const std::function<void()>& arm) {
  SetEnvironmentVariableA("GERAN_CALL_JOURNAL", journal);
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", DemoFile("MasterParameters.ini").c_str());
  RemoveTraceFiles();
  TestSetSim_Reset();
  if (arm) arm();
  ScriptRun run;
  {
    const ProductModule module;
    const host::Script parsed = host::ParseScript(script);
    EXPECT_TRUE(parsed.errors.empty());
    const host::Binding binding = host::Bind(parsed, [&](const char* symbol) { return module.Find(symbol); });
    StdoutCapture out;
    host::Run(parsed, binding.functions, host::RunOptions{});
    run.output = std::regex_replace(out.Take(), std::regex(R"(  \(\d+(\.\d)? m?s\))"), "");
  }
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "simulator objects left alive";
  run.simulatorJournal = Journal();
  for (const char* file : {kTest12, kRemoteApi, kResult, kCallBox})
    run.traceFiles += std::string(file) + ":\n" + ReadFileBytes(file);
  SetEnvironmentVariableA("GERAN_CALL_JOURNAL", nullptr);
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", nullptr);
  return run;
}

}  // namespace geran::test
