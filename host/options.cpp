#include "options.h"

#include "exports.h"

#include <TestSetSimNames.h>
#include <testset/settle_wait.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>

namespace geran::host {
namespace {

// "--name=value" or "--name value": the value, taken from the next argument when needed.
std::string ValueOf(const std::string& option, std::string_view name, const std::vector<std::string>& args,
                    std::size_t& index) {
  if (option.size() > name.size()) return option.substr(name.size() + 1);
  if (index + 1 >= args.size()) throw UsageError(std::string(name) + " needs a value");
  return args[++index];
}

// A 32-bit value, decimal or 0x hex, optionally negative; nothing when text is not one.
std::optional<long> Parse32(std::string_view text) {
  const bool negative = text.substr(0, 1) == "-";
  std::string_view digits = text.substr(negative ? 1 : 0);
  const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
  if (hex) digits.remove_prefix(2);
  std::uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, hex ? 16 : 10);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      magnitude > 0xFFFFFFFFull)
    return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude));
}

// "Name=number...": the name, the number and what follows the number from the first ':' on.
struct Assignment {
  std::string name;
  long number;
  std::optional<std::string_view> rest;
};

Assignment ParseAssignmentOrThrow(std::string_view text, bool withRest, const std::string& usage) {
  const std::size_t equals = text.find('=');
  const std::string_view value = equals == std::string_view::npos ? "" : text.substr(equals + 1);
  const std::size_t colon = withRest ? value.find(':') : std::string_view::npos;
  const std::optional<long> number = Parse32(value.substr(0, colon));
  if (equals == 0 || !number) throw UsageError(usage + ", not '" + std::string(text) + "'");
  Assignment assignment{std::string(text.substr(0, equals)), *number, std::nullopt};
  if (colon != std::string_view::npos) assignment.rest = value.substr(colon + 1);
  return assignment;
}

// The two journals after --compare.
std::vector<std::string> ComparedOrThrow(const std::vector<std::string>& args, std::size_t& index) {
  if (index + 2 >= args.size()) throw UsageError("--compare needs two journals");
  index += 2;
  return {args[index - 1], args[index]};
}

std::string Unquoted(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return std::string(text);
}

// A count after its marker at the end of name ("@N", "*K"), cut off; nothing when there is none.
// False when the marker is there but the count is no number of at least 1.
bool SplitCount(std::string& name, char marker, int& count) {
  const std::size_t at = name.rfind(marker);
  if (at == std::string::npos) return true;
  const std::optional<long> number = Parse32(std::string_view(name).substr(at + 1));
  if (!number || *number < 1) return false;
  count = static_cast<int>(*number);
  name.resize(at);
  return true;
}

// "Method[@N][*K]" in fault.method: the N-th call on (N from 1), K calls. False when the name, N
// or K is missing or bad. Without K, @N fails one call and no @N every call.
bool SplitCallNumbers(SimFault& fault) {
  int times = 0;
  if (!SplitCount(fault.method, '*', times) || (times > 0 && fault.crash)) return false;
  if (!SplitCount(fault.method, '@', fault.call)) return false;
  if (!fault.crash) fault.times = times > 0 ? times : fault.call > 0 ? 1 : 0;
  return !fault.method.empty();
}

// A name the simulator knows, or a UsageError with the nearest one.
template <std::size_t N>
void CheckKnownOrThrow(const std::string& name, const std::string_view (&known)[N], const char* what) {
  if (std::find(std::begin(known), std::end(known), name) != std::end(known)) return;
  const std::string_view nearest =
      NearestName(name, std::vector<std::string_view>(std::begin(known), std::end(known)));
  throw UsageError("the test-set simulator has no " + std::string(what) + " '" + name + "'" +
                   (nearest.empty() ? "" : "; did you mean " + std::string(nearest) + "?") +
                   " (docs/simulator.md lists them)");
}

// An HRESULT that fails (bit 31 set), written as 0x hex or a negative decimal: "80004005" reads as a
// decimal success code, which would arm nothing and let the run pass.
void CheckFailureCodeOrThrow(std::string_view value, long hresult) {
  const std::string_view code = value.substr(0, value.find(':'));
  const bool hex = code.size() > 2 && code[0] == '0' && (code[1] == 'x' || code[1] == 'X');
  if (hresult < 0 && (hex || code.front() == '-')) return;
  const std::string hint = hresult < 0 || hex ? "" : "; did you mean 0x" + std::string(code) + "?";
  throw UsageError(
      "--sim-fail needs a failure code, an HRESULT with bit 31 set, as 0x hex or a negative "
      "decimal, not '" +
      std::string(code) + "'" + hint);
}

