#include "journal/recorded_journal.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

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

std::string RecordedLine(double milliseconds, const std::string& call, long hresult,
                         const std::optional<std::string>& description) {
  char time[32];
  std::snprintf(time, sizeof time, "%.3f\t", milliseconds);
  char result[16];
  std::snprintf(result, sizeof result, "\t0x%08lX", static_cast<unsigned long>(hresult));
  std::string line = time + call + result;
  if (description) line += "\t\"" + Escaped(*description) + "\"";
  return line + "\n";
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
  for (RecordedCall& call : calls) SplitOutcome(call);
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
