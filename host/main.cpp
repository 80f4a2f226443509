// geranhost: runs a test script of export calls against znGeranApiInterfaceDll.dll.
#include "module_path.h"
#include "options.h"
#include "runner.h"
#include "script.h"
#include "simulator_control.h"

#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace geran::host {
namespace {

constexpr int kBadInput = 2;

struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

std::string ReadScriptOrThrow(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw UsageError("cannot read the script " + path + ": " + std::strerror(errno));
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The script, parsed and checked; its errors go to stderr and end the run before any call.
std::optional<Script> CheckedScript(const std::string& path) {
  Script script = ParseScript(ReadScriptOrThrow(path));
  if (script.errors.empty()) return script;
  for (const ScriptError& error : script.errors) std::fputs(FormatError(script, path, error).c_str(), stderr);
  std::fprintf(stderr, "%zu %s in %s; nothing was called\n", script.errors.size(),
               script.errors.size() == 1 ? "error" : "errors", path.c_str());
  return std::nullopt;
}

Module LoadLibraryOrThrow(const Options& options) {
  const std::string path =
      options.dll.empty() ? BesideHost("znGeranApiInterfaceDll.dll") : FullPath(options.dll);
  // The altered search path finds the library's own imports (the scenario library) beside it.
  Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module) throw UsageError("cannot load " + path + ": " + SystemMessage(GetLastError()));
  return module;
}

std::string ModuleFile(HMODULE module) {
  char path[MAX_PATH];
  return std::string(path, GetModuleFileNameA(module, path, MAX_PATH));
}

void ListExports() {
  for (const Export& entry : Exports()) std::printf("%s\n", Signature(entry).c_str());
}

int RunScript(const Options& options) {
  const std::optional<Script> script = CheckedScript(options.script);
  if (!script) return kBadInput;
  if (options.check) {
    std::printf("%s: %zu calls, no errors\n", options.script.c_str(), script->CallCount());
    return 0;
  }
  const Module library = LoadLibraryOrThrow(options);
  const Binding binding =
      Bind(*script, [&](const char* symbol) { return GetProcAddress(library.get(), symbol); });
  for (const std::string& symbol : binding.missing)
    std::fprintf(stderr, "geranhost: %s does not export %s\n", ModuleFile(library.get()).c_str(),
                 symbol.c_str());
  if (!binding.missing.empty()) return kBadInput;
  if (!options.faults.empty() || !options.values.empty())
    if (const std::string warning = ArmSimulatorOrThrow(options); !warning.empty())
      std::fprintf(stderr, "geranhost: warning: the simulator's settings may not apply: %s\n",
                   warning.c_str());
  if (!options.quiet)
    std::printf("geranhost %s: %s, %zu calls, with %s\n", GERAN_VERSION, options.script.c_str(),
                script->CallCount(), ModuleFile(library.get()).c_str());
  RunOptions run;
  run.quiet = options.quiet;
  run.stopOnFailure = options.stopOnFailure;
  run.progress = !options.quiet && !options.noProgress && _isatty(_fileno(stderr));
  return ExitCode(Run(*script, binding.functions, run));
}

int Main(const std::vector<std::string>& args) {
  // No crash, in a run or outside one, waits in the system's (or Wine's) automatic debugger.
  SetErrorMode(GetErrorMode() | SEM_NOGPFAULTERRORBOX);
  try {
    const Options options = ParseCommandLineOrThrow(args);
    if (options.help)
      std::fputs(Usage().c_str(), stdout);
    else if (options.version)
      std::printf("geranhost %s\n", GERAN_VERSION);
    else if (options.list)
      ListExports();
    else
      return RunScript(options);
    return 0;
  } catch (const UsageError& error) {
    std::fprintf(stderr, "geranhost: %s\n(geranhost --help shows the options)\n", error.what());
    return kBadInput;
  }
}

}  // namespace
}  // namespace geran::host

int main(int argc, char** argv) { return geran::host::Main(std::vector<std::string>(argv + 1, argv + argc)); }
