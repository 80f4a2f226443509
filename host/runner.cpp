#include "runner.h"

#include "crash_report.h"
#include "junit.h"
#include "message_checks.h"
#include "module_path.h"
#include "output_relay.h"
#include "progress.h"
#include "test_set_registration.h"
#include "wording.h"

#include <journal/recorded_journal.h>
#include <testset/trace_files.h>
#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>

namespace geran::host {
namespace {

// What an out argument received.
struct OutResult {
  bool text = false;
  std::int32_t number = 0;
  std::string chars;
};

using OutStore = std::map<std::string, OutResult, std::less<>>;

// The memory behind one call's arguments; it stays where it is until the call is over.
class CallArguments {
 public:
  CallArguments(const Call& call, const OutStore& outs)
      : call_(call), outs_(outs), storage_(call.arguments.size()), slots_(call.arguments.size()) {
    for (std::size_t i = 0; i < slots_.size(); ++i)
      std::visit([&](const auto& value) { Fill(i, value); }, call.arguments[i].value);
  }
  CallArguments(const CallArguments&) = delete;
  CallArguments& operator=(const CallArguments&) = delete;

  const std::vector<Slot>& slots() const { return slots_; }

  // The values the call's out arguments received, in argument order.
  std::vector<std::pair<std::string, OutResult>> Received() const {
    std::vector<std::pair<std::string, OutResult>> received;
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (const auto* out = std::get_if<OutValue>(&call_.arguments[i].value))
        received.emplace_back(out->name, Read(*out, storage_[i].out));
    return received;
  }

 private:
  struct Storage {
    std::string text;
    std::vector<std::int32_t> words;
    std::vector<double> reals;
    std::vector<char> out;
  };

  static OutResult Read(const OutValue& out, const std::vector<char>& bytes) {
    OutResult result;
    result.text = out.size > 0;
    if (result.text)
      result.chars.assign(bytes.data(), strnlen(bytes.data(), bytes.size()));
    else
      std::memcpy(&result.number, bytes.data(), sizeof result.number);
    return result;
  }

  std::int32_t Resolve(const Word& word) const {
    if (const auto* reference = std::get_if<Reference>(&word))
      return outs_.find(reference->name)->second.number;
    return std::get<std::int32_t>(word);
  }

  void Fill(std::size_t i, const Null&) { slots_[i].pointer = nullptr; }
  void Fill(std::size_t i, const Word& word) { slots_[i].word = Resolve(word); }
  void Fill(std::size_t i, float real) { slots_[i].real = real; }
  void Fill(std::size_t i, const std::string& text) {
    storage_[i].text = text;
    slots_[i].pointer = storage_[i].text.c_str();
  }
  void Fill(std::size_t i, const Reference& reference) {
    const OutResult& result = outs_.find(reference.name)->second;
    if (RuleFor(call_.target->kinds[i]).reference == Holds::kInteger) return Fill(i, Word(reference));
    if (result.text) return Fill(i, result.chars);
    Fill(i, std::vector<Word>{result.number});
  }
  void Fill(std::size_t i, const std::vector<Word>& words) {
    storage_[i].words.reserve(std::max<std::size_t>(words.size(), 1));  // never a null pointer
    for (const Word& word : words) storage_[i].words.push_back(Resolve(word));
    slots_[i].pointer = storage_[i].words.data();
  }
  void Fill(std::size_t i, const std::vector<double>& reals) {
    storage_[i].reals.reserve(std::max<std::size_t>(reals.size(), 1));
    storage_[i].reals.assign(reals.begin(), reals.end());
    slots_[i].pointer = storage_[i].reals.data();
  }
  // Out memory is zeroed, one byte longer than asked for so a text always ends, and never shorter
  // than the level text GetParameter may write through a void*.
  void Fill(std::size_t i, const OutValue& out) {
    storage_[i].out.assign(std::max<std::size_t>(out.size, ZNGERAN_LEVEL_TEXT_SIZE) + 1, '\0');
    slots_[i].pointer = storage_[i].out.data();
  }