// The options the usage text names (it names every one): words of one or two '-' and a letter.
std::vector<std::string_view> OptionNames(std::string_view usage) {
  std::vector<std::string_view> names;
  for (std::size_t at = usage.find('-'); at != std::string_view::npos; at = usage.find('-', at + 1)) {
    const bool starts = at == 0 || usage[at - 1] == ' ' || usage[at - 1] == '\n';
    const std::size_t end = usage.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", at + 1);
    const std::string_view word = usage.substr(at, end - at);
    const std::size_t letter = word.find_first_not_of('-');
    if (starts && letter != std::string_view::npos && letter <= 2) names.push_back(word);
  }
  return names;
}

std::string UnknownOption(std::string_view option) {
  static const std::string usage = Usage();
  const std::string_view nearest = NearestName(option, OptionNames(usage));
  return "unknown option '" + std::string(option) + "'" +
         (nearest.empty() ? "" : "; did you mean " + std::string(nearest) + "?");
}

}  // namespace

SimFault ParseSimFaultOrThrow(std::string_view text) {
  const std::string usage = "--sim-fail needs Method[@N][*K]=0xHRESULT[:\"description\"] or Method[@N]=crash";
  const std::size_t equals = text.find('=');
  SimFault fault;
  if (equals != std::string_view::npos && text.substr(equals + 1) == "crash") {
    fault.method = std::string(text.substr(0, equals));
    fault.crash = true;
  } else {
    const Assignment assignment = ParseAssignmentOrThrow(text, true, usage);
    CheckFailureCodeOrThrow(text.substr(equals + 1), assignment.number);
    fault.method = assignment.name;
    fault.hresult = assignment.number;
    if (assignment.rest) fault.description = Unquoted(*assignment.rest);
  }
  if (!SplitCallNumbers(fault)) throw UsageError(usage + ", not '" + std::string(text) + "'");
  CheckKnownOrThrow(fault.method, geran::sim::kMethodNames, "method");
  return fault;
}

SimValue ParseSimValueOrThrow(std::string_view text) {
  const Assignment assignment = ParseAssignmentOrThrow(text, false, "--sim-value needs Name=number");
  CheckKnownOrThrow(assignment.name, geran::sim::kValueNames, "value");
  return SimValue{assignment.name, assignment.number};
}

Options ParseCommandLineOrThrow(const std::vector<std::string>& args) {
  Options options;
  const std::map<std::string_view, bool Options::*> flags = {
      {"--check", &Options::check},
      {"--strict-messages", &Options::strictMessages},
      {"--quiet", &Options::quiet},
      {"-q", &Options::quiet},
      {"--stop-on-failure", &Options::stopOnFailure},
      {"-x", &Options::stopOnFailure},
      {"--no-progress", &Options::noProgress},
      {"--list", &Options::list},
      {"--help", &Options::help},
      {"--no-connect-wait", &Options::noConnectWait},
      {"-h", &Options::help},
      {"--version", &Options::version},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string_view name = std::string_view(arg).substr(0, arg.find('='));
    if (const auto flag = flags.find(arg); flag != flags.end())
      options.*flag->second = true;
    else if (name == "--dll")
      options.dll = ValueOf(arg, name, args, i);
    else if (name == "--journal")
      options.journal = ValueOf(arg, name, args, i);
    else if (name == "--replay")
      options.replay = ValueOf(arg, name, args, i);
    else if (arg == "--compare")
      options.compare = ComparedOrThrow(args, i);
    else if (name == "--junit")
      options.junit = ValueOf(arg, name, args, i);
    else if (name == "--check-master")
      options.checkMaster = ValueOf(arg, name, args, i);
    else if (name == "--pcap")
      options.pcap = ValueOf(arg, name, args, i);
    else if (name == "--sim-fail")
      options.faults.push_back(ParseSimFaultOrThrow(ValueOf(arg, name, args, i)));
    else if (name == "--sim-value")
      options.values.push_back(ParseSimValueOrThrow(ValueOf(arg, name, args, i)));
    else if (arg.size() > 1 && arg[0] == '-')
      throw UsageError(UnknownOption(name));
    else if (!options.script.empty())
      throw UsageError("one script at a time ('" + arg + "' is a second one)");
    else
      options.script = arg;
  }
  if (!options.replay.empty() && (!options.faults.empty() || !options.values.empty()))
    throw UsageError("--replay answers every call as recorded: it takes no --sim-fail or --sim-value");
  if (!options.compare.empty() && !options.script.empty())
    throw UsageError("--compare takes no script ('" + options.script + "')");
  if (options.script.empty() && options.compare.empty() && options.checkMaster.empty() && !options.help &&
      !options.version && !options.list)
    throw UsageError("no script given");
  return options;
}

