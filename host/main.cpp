// geranhost: runs a test script of export calls against znGeranApiInterfaceDll.dll.
#include "import_patch.h"
#include "journal_compare.h"
#include "junit.h"
#include "master_check.h"
#include "message_checks.h"
#include "module_path.h"
#include "options.h"
#include "pcap_writer.h"
#include "runner.h"
#include "script.h"
#include "simulator_control.h"
#include "wording.h"

#include <io.h>
#include <win32/handles.h>
#include <win32/system.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace geran::host {
namespace {

constexpr int kBadInput = 2;

std::string ReadFileOrThrow(const std::string& path, const char* what) {
  if (const DWORD attributes = GetFileAttributesA(path.c_str());
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    throw FileError(path + " is a folder, not a " + what);
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw FileError("cannot read the " + std::string(what) + " " + path + ": " + std::strerror(errno));
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileOrThrow(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  if (!(file << text).flush()) throw FileError("cannot write " + path + ": " + std::strerror(errno));
}

// A file the run writes later, tried before the first call, so a path that cannot be created fails
// the run now instead of after it. A file that was not there before is not left behind.
void CheckCreatableOrThrow(const std::string& path, const char* what) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, OPEN_ALWAYS, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE)
    throw FileError("cannot create the " + std::string(what) + " " + path + ": " +
                    SystemMessage(GetLastError()));
  if (GetLastError() != ERROR_ALREADY_EXISTS) DeleteFileA(path.c_str());
}

// "demo" of "examples\demo.gts": how reports name a script.
std::string ScriptName(const std::string& path) {
  const std::size_t start = path.find_last_of("\\/:") + 1;  // npos + 1: from the start
  const std::size_t dot = path.rfind('.');
  return path.substr(start, dot == std::string::npos || dot < start ? std::string::npos : dot - start);
}

// A script that passed its checks, and the findings in its messages as warnings ("" for none).
struct CheckedText {
  Script script;
  std::string warnings;
};

// The script, parsed and checked; its errors go to stderr, and to the JUnit report when there is
// one, and end the run before any call. Each finding in a literal message is a warning on stderr,
// or with --strict-messages an error.
std::optional<CheckedText> CheckedScript(const Options& options) {
  const std::string& path = options.script;
  CheckedText checked{ParseScript(ReadFileOrThrow(path, "script")), ""};
  Script& script = checked.script;
  for (const MessageWarning& finding :
       script.errors.empty() ? CheckMessages(script) : std::vector<MessageWarning>{})
    if (options.strictMessages)
      script.errors.push_back({finding.where, finding.text});
    else
      checked.warnings += FormatWarning(path, finding);
  if (script.errors.empty()) {
    std::fputs(checked.warnings.c_str(), stderr);
    return checked;
  }
  std::string errors;
  for (const ScriptError& error : script.errors) errors += FormatError(script, path, error);
  const std::string closing = Counted(script.errors.size(), "error") + " in " + path + "; nothing was called";
  std::fprintf(stderr, "%s%s\n", errors.c_str(), closing.c_str());
  if (!options.junit.empty())
    WriteFileOrThrow(options.junit,
                     JunitFailureXml(ScriptName(path), "the script", "script error", closing, errors));
  return std::nullopt;
}

Module LoadLibraryOrThrow(const Options& options) {
  const std::string path =
      options.dll.empty() ? BesideHost("znGeranApiInterfaceDll.dll") : FullPath(options.dll);
  // The altered search path finds the library's own imports (the scenario library) beside it.
  Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module) throw UsageError("cannot load " + path + ": " + SystemMessage(GetLastError(), path));
  return module;
}

std::string ModuleFile(HMODULE module) {
  char path[MAX_PATH];
  return std::string(path, GetModuleFileNameA(module, path, MAX_PATH));
}

int CompareJournalFiles(const std::vector<std::string>& paths) {
  const Comparison comparison = CompareJournals({paths[0], ReadFileOrThrow(paths[0], "journal")},
                                                {paths[1], ReadFileOrThrow(paths[1], "journal")});
  if (!comparison.error.empty()) {
    std::fprintf(stderr, "geranhost: %s\n", comparison.error.c_str());
    return kBadInput;
  }
  std::fputs(comparison.report.c_str(), stdout);
  return comparison.same ? 0 : 1;
}

