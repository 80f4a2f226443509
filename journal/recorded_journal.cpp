#include "journal/recorded_journal.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace geran::journal {
namespace {

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\t')
      escaped += "\\t";
    else if (c == '\n')
      escaped += "\\n";
    else if (c == '\r')
      escaped += "\\r";
    else
      escaped += c;
  }
  return escaped;
}

constexpr std::string_view kOutputMark = "=> ";

// The text Escaped made of it; nothing for a backslash that escapes nothing of ours.
std::optional<std::string> Unescaped(std::string_view escaped) {
  std::string text;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '\\') {
      text += escaped[i];
      continue;
    }
    const char next = ++i < escaped.size() ? escaped[i] : '\0';
    if (next == '\\' || next == 't' || next == 'n' || next == 'r')
      text += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
    else
      return std::nullopt;
  }
  return text;
}

std::string Quoted(const std::string& text) { return '"' + Escaped(text) + '"'; }

std::optional<long> ParseNumber(std::string_view digits) {
  long number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

std::optional<double> ParseDouble(std::string_view text) {
  const std::string terminated(text);
  char* end = nullptr;
  const double number = std::strtod(terminated.c_str(), &end);
  if (terminated.empty() || std::isspace(static_cast<unsigned char>(terminated[0])) ||
      end != terminated.c_str() + terminated.size())
    return std::nullopt;
  return number;
}

// "Kind#number": the kind a name of letters and digits, the number from 1.
std::optional<ObjectName> ParseObjectName(std::string_view text) {
  const std::size_t hash = text.find('#');
  if (hash == 0 || hash == std::string_view::npos) return std::nullopt;
  const std::string_view kind = text.substr(0, hash);
  const std::optional<long> number = ParseNumber(text.substr(hash + 1));
  const bool named = std::all_of(kind.begin(), kind.end(),
                                 [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
  if (!named || !number || *number < 1) return std::nullopt;
  return ObjectName{std::string(kind), *number};
}

// Moves a trailing "\t=> value" of the call's text to its output.
void SplitOutput(RecordedCall& call) {
  const std::size_t tab = call.call.rfind('\t');
  if (tab == std::string::npos || call.call.compare(tab + 1, kOutputMark.size(), kOutputMark) != 0) return;
  call.output = call.call.substr(tab + 1 + kOutputMark.size());
  call.call.erase(tab);
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The length of "digits.ddd\t" at the start of line, 0 when it does not start with a time.
std::size_t TimeLength(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i == 0 || line.substr(i, 1) != ".") return 0;
  const std::size_t point = i++;
  while (i < line.size() && IsDigit(line[i])) ++i;
  return i - point == 4 && line.substr(i, 1) == "\t" ? i : 0;
}

// Splits the call's "call\tHRESULT[\t"description"]" from the right: neither the HRESULT nor the
// description holds a tab, while a text argument of the call may.
void SplitOutcome(RecordedCall& call) {
  std::size_t tab = call.call.rfind('\t');
  if (tab != std::string::npos && tab > 0 && call.call.compare(tab + 1, 1, "\"") == 0)
    tab = call.call.rfind('\t', tab - 1);
  if (tab == std::string::npos) return;
  call.outcome = call.call.substr(tab + 1);
  call.call.erase(tab);
}

// How many pattern characters match the text character c: 2 for an escaped one, 1 for '?' or the
// character itself, 0 for no match (or no pattern left).
std::size_t MatchWidth(char c, std::string_view pattern) {
  if (pattern.empty() || pattern[0] == '*') return 0;
  if (pattern[0] == '\\' && pattern.size() > 1) return pattern[1] == c ? 2 : 0;
  return pattern[0] == '?' || pattern[0] == c ? 1 : 0;
}

}  // namespace

std::string FormatValue(const RecordedValue& value) {
  if (const auto* number = std::get_if<double>(&value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", *number);
    return text;
  }
  if (const auto* text = std::get_if<std::string>(&value)) return Quoted(*text);
  if (const auto* object = std::get_if<ObjectName>(&value))
    return object->kind + "#" + std::to_string(object->number);
  return "null";
}

std::optional<RecordedValue> ParseValue(std::string_view text) {
  if (text == "null") return RecordedValue();
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    if (std::optional<std::string> unescaped = Unescaped(text.substr(1, text.size() - 2))) return *unescaped;
    return std::nullopt;
  }
  if (std::optional<ObjectName> object = ParseObjectName(text)) return *object;
  if (const std::optional<double> number = ParseDouble(text)) return *number;
  return std::nullopt;
}

std::string RecordedLine(double milliseconds, const std::string& call, long hresult,
                         const std::optional<std::string>& description,
                         const std::optional<RecordedValue>& output) {
  char time[32];
  std::snprintf(time, sizeof time, "%.3f\t", milliseconds);
  char result[16];
  std::snprintf(result, sizeof result, "\t0x%08lX", static_cast<unsigned long>(hresult));
  std::string line = time + call + result;
  if (description) line += "\t" + Quoted(*description);
  if (output) line += "\t" + std::string(kOutputMark) + FormatValue(*output);
  return line + "\n";
}

std::optional<Outcome> ParseOutcome(std::string_view outcome) {
  const std::size_t tab = outcome.find('\t');
  const std::string_view result = outcome.substr(0, tab);
  unsigned long hresult = 0;
  const char* const end = result.data() + result.size();
  if (result.size() != 10 || result.substr(0, 2) != "0x" ||
      std::from_chars(result.data() + 2, end, hresult, 16).ptr != end)
    return std::nullopt;
  Outcome read{static_cast<long>(hresult), std::nullopt};
  if (tab == std::string_view::npos) return read;
  const std::optional<RecordedValue> description = ParseValue(outcome.substr(tab + 1));
  if (!description || !std::holds_alternative<std::string>(*description)) return std::nullopt;
  read.description = std::get<std::string>(*description);
  return read;
}

std::optional<std::string> Unreadable(const RecordedCall& call) {
  if (call.time.empty()) return std::string("no time at the start of the line");
  if (!ParseOutcome(call.outcome))
    return std::string("no result after the call (0x and eight hex digits, then a quoted description)");
  if (!call.output.empty() && !ParseValue(call.output))
    return "an out value that cannot be read: " + call.output;
  return std::nullopt;
}

std::vector<RecordedCall> ParseRecording(std::string_view text) {
  std::vector<RecordedCall> calls;
  for (int number = 1; !text.empty(); ++number) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t time = TimeLength(line);
    if (time == 0 && !calls.empty()) {
      calls.back().call += "\n" + std::string(line);
      continue;
    }
    RecordedCall call;
    call.line = number;
    call.time = std::string(line.substr(0, time));
    call.call = std::string(line.substr(time == 0 ? 0 : time + 1));  // with its outcome until split
    calls.push_back(std::move(call));
  }
  for (RecordedCall& call : calls) {
    SplitOutput(call);
    SplitOutcome(call);
  }
  return calls;
}

std::optional<std::size_t> FirstDifference(const std::vector<RecordedCall>& a,
                                           const std::vector<RecordedCall>& b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i].call != b[i].call || a[i].outcome != b[i].outcome) return i;
  if (a.size() == b.size()) return std::nullopt;
  return std::min(a.size(), b.size());
}

bool MatchesPattern(std::string_view text, std::string_view pattern) {
  std::size_t t = 0, p = 0;
  std::optional<std::size_t> afterStar;  // where the pattern goes on after the last '*'
  std::size_t starText = 0;              // how much text that '*' has taken so far ends here
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starText = t;
    } else if (const std::size_t width = MatchWidth(text[t], pattern.substr(p)); width > 0) {
      p += width;
      ++t;
    } else if (afterStar) {
      p = *afterStar;  // the '*' takes one more character
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace geran::journal