std::string Usage() {
  return R"usage(usage: geranhost [options] SCRIPT.gts
       geranhost --compare JOURNAL_A JOURNAL_B
       geranhost --check-master FILE
       geranhost --pcap OUT.pcap JOURNAL

Runs a test script against znGeranApiInterfaceDll.dll: one export call a line, in order, on one
thread. Every line is checked before the first call; a bad script calls nothing.

options:
  --dll PATH          the library to load (default: znGeranApiInterfaceDll.dll beside geranhost.exe)
  --journal FILE      record every call the library makes on the test set in FILE (a call journal,
                      see docs/call-journal.md)
  --replay FILE       let the test-set simulator play the recorded journal FILE: each call is answered
                      as recorded (result, error description, out values); the first call that
                      departs from the recording fails, naming the expected and the received call,
                      and the run exits with 1 (as when recorded calls are left unmade); see
                      docs/replay.md
  --compare A B       compare two call journals call by call, times left out: prints the first
                      difference with the calls around it, no script is run (exit status 0 the
                      same calls, 1 a difference)
  --sim-fail Method[@N][*K]=0xHRESULT[:"description"]
                      make the test-set simulator fail every call of Method (with @N: only its N-th
                      call; with *K: K calls, from the N-th or the first on) with that HRESULT and
                      error description; the HRESULT a failure code, 0x hex or a negative decimal
                      (repeatable; needs TestSetSimulator.dll beside geranhost.exe and registered
                      from there, or the run is refused)
  --sim-fail Method[@N]=crash
                      make the N-th (default: first) call of Method crash the host, to try a crash
  --sim-value Name=N  set a value of the test-set simulator before the script runs, e.g.
                      RealTimeWait=1 or FerPermille=20 (repeatable; see docs/simulator.md)
                      (an unknown Method or Name is refused, with the nearest known one)
  --no-connect-wait   skip the library's )usage" +
         std::to_string(kSettleMilliseconds / 1000) + R"usage( s wait after InitialiseSystem connects: for the
                      simulator only, a real test set needs the wait
  --junit FILE        also write the run to FILE as JUnit XML, for CI servers: a test case per
                      "##" section (without headings: per call with an expectation)
  --check-master FILE check a master parameter file instead of running a script: every line the
                      library ignores or reads differently from what it says (exit 1 if any), and
                      every line its parameter handler refuses (exit 2: the file never loads)
  --check             parse and check the script, call nothing; a layer-3 message in an array that
                      is short or inconsistent is a warning (docs/layer3.md)
  --strict-messages   make such a message a script error instead
  --pcap OUT.pcap     write the layer-3 messages of the run to OUT.pcap (GSMTAP, for Wireshark); with
                      a call journal in place of the script, convert the journal (docs/layer3.md)
  --list              list the 50 exports with their argument kinds
  -q, --quiet         show only failed calls, results of BER runs and the closing line
  -x, --stop-on-failure
                      stop at the first failed expectation
  --no-progress       no live status of long calls on stderr (default: shown on a terminal)
  -h, --help          this text
  --version           the version

script lines:
  ConfigCch(1, 0, 20, 0, 0, 0, 0, 5, 0, 1) => -1     call, expect -1 (no =>, or => any: any result)
  ChangeTxPower(-85.5f, 1)                           a float where the prototype takes one
  SendSIMsg(2, [0x06, 0x1F, 0], 3)                   an array of 32-bit integers
  CipherMode(1, 1, 0, [0.5, 255.9], 2, null, 0, 1)   an array of doubles, a null pointer
  ShowText("cell\tready\x21", 11)                    a string with escapes \n \t \r \\ \" \xNN
  GetAccessBurst(out burst)                          an out value, printed and reusable as $burst
  GetLogFileName(out log[256], 256)                  an out text buffer of 256 bytes
  journal "Reset()"                                  the next call the test set received (exactly)
  journal like "ConfigCch(1, *)"                     ... or matching a pattern (docs/call-journal.md)
  # a comment          ## a heading shown in the output

exit status: 0 every expectation held, 1 an expectation failed (or a replay departed), 2 a bad
command line, script, library or journal, a simulator setting that cannot apply or a report that
cannot be created, all before the first call, 3 the run crashed. The last line of the output is "N passed, N failed", or after a crash
"N passed, N failed; the run crashed at line L".
)usage";
}

}  // namespace geran::host