// A journal for a script's journal lines when the user named none, removed after the run.
class ScratchFile {
 public:
  ScratchFile() {
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    if (GetTempFileNameA(folder, "gts", 0, name) == 0)
      throw UsageError("cannot make a file for the call journal: " + SystemMessage(GetLastError()));
    path_ = name;
  }
  ~ScratchFile() { DeleteFileA(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The library reads the variable when the script connects; a full path keeps the file where the
// user meant it whatever the library's current folder.
std::string RecordCallsIn(const std::string& journal) {
  const std::string path = FullPath(journal);
  if (!SetEnvironmentVariableA("GERAN_CALL_JOURNAL", path.c_str()))
    throw UsageError("cannot set GERAN_CALL_JOURNAL: " + SystemMessage(GetLastError()));
  return path;
}

void WINAPI SkipSleep(DWORD) {}

// The library waits after connecting, for a real test set to settle; the simulator needs no
// such wait, so --no-connect-wait takes the library's Sleep out.
void SkipConnectWaitOrThrow(HMODULE library) {
  if (PatchImport(library, "kernel32.dll", "Sleep", reinterpret_cast<void*>(&SkipSleep)) == nullptr)
    throw UsageError("--no-connect-wait: " + ModuleFile(library) + " imports no Sleep");
}

// --check-master: each line the handler refuses or the library reads otherwise, in one pass, then a
// closing line. Exit 2 when the load would fail outright, 1 when it reads a line otherwise.
int CheckMasterFile(const std::string& path) {
  const MasterCheck check = CheckMasterText(ReadFileOrThrow(path, "master file"), path);
  for (const MasterProblem& problem : check.problems)
    std::printf("%s:%d: %s\n", path.c_str(), problem.line, problem.message.c_str());
  if (check.problems.empty()) {
    std::printf("%s: %s, each read as written\n", path.c_str(), Counted(check.keys, "key").c_str());
    return 0;
  }
  std::printf("%s in %s%s\n", Counted(check.problems.size(), "problem").c_str(), path.c_str(),
              check.Refused() ? ": ParameterHandler.dll refuses the file, so every load fails" : "");
  return check.Refused() ? kBadInput : 1;
}

// The capture of a journal's messages, written in pcap.
Capture WriteCaptureOrThrow(const std::string& pcap, const std::string& journal) {
  Capture capture = CaptureJournal(ReadFileOrThrow(journal, "call journal"));
  WriteFileOrThrow(pcap, capture.pcap);
  return capture;
}

// --pcap OUT JOURNAL: the capture, and a line saying what it holds.
void ConvertJournalOrThrow(const std::string& pcap, const std::string& journal) {
  const Capture capture = WriteCaptureOrThrow(pcap, journal);
  std::printf("%s: %zu layer-3 messages in %zu frames from %s\n", pcap.c_str(), capture.messages,
              capture.frames, journal.c_str());
}

// --pcap takes a script (.gts) to run or any other file as a call journal to convert.
bool IsScript(const std::string& path) {
  return path.size() >= 4 && _stricmp(path.c_str() + path.size() - 4, ".gts") == 0;
}

void ListExports() {
  for (const Export& entry : Exports()) std::printf("%s\n", Signature(entry).c_str());
}

// A replay that departed, or left recorded calls unmade, fails the run whatever the script expected.
int ExitAfterReplay(int exitCode) {
  const std::string outcome = ReplayOutcome();
  if (outcome.empty()) return exitCode;
  std::fflush(stdout);
  std::fprintf(stderr, "geranhost: %s\n", outcome.c_str());
  return exitCode == 0 ? 1 : exitCode;
}

int RunScript(const Options& options) {
  const std::optional<CheckedText> checked = CheckedScript(options);
  if (!checked) return kBadInput;
  const Script* script = &checked->script;
  if (options.check) {
    std::printf("%s: %s, no errors\n", options.script.c_str(), Counted(script->CallCount(), "call").c_str());
    return 0;
  }
  if (!options.journal.empty()) CheckCreatableOrThrow(options.journal, "call journal");
  if (!options.junit.empty()) CheckCreatableOrThrow(options.junit, "JUnit report");
  // Made before the library is loaded, so it is removed after the library that writes it is unloaded.
  std::optional<ScratchFile> scratchJournal;
  if (options.journal.empty() && (script->ChecksJournal() || !options.pcap.empty())) scratchJournal.emplace();
  const std::string journal = !options.journal.empty() ? RecordCallsIn(options.journal)
                              : scratchJournal         ? RecordCallsIn(scratchJournal->path())
                                                       : "";
  const Module library = LoadLibraryOrThrow(options);
  const Binding binding =
      Bind(*script, [&](const char* symbol) { return GetProcAddress(library.get(), symbol); });
  for (const std::string& symbol : binding.missing)
    std::fprintf(stderr, "geranhost: %s does not export %s\n", ModuleFile(library.get()).c_str(),
                 symbol.c_str());
  if (!binding.missing.empty()) return kBadInput;
  if (options.noConnectWait) SkipConnectWaitOrThrow(library.get());
  if (!options.faults.empty() || !options.values.empty() || !options.replay.empty())
    ArmSimulatorOrThrow(options);
  if (!options.quiet)
    std::printf("geranhost %s: %s, %s, with %s%s\n", GERAN_VERSION, options.script.c_str(),
                Counted(script->CallCount(), "call").c_str(), ModuleFile(library.get()).c_str(),
                options.journal.empty() ? "" : (", calls recorded in " + journal).c_str());
  RunOptions run;
  if (script->ChecksJournal()) run.journal = journal;
  run.junit = options.junit;
  run.suite = ScriptName(options.script);
  run.quiet = options.quiet;
  run.stopOnFailure = options.stopOnFailure;
  run.progress = !options.quiet && !options.noProgress && _isatty(_fileno(stderr));
  const Summary summary = Run(*script, binding.functions, run);
  if (!options.junit.empty())
    WriteFileOrThrow(options.junit, JunitXml(run.suite, summary, checked->warnings));
  if (!options.pcap.empty()) WriteCaptureOrThrow(options.pcap, journal);
  if (!options.replay.empty()) return ExitAfterReplay(ExitCode(summary));
  return ExitCode(summary);
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
    else if (!options.compare.empty())
      return CompareJournalFiles(options.compare);
    else if (!options.checkMaster.empty())
      return CheckMasterFile(options.checkMaster);
    else if (!options.pcap.empty() && !IsScript(options.script))
      ConvertJournalOrThrow(options.pcap, options.script);
    else
      return RunScript(options);
    return 0;
  } catch (const UsageError& error) {
    std::fprintf(stderr, "geranhost: %s\n(geranhost --help shows the options)\n", error.what());
    return kBadInput;
  } catch (const SetupError& error) {
    std::fprintf(stderr, "geranhost: %s\n", error.what());
    return kBadInput;
  }
}

}  // namespace
}  // namespace geran::host

int main(int argc, char** argv) { return geran::host::Main(std::vector<std::string>(argv + 1, argv + argc)); }
