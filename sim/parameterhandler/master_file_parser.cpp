// The master file's grammar: [group] headers, key = value lines, ; or # comments, blank lines.
#include "master_file.h"

namespace geran::handler {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // an editor's UTF-8 mark, not text

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

class Parser {
 public:
  Parser(const std::string& fileName, ParameterList& list) : fileName_(fileName), list_(list) {}

  Outcome Parse(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    for (size_t start = 0; start <= text.size(); ++lineNumber_) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      Outcome outcome = ParseLine(Trim(line));
      if (!outcome.ok()) return outcome;
      start = end + 1;
    }
    return {};
  }

 private:
  Outcome ParseLine(std::string_view line) {
    if (line.empty() || line.front() == ';' || line.front() == '#') return {};
    return line.front() == '[' ? ParseGroupHeader(line) : ParseEntry(line);
  }

  Outcome ParseGroupHeader(std::string_view line) {
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return Malformed("group header without a closing ']'");
    if (close + 1 != line.size()) return Malformed("text after the group header");
    const std::string_view group = Trim(line.substr(1, close - 1));
    if (group.empty()) return Malformed("empty group name");
    group_ = group;
    return {};
  }

  Outcome ParseEntry(std::string_view line) {
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
    return {};
  }

  Outcome Malformed(const std::string& what) const {
    return Fail(kMasterFileMalformedLine, "malformed line: " + what);
  }

  Outcome Fail(int code, const std::string& what) const {
    return {code, "ParameterHandler: " + fileName_ + ":" + std::to_string(lineNumber_) + ": " + what};
  }

  const std::string& fileName_;
  ParameterList& list_;
  std::string group_;
  int lineNumber_ = 1;
};

}  // namespace

Outcome ParseMasterText(std::string_view text, const std::string& fileName, ParameterList& list) {
  Outcome outcome = Parser(fileName, list).Parse(text);
  if (!outcome.ok()) list.clear();
  return outcome;
}

}  // namespace geran::handler
