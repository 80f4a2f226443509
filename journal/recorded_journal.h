// A recorded call journal, as the library's recording layer writes it and geranhost reads it: one line
// per call, "<ms since connecting>\t<call>\t<HRESULT>", then "\t<description>" for a failure that has one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geran::journal {

// A whole line with its line end: time with 3 decimals, call, HRESULT as 0x%08X, and the description
// (UTF-8) quoted with \\ \t \n \r escaped, so neither it nor the HRESULT can hold a tab.
std::string RecordedLine(double milliseconds, const std::string& call, long hresult,
                         const std::optional<std::string>& description);

struct RecordedCall {
  int line = 0;         // where the call starts in the file, from 1
  std::string time;     // milliseconds since connecting, as written
  std::string call;     // the call in the simulator's journal format
  std::string outcome;  // the HRESULT, and a tab and the description when there is one
};

// The calls of a recording. A line that does not start with a time continues the call before it: a
// text argument with a line break, written unescaped as the simulator journals it.
std::vector<RecordedCall> ParseRecording(std::string_view text);

// The index of the first call that differs in its call or outcome (times are ignored), the shorter
// one's end when one recording is a prefix of the other; nothing when both hold the same calls.
std::optional<std::size_t> FirstDifference(const std::vector<RecordedCall>& a,
                                           const std::vector<RecordedCall>& b);

// Whether a call's text matches a pattern: '*' any run of characters, '?' any one, '\' takes the
// next character literally.
bool MatchesPattern(std::string_view text, std::string_view pattern);

}  // namespace geran::journal
