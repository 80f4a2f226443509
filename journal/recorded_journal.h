// A recorded call journal, as the library's recording layer writes it, geranhost reads it and the
// simulator replays it: one line per call, "<ms since connecting>\t<call>\t<HRESULT>", then
// "\t<description>" for a failure that has one, then "\t=> <out value>" for a call that hands one out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace geran::journal {

// An object a call handed out, by its kind and its number in the order the journal saw them.
struct ObjectName {
  std::string kind;
  long number = 0;
  bool operator==(const ObjectName& other) const { return kind == other.kind && number == other.number; }
};

// An out value as a recorded line holds it: null (a null text or object), a number (every integer
// the test set hands out fits a double exactly), a text (UTF-8) or an object.
using RecordedValue = std::variant<std::monostate, double, std::string, ObjectName>;

// "null", a number that reads back exactly (%.17g), a text quoted with \\ \t \n \r escaped (so it
// holds no tab), "Kind#number".
std::string FormatValue(const RecordedValue& value);
// The value FormatValue wrote; nothing for any other text.
std::optional<RecordedValue> ParseValue(std::string_view text);

// A whole line with its line end: time with 3 decimals, call, HRESULT as 0x%08X, the description
// (UTF-8) as a quoted text, and "=> " and the out value; neither field after the call holds a tab.
std::string RecordedLine(double milliseconds, const std::string& call, long hresult,
                         const std::optional<std::string>& description,
                         const std::optional<RecordedValue>& output = std::nullopt);

struct RecordedCall {
  int line = 0;         // where the call starts in the file, from 1
  std::string time;     // milliseconds since connecting, as written
  std::string call;     // the call in the simulator's journal format
  std::string outcome;  // the HRESULT, and a tab and the description when there is one
  std::string output;   // the out value as written, without its "=> "; empty when there is none
};

// A call's outcome read: its HRESULT and the description; nothing when outcome is no outcome.
struct Outcome {
  long hresult = 0;
  std::optional<std::string> description;
};
std::optional<Outcome> ParseOutcome(std::string_view outcome);

// Why a call of a recording is no recorded call (no time, no outcome, an out value that cannot be
// read back); nothing when it is one.
std::optional<std::string> Unreadable(const RecordedCall& call);

// The calls of a recording. A line that does not start with a time continues the call before it: a
// text argument with a line break, written unescaped as the simulator journals it.
std::vector<RecordedCall> ParseRecording(std::string_view text);

// The index of the first call that differs in its call or outcome (times and out values are ignored), the
// shorter one's end when one recording is a prefix of the other; nothing when both hold the same calls.
std::optional<std::size_t> FirstDifference(const std::vector<RecordedCall>& a,
                                           const std::vector<RecordedCall>& b);

// Whether a call's text matches a pattern: '*' any run of characters, '?' any one, '\' takes the
// next character literally.
bool MatchesPattern(std::string_view text, std::string_view pattern);

}  // namespace geran::journal
