// The master file's grammar: [group] headers, key = value lines, ; or # comments, blank lines.
#include "master_text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace geran::handler {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // an editor's UTF-8 mark, not text
constexpr std::string_view kUtf16Marks[] = {"\xFF\xFE", "\xFE\xFF"};

bool IsUtf16(std::string_view text) {
  for (const std::string_view mark : kUtf16Marks)
    if (text.substr(0, mark.size()) == mark) return true;
  return false;
}

// Where the first byte lies that no text line holds (a control character other than a tab).
size_t FirstControlByte(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (static_cast<unsigned char>(line[i]) < 0x20 && line[i] != '\t') return i;
  return std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Where the value of the key on a 1-based line starts: after the line's first '=' and its blanks.
size_t ValueOffset(const std::string& text, int lineNumber) {
  size_t lineStart = 0;
  for (int line = 1; line < lineNumber; ++line) lineStart = text.find('\n', lineStart) + 1;
  const size_t offset = text.find_first_not_of(kBlanks, text.find('=', lineStart) + 1);
  return offset == std::string::npos ? text.size() : offset;
}

class Parser {
 public:
  Parser(const std::string& fileName, ParameterList& list) : fileName_(fileName), list_(list) {}

  std::vector<LineFault> Parse(std::string_view text) {
    if (IsUtf16(text)) return {NotText("UTF-16; save the file as ANSI or UTF-8")};
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<LineFault> faults;
    for (size_t start = 0; start <= text.size(); ++lineNumber_) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      std::optional<LineFault> fault = CheckText(line);
      if (!fault) fault = ParseLine(Trim(line));
      if (fault) faults.push_back(std::move(*fault));
      start = end + 1;
    }
    return faults;
  }

 private:
  // Binary data, UTF-16 and overlong lines fail where they show, before the grammar looks at them.
  std::optional<LineFault> CheckText(std::string_view line) const {
    if (line.size() > kMaxLineBytes)
      return Fail(kMasterFileMalformedLine, "line too long: " + std::to_string(line.size()) +
                                                " bytes, at most " + std::to_string(kMaxLineBytes));
    const size_t control = FirstControlByte(line);
    if (control == std::string_view::npos) return std::nullopt;
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(line[control]));
    return NotText(std::string("control byte ") + byte + " at column " + std::to_string(control + 1));
  }

  std::optional<LineFault> ParseLine(std::string_view line) {
    if (line.empty() || line.front() == ';' || line.front() == '#') return std::nullopt;
    return line.front() == '[' ? ParseGroupHeader(line) : ParseEntry(line);
  }

  std::optional<LineFault> ParseGroupHeader(std::string_view line) {
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return Malformed("group header without a closing ']'");
    if (close + 1 != line.size()) return Malformed("text after the group header");
    const std::string_view group = Trim(line.substr(1, close - 1));
    if (group.empty()) return Malformed("empty group name");
    group_ = group;
    return std::nullopt;
  }

  std::optional<LineFault> ParseEntry(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      return Malformed("expected [group], key = value, a comment or a blank line");
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) return Malformed("empty key");
    if (group_.empty())
      return Fail(kMasterFileKeyOutsideGroup, "key " + Quoted(key) + " before the first [group]");
    const auto [entry, added] = list_.try_emplace(std::string(key));
    ParameterRecord& record = entry->second;
    if (!added)
      return Fail(kMasterFileDuplicateKey, "duplicate key " + Quoted(key) + ", first defined at line " +
                                               record.sourceLine + " in [" + record.group + "]");
    record.name = key;
    record.value = Trim(line.substr(equals + 1));
    record.group = group_;
    record.sourceFile = fileName_;
    record.sourceLine = std::to_string(lineNumber_);
    return std::nullopt;
  }

  LineFault Malformed(const std::string& what) const {
    return Fail(kMasterFileMalformedLine, "malformed line: " + what);
  }

  LineFault NotText(const std::string& what) const {
    return Fail(kMasterFileMalformedLine, "not a text file: " + what);
  }

  LineFault Fail(int code, const std::string& what) const { return {code, lineNumber_, what}; }

  const std::string& fileName_;
  ParameterList& list_;
  std::string group_;
  int lineNumber_ = 1;
};

}  // namespace

std::vector<LineFault> ParseEveryLine(std::string_view text, const std::string& fileName,
                                      ParameterList& list) {
  return Parser(fileName, list).Parse(text);
}

// The handler refuses a file at its first bad line; the lines after it cannot change that line's message.
Outcome ParseMasterText(std::string_view text, const std::string& fileName, ParameterList& list) {
  const std::vector<LineFault> faults = ParseEveryLine(text, fileName, list);
  if (faults.empty()) return {};
  list.clear();
  const LineFault& first = faults.front();
  return {first.code, "ParameterHandler: " + fileName + ":" + std::to_string(first.line) + ": " + first.what};
}

Outcome ReplaceValueInText(std::string& text, const std::string& fileName, const std::string& name,
                           const std::string& value) {
  ParameterList list;
  const Outcome parsed = ParseMasterText(text, fileName, list);
  if (!parsed.ok()) return parsed;
  const auto entry = list.find(name);
  if (entry == list.end())
    return {kParameterUnknown, "ParameterHandler: " + fileName + ": no parameter " + Quoted(name)};
  std::string edited = text;
  edited.replace(ValueOffset(text, std::atoi(entry->second.sourceLine.c_str())), entry->second.value.size(),
                 value);
  // A value that would leave the file unreadable (a control byte, an overlong line) is refused.
  ParameterList reread;
  const Outcome check = ParseMasterText(edited, fileName, reread);
  if (!check.ok()) return {kHandlerBadArgument, check.message};
  text = std::move(edited);
  return {};
}

}  // namespace geran::handler