  const Call& call_;
  const OutStore& outs_;
  std::vector<Storage> storage_;
  std::vector<Slot> slots_;
};

// "Name(arguments as written)".
std::string Echo(const Call& call) {
  std::string text = std::string(call.target->name) + "(";
  for (std::size_t i = 0; i < call.arguments.size(); ++i)
    text += (i > 0 ? ", " : "") + call.arguments[i].spelling;
  return text + ")";
}

std::string Head(const Call& call) { return "[" + std::to_string(call.where.line) + "] " + Echo(call); }

std::string Duration(std::chrono::steady_clock::duration elapsed) {
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  char text[32];
  if (milliseconds < 1000)
    std::snprintf(text, sizeof text, "%lld ms", static_cast<long long>(milliseconds));
  else
    std::snprintf(text, sizeof text, "%.1f s", milliseconds / 1000.0);
  return text;
}

std::string Verdict(const Call& call, int result) {
  if (!call.expected) return "";
  if (*call.expected == result) return "  ok";
  return "  FAILED: expected " + std::to_string(*call.expected);
}

std::string Shown(const OutResult& result) {
  if (result.text) return Quote(result.chars);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(result.number));
  return std::to_string(result.number) + " (" + hex + ")";
}

constexpr const char* kIndent = "     ";

constexpr const char* kNoConnection =
    "no connection to the test set (no InitialiseSystem() has returned -1), so this and every command "
    "after it returns 0";
constexpr const char* kSecondInitialise =
    "InitialiseSystem() was called before on this thread: the library connects once a thread, a second "
    "call returns 0";
constexpr const char* kNoMasterLoad =
    "no master parameter file is loaded (no LoadMasterParameterFile() has returned -1), so the cell "
    "has no levels and this returns 0";

// The size of the file at path, or 0 when there is none.
std::uintmax_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The bytes of the file at path from offset on ("" when there is none): what was added since a
// reader last looked.
std::string ReadFrom(const std::string& path, std::uintmax_t offset) {
  std::ifstream file(path, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What a trace file gains from here on: its size now, and the last line added later.
class TraceTail {
 public:
  explicit TraceTail(std::string path) : path_(std::move(path)), start_(FileSize(path_)) {}

  std::string LastLine() const {
    std::istringstream added(ReadFrom(path_, start_));
    std::string line, last;
    while (std::getline(added, line))
      if (line.erase(line.find_last_not_of("\r ") + 1); !line.empty()) last = line;
    return last;
  }

 private:
  const std::string path_;
  const std::uintmax_t start_;
};

// The call journal as the script's journal lines read it: before every call the cursor goes to its
// end, so the lines that follow a call read what that call made, in order. Each look reads only what
// was written since the last one; the library writes a call whole, so that always starts and ends at
// a call's boundary. A journal shorter than what was read was started afresh (a new connection).
class JournalCursor {
 public:
  explicit JournalCursor(std::string path) : path_(std::move(path)) {}

  void SkipToEnd() {
    ReadAdded();
    unread_.clear();
  }
  std::optional<journal::RecordedCall> Next() {
    if (unread_.empty()) ReadAdded();
    if (unread_.empty()) return std::nullopt;
    journal::RecordedCall call = std::move(unread_.front());
    unread_.pop_front();
    return call;
  }

 private:
  void ReadAdded() {
    if (FileSize(path_) < read_) {
      read_ = 0;
      linesRead_ = 0;
    }
    const std::string added = ReadFrom(path_, read_);
    for (journal::RecordedCall& call : journal::ParseRecording(added)) {
      call.line += linesRead_;
      unread_.push_back(std::move(call));
    }
    read_ += added.size();
    linesRead_ += static_cast<int>(std::count(added.begin(), added.end(), '\n'));
  }

  const std::string path_;
  std::uintmax_t read_ = 0;  // bytes of the journal parsed so far
  int linesRead_ = 0;        // and their lines
  std::deque<journal::RecordedCall> unread_;
};

std::string Echo(const JournalCheck& check) {
  return "[" + std::to_string(check.where.line) + "] " + check.spelling;
}

bool Holds(const JournalCheck& check, const std::optional<journal::RecordedCall>& line) {
  if (!line) return false;
  return check.pattern ? journal::MatchesPattern(line->call, check.expected) : line->call == check.expected;
}

std::string Found(const std::optional<journal::RecordedCall>& line) {
  return line ? "the journal has " + Quote(line->call) : "the journal has no further line";
}

// A call's result and what the library wrote during it.
struct Outcome {
  int result;
  std::string output;
};

class Runner {
 public:
  Runner(const Functions& functions, const RunOptions& options)
      : functions_(functions), options_(options), journal_(options.journal) {}

  Summary Run(const Script& script) {
    if (!options_.junit.empty())
      crashReport_.AlsoWriteJunit(options_.junit,
                                  JunitFailureHead(options_.suite, "the run", "crash", "the run crashed"),
                                  JunitFailureTail());
    for (auto step = script.steps.begin(); step != script.steps.end(); ++step) {
      const bool held = std::visit([this](const auto& item) { return Take(item); }, *step);
      if (!held && options_.stopOnFailure) return Stop(script, step + 1);
    }
    Close();
    return summary_;
  }

 private:
  Summary Stop(const Script& script, std::vector<Step>::const_iterator rest) {
    for (; rest != script.steps.end(); ++rest) std::visit([this](const auto& item) { Skip(item); }, *rest);
    const std::size_t skipped = script.CallCount() - callsMade_;
    std::printf("\nstopped at the first failed expectation; %s not made\n", Counted(skipped, "call").c_str());
    Close();
    return summary_;
  }

  // What a stop leaves unmade, for the report.
  void Skip(const Heading& heading) { heading_ = heading.text; }
  void Skip(const JournalCheck& check) {
    CurrentSection().calls.push_back(
        CallRecord{check.where.line, check.spelling, 0, std::nullopt, 0, "", true, "", true});
  }
  void Skip(const Call& call) {
    CurrentSection().calls.push_back(
        CallRecord{call.where.line, Echo(call), 0, call.expected, 0, "", false, "", true});
  }

  bool Take(const Heading& heading) {
    if (!options_.quiet) std::printf("\n== %s\n", heading.text.c_str());
    heading_ = heading.text;
    return true;
  }

  // Checks the journal's next line; false when it is not the one expected.
  bool Take(const JournalCheck& check) {
    if (!options_.quiet) std::printf("%s\n", Echo(check).c_str());
    const std::optional<journal::RecordedCall> line = journal_.Next();
    const bool held = Holds(check, line);
    (held ? summary_.passed : summary_.failed) += 1;
    const std::string failure =
        held ? "" : "line " + std::to_string(check.where.line) + ": " + check.spelling + ": " + Found(line);
    if (held) {
      if (!options_.quiet) std::printf("%sok\n", kIndent);
    } else {
      if (options_.quiet) std::printf("%s\n", Echo(check).c_str());
      std::printf("%sFAILED: %s\n", kIndent, Found(line).c_str());
      failures_.push_back("failed: " + failure);
    }
    std::fflush(stdout);
    CurrentSection().calls.push_back(
        CallRecord{check.where.line, check.spelling, 0, std::nullopt, 0, "", true, failure, false});
    return held;
  }

  // Runs one call; false when its expectation failed.
  bool Take(const Call& call) {
    const CrashReport::CallScope crashScope(crashReport_, call.where.line, Echo(call), summary_.passed,
                                            summary_.failed);
    ++callsMade_;
    if (!options_.journal.empty()) journal_.SkipToEnd();
    CallArguments arguments(call, outs_);
    if (!options_.quiet) std::printf("%s\n", Head(call).c_str());
    if (const std::optional<std::string> message = MessageName(call); message && !options_.quiet)
      std::printf("%smessage: %s\n", kIndent, message->c_str());
    std::fflush(stdout);
    const std::unique_ptr<CallWatch> watch = WatchFor(call.target->name, arguments.slots());
    std::optional<TraceTail> resultTrace;  // the library's only account of why a master load failed
    if (call.target->name == "LoadMasterParameterFile") resultTrace.emplace(kResultTrace.path);
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = Invoke(call, arguments, watch.get());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const bool held = Count(call, outcome.result);
    const bool shown = !options_.quiet || !held;
    const std::string conclusion = watch ? watch->Conclusion() : "";
    if (options_.quiet && shown) ShowHeld(call, outcome);
    if (options_.quiet && !shown && !conclusion.empty()) std::printf("%s\n", Head(call).c_str());
    if (shown) Report(call, outcome.result, elapsed);
    if (shown) Note(WhyZero(call, outcome.result, resultTrace));
    Track(call, outcome.result);
    Keep(arguments.Received());
    if (!conclusion.empty()) std::printf("%s%s\n", kIndent, conclusion.c_str());
    std::fflush(stdout);
    Record(call, outcome, elapsed);
    return held;
  }

  // Quiet runs hold the library's output and show only that of a failed call, after the call's line;
  // the output of the calls that held would stand alone, with no call to read it by.
  static void ShowHeld(const Call& call, const Outcome& outcome) {
    std::printf("%s\n", Head(call).c_str());
    std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
    if (!outcome.output.empty() && outcome.output.back() != '\n') std::printf("\n");
  }

  // Why a call returned 0, when the host can tell; "" otherwise. The missing connection is said once,
  // where it first shows.
  std::string WhyZero(const Call& call, int result, const std::optional<TraceTail>& resultTrace) {
    const std::string_view name = call.target->name;
    if (result != 0) return "";
    if (name == "InitialiseSystem")
      return initialised_ ? kSecondInitialise : RegisteredTestSetServer().empty() ? NotRegistered() : "";
    if (!connected_ && NeedsConnection(*call.target))
      return std::exchange(noConnectionSaid_, true) ? "" : kNoConnection;
    if ((name == "ConfigCch" || name == "EnableTrafficMultiframe") && !masterLoaded_) return kNoMasterLoad;
    if (resultTrace)
      if (const std::string line = resultTrace->LastLine(); !line.empty())
        return "the library's reason, in " + std::string(kResultTrace.path) + ": " + line;
    return "";
  }

  static std::string NotRegistered() {
    return "the test set's class is not registered, so there is nothing to connect to: to use the "
           "simulator, register it with regsvr32 " +
           BesideHost("TestSetSimulator.dll");
  }

  static void Note(const std::string& reason) {
    if (!reason.empty()) std::printf("%snote: %s\n", kIndent, reason.c_str());
  }

  // What the calls so far set up, for the reasons of later zeros and the closing lines.
  void Track(const Call& call, int result) {
    const std::string_view name = call.target->name;
    if (name == "InitialiseSystem") initialised_ = true;
    if (name == "InitialiseSystem" && result == ZNGERAN_SUCCESS) connected_ = true;
    if (name == "LoadMasterParameterFile" && result == ZNGERAN_SUCCESS) masterLoaded_ = true;
    if (!connected_ && NeedsConnection(*call.target)) ++unconnectedCommands_;
  }

  // The report's section of the current heading, begun with its first call or check.
  Section& CurrentSection() {
    if (summary_.sections.empty() || summary_.sections.back().heading != heading_)
      summary_.sections.push_back(Section{heading_, {}});
    return summary_.sections.back();
  }

  void Record(const Call& call, const Outcome& outcome, std::chrono::steady_clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    CurrentSection().calls.push_back(CallRecord{call.where.line, Echo(call), outcome.result, call.expected,
                                                seconds, outcome.output, false, "", false});
  }

  // Whether the call's expectation held, counted and remembered for the closing lines.
  bool Count(const Call& call, int result) {
    const bool held = !call.expected || *call.expected == result;
    (held ? summary_.passed : summary_.failed) += 1;
    if (!held)
      failures_.push_back("failed: line " + std::to_string(call.where.line) + ": " + Echo(call) +
                          " returned " + std::to_string(result) + ", expected " +
                          std::to_string(*call.expected));
    return held;
  }

  void Report(const Call& call, int result, std::chrono::steady_clock::duration elapsed) const {
    std::printf("%s= %d%s  (%s)\n", kIndent, result, Verdict(call, result).c_str(),
                Duration(elapsed).c_str());
  }

  // The call, with its progress line and the library's output relayed; the host's next line
  // starts on a line of its own.
  Outcome Invoke(const Call& call, const CallArguments& arguments, CallWatch* watch) const {
    OutputRelay output(options_.quiet ? OutputRelay::Mode::kHold : OutputRelay::Mode::kPassOn);
    std::optional<ProgressLine> progress;
    if (watch != nullptr && options_.progress) progress.emplace(*watch);
    const int result = call.target->invoke(reinterpret_cast<EntryPoint>(functions_.at(call.target->name)),
                                           arguments.slots());
    progress.reset();
    if (output.EndsMidLine() && !options_.quiet) std::printf("\n");
    return Outcome{result, output.Text()};
  }

  void Keep(const std::vector<std::pair<std::string, OutResult>>& received) {
    for (const auto& [name, result] : received) {
      if (!options_.quiet) std::printf("%s%s = %s\n", kIndent, name.c_str(), Shown(result).c_str());
      outs_[name] = result;
    }
  }

  void Close() const {
    if (unconnectedCommands_ > 0)
      std::printf(
          "\nnote: %s made without a connection to the test set (no InitialiseSystem() returned -1)\n",
          Counted(unconnectedCommands_, "test-set command").c_str());
    if (!failures_.empty()) std::printf("\n");
    for (const std::string& failure : failures_) std::printf("%s\n", failure.c_str());
    std::printf("%d passed, %d failed\n", summary_.passed, summary_.failed);
    std::fflush(stdout);
  }

  const Functions& functions_;
  const RunOptions& options_;
  CrashReport crashReport_;
  OutStore outs_;
  JournalCursor journal_;
  Summary summary_;
  std::size_t callsMade_ = 0;
  std::vector<std::string> failures_;    // one line per failed expectation
  std::optional<std::string> heading_;   // the section the calls go to
  bool initialised_ = false;             // an InitialiseSystem() was called (once a thread, it connects)
  bool connected_ = false;               // an InitialiseSystem() has succeeded
  bool masterLoaded_ = false;            // a LoadMasterParameterFile() has succeeded
  bool noConnectionSaid_ = false;        // the missing connection has been said
  std::size_t unconnectedCommands_ = 0;  // commands called while not connected
};

}  // namespace

Binding Bind(const Script& script, const std::function<FARPROC(const char* symbol)>& find) {
  Binding binding;
  for (const Step& step : script.steps) {
    const auto* call = std::get_if<Call>(&step);
    if (call == nullptr || binding.functions.count(call->target->name) > 0) continue;
    const FARPROC function = find(call->target->symbol);
    if (function == nullptr) binding.missing.push_back(call->target->symbol);
    binding.functions.emplace(call->target->name, function);
  }
  return binding;
}

Summary Run(const Script& script, const Functions& functions, const RunOptions& options) {
  return Runner(functions, options).Run(script);
}

int ExitCode(const Summary& summary) { return summary.failed == 0 ? 0 : 1; }

}  // namespace geran::host
