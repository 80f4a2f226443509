#include "script.h"

#include <parameters/parameter_names.h>
#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

namespace geran::host {
namespace {

// The ways an argument can be written.
enum Form : unsigned {
  kNumber = 1u << 0,
  kString = 1u << 1,
  kArray = 1u << 2,
  kReferenceForm = 1u << 3,
  kOut = 1u << 4,
  kNullForm = 1u << 5,
  kOther = 1u << 6,
};

struct KindRule {
  unsigned forms;
  const char* accepts;
};

KindRule RuleFor(Kind kind) {
  switch (kind) {
    case Kind::kInt:
      return {kNumber | kReferenceForm, "an integer or $name"};
    case Kind::kFloat:
      return {kNumber, "a number"};
    case Kind::kText:
      return {kString | kReferenceForm | kNullForm, "a string, $name or null"};
    case Kind::kTextBuffer:
      return {kOut | kNullForm, "out name[size] or null"};
    case Kind::kIntArray:
      return {kArray | kNullForm, "an integer array or null"};
    case Kind::kDoubleArray:
      return {kArray | kNullForm, "a number array or null"};
    case Kind::kOutInt:
      return {kOut | kNullForm, "out name or null"};
    case Kind::kOutValue:
      return {kOut | kNullForm, "out name, out name[size] or null"};
    case Kind::kValue:
      return {kString | kArray | kReferenceForm | kNullForm, "a string, an integer array, $name or null"};
  }
  return {0, ""};
}

const char* FormName(Form form) {
  switch (form) {
    case kNumber:
      return "a number";
    case kString:
      return "a string";
    case kArray:
      return "an array";
    case kReferenceForm:
      return "$name";
    case kOut:
      return "an out value";
    case kNullForm:
      return "null";
    default:
      return "something else";
  }
}

constexpr std::size_t kMaxBufferSize = 1 << 20;

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsKeyword(std::string_view name) { return name == "out" || name == "null" || name == "any"; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsHex(std::string_view digits) {
  return digits.size() > 1 && digits[0] == '0' && (digits[1] | 0x20) == 'x';
}

std::string Quoted(std::string_view spelling) { return "'" + std::string(spelling) + "'"; }

// Out values declared so far: name -> whether it holds a text (else a 32-bit integer).
using OutKinds = std::map<std::string, bool, std::less<>>;

// Parses one line; every error is thrown as a ScriptError.
class LineParser {
 public:
  LineParser(std::string_view text, int line, OutKinds& outs) : text_(text), line_(line), outs_(outs) {}

  std::optional<Step> Parse() {
    SkipSpace();
    if (text_.substr(pos_, 2) == "##") return Heading{Trimmed(text_.substr(pos_ + 2))};
    if (AtEnd()) return std::nullopt;
    if (NextWord() == "journal") return ParseJournalCheck();
    return ParseCall();
  }

 private:
  static std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    return first == std::string_view::npos ? "" : std::string(text.substr(first, last - first + 1));
  }

  Location Here() const { return {line_, static_cast<int>(pos_) + 1}; }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool AtEnd() const { return pos_ >= text_.size() || text_[pos_] == '#'; }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  [[noreturn]] void Fail(std::string message) const { throw ScriptError{Here(), std::move(message)}; }
  [[noreturn]] static void FailAt(Location where, std::string message) {
    throw ScriptError{where, std::move(message)};
  }

  void Expect(char c, const char* what) {
    SkipSpace();
    if (Peek() != c) Fail(std::string("expected ") + what);
    ++pos_;
  }

  std::string_view ReadName() {
    const std::size_t start = pos_;
    if (IsNameStart(Peek()))
      while (IsNameChar(Peek())) ++pos_;
    return text_.substr(start, pos_ - start);
  }

  std::string_view NextWord() {
    const std::size_t start = pos_;
    const std::string_view word = ReadName();
    pos_ = start;
    return word;
  }

  Step ParseJournalCheck() {
    JournalCheck check;
    check.where = Here();
    ReadName();  // "journal"
    SkipSpace();
    check.pattern = NextWord() == "like";
    if (check.pattern) {
      ReadName();
      SkipSpace();
    }
    if (Peek() != '"') Fail("expected \"text\" or like \"pattern\" after journal");
    check.expected = ReadString();
    check.spelling = std::string(text_.substr(check.where.column - 1, pos_ - (check.where.column - 1)));
    SkipSpace();
    if (!AtEnd()) Fail("unexpected text after the journal line");
    return check;
  }

  Step ParseCall() {
    Call call;
    call.where = Here();
    const std::string_view name = ReadName();
    if (name.empty()) Fail("expected an export call, like Reset()");
    call.target = FindExport(name);
    if (call.target == nullptr) FailAt(call.where, UnknownExport(name));
    Expect('(', ("'(' after " + std::string(name)).c_str());
    call.arguments = ParseArguments(*call.target);
    CheckBufferLengths(*call.target, call.arguments);
    CheckParameterOut(*call.target, call.arguments);
    call.expected = ParseExpectation();
    SkipSpace();
    if (!AtEnd()) Fail("unexpected text after the call");
    for (const Argument& argument : call.arguments)
      if (const auto* out = std::get_if<OutValue>(&argument.value)) outs_[out->name] = out->size > 0;
    return call;
  }

  // The int after a text buffer is the length the export may write into it (GetLogFileName): a larger
  // one than the buffer has would let the export write past the host's memory.
  static void CheckBufferLengths(const Export& target, const std::vector<Argument>& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
      const auto* buffer = std::get_if<OutValue>(&arguments[i].value);
      if (target.kinds[i] != Kind::kTextBuffer || target.kinds[i + 1] != Kind::kInt || buffer == nullptr)
        continue;
      const Argument& length = arguments[i + 1];
      const auto* word = std::get_if<Word>(&length.value);
      const auto* number = word == nullptr ? nullptr : std::get_if<std::int32_t>(word);
      const std::string holds = "out " + buffer->name + "[" + std::to_string(buffer->size) + "] holds " +
                                std::to_string(buffer->size) + " bytes";
      if (number == nullptr) FailAt(length.where, "write the length of the buffer as a number: " + holds);
      if (*number > 0 && static_cast<std::size_t>(*number) > buffer->size)
        FailAt(length.where, "length " + std::to_string(*number) + " is larger than the buffer: " + holds);
    }
  }

  // GetParameter hands out a level as text and the other values as numbers: an out value of the
  // other kind would show the wrong bytes. Checked where the name is written out.
  static void CheckParameterOut(const Export& target, const std::vector<Argument>& arguments) {
    if (target.name != "GetParameter") return;
    const auto* name = std::get_if<std::string>(&arguments[0].value);
    const auto* out = std::get_if<OutValue>(&arguments[2].value);
    const parameters::ParameterName* parameter =
        name == nullptr ? nullptr : parameters::FindParameterName(*name);
    if (out == nullptr || parameter == nullptr) return;
    const bool text = parameter->form == parameters::Form::kLevel;
    if (text == (out->size > 0)) return;
    FailAt(arguments[2].where, "parameter " + Quoted(*name) +
                                   (text ? " is a text: write out " + out->name + "[" +
                                               std::to_string(ZNGERAN_LEVEL_TEXT_SIZE) + "]"
                                         : " is a number: write out " + out->name));
  }

  static std::string UnknownExport(std::string_view name) {
    const std::string_view nearest = NearestExportName(name);
    if (nearest.empty()) return "unknown export " + Quoted(name) + " (geranhost --list shows them all)";
    return "unknown export " + Quoted(name) + "; did you mean " + Quoted(nearest) + "?";
  }

  std::vector<Argument> ParseArguments(const Export& target) {
    std::vector<Argument> arguments;
    SkipSpace();
    bool open = Peek() != ')';
    if (!open) ++pos_;
    while (open) {
      SkipSpace();
      if (AtEnd()) Fail("missing ')' at the end of the call");
      if (arguments.size() == target.kinds.size()) Fail(Plural(target) + ", not more: " + Signature(target));
      arguments.push_back(ParseArgument(target, arguments.size()));
      SkipSpace();
      open = Peek() != ')';
      if (open && Peek() != ',') Fail("expected ',' or ')'");
      ++pos_;
    }
    if (arguments.size() < target.kinds.size())
      FailAt({line_, static_cast<int>(pos_)},
             Plural(target) + ", " + std::to_string(arguments.size()) + " given: " + Signature(target));
    return arguments;
  }

  static std::string Plural(const Export& target) {
    const std::size_t count = target.kinds.size();
    return std::string(target.name) + " takes " + std::to_string(count) +
           (count == 1 ? " argument" : " arguments");
  }

  Form NextForm() {
    const char c = Peek();
    if (c == '"') return kString;
    if (c == '[') return kArray;
    if (c == '$') return kReferenceForm;
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') return kNumber;
    const std::size_t start = pos_;
    const std::string_view word = ReadName();
    pos_ = start;
    if (word == "out") return kOut;
    if (word == "null") return kNullForm;
    return kOther;
  }

  Argument ParseArgument(const Export& target, std::size_t index) {
    Argument argument;
    argument.where = Here();
    const Kind kind = target.kinds[index];
    const Form form = NextForm();
    const KindRule rule = RuleFor(kind);
    const std::string what = "argument " + std::to_string(index + 1) + " of " + std::string(target.name);
    if ((rule.forms & form) == 0) Fail(what + " takes " + rule.accepts + ", not " + Found(form));
    argument.value = ParseValue(form, kind, what);
    argument.spelling =
        std::string(text_.substr(argument.where.column - 1, pos_ - (argument.where.column - 1)));
    return argument;
  }

  // What the user wrote where something else was needed.
  std::string Found(Form form) const {
    if (form != kOther) return FormName(form);
    if (AtEnd()) return "the end of the line";
    std::size_t end = pos_;
    while (end < text_.size() && IsNameChar(text_[end])) ++end;
    return Quoted(text_.substr(pos_, std::max<std::size_t>(end - pos_, 1)));
  }

  Value ParseValue(Form form, Kind kind, const std::string& what) {
    switch (form) {
      case kNumber:
        if (kind == Kind::kFloat) return ParseFloat();
        return Word(ParseInteger());
      case kString:
        return ReadString();
      case kArray:
        return kind == Kind::kDoubleArray ? Value(ParseRealArray()) : Value(ParseWordArray());
      case kReferenceForm:
        return ParseReference(kind, what);
      case kOut:
        return ParseOut(kind, what);
      default:
        pos_ += 4;
        return Null{};  // "null"
    }
  }

  std::string_view ReadNumberSpelling() {
    const std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      const bool sign = (c == '+' || c == '-') && (text_[pos_ - 1] | 0x20) == 'e' &&
                        !IsHex(text_.substr(start + (text_[start] == '-'), 2));
      if (!IsNameChar(c) && c != '.' && !sign) break;
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

  std::int32_t ParseInteger() {
    const Location where = Here();
    const std::string_view spelling = ReadNumberSpelling();
    const bool negative = spelling.substr(0, 1) == "-";
    const std::string_view digits = spelling.substr(negative ? 1 : 0);
    const bool hex = IsHex(digits);
    if (!hex && digits.find_first_of(".eE") != std::string_view::npos && Real(spelling))
      FailAt(where, Quoted(spelling) + " is not an integer");
    const std::string_view body = hex ? digits.substr(2) : digits;
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(body.data(), body.data() + body.size(), magnitude, hex ? 16 : 10);
    if (body.empty() || (error != std::errc() && error != std::errc::result_out_of_range) ||
        end != body.data() + body.size())
      FailAt(where, Quoted(spelling) + " is not a number");
    const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
    if (error == std::errc::result_out_of_range || magnitude > limit)
      FailAt(where, Quoted(spelling) + " does not fit in 32 bits");
    const std::uint32_t bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    return static_cast<std::int32_t>(bits);
  }

  // The value of a decimal real spelling (optional f suffix), or nothing when it is not one.
  static std::optional<double> Real(std::string_view spelling) {
    if (!spelling.empty() && (spelling.back() == 'f' || spelling.back() == 'F')) spelling.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(spelling.data(), spelling.data() + spelling.size(), value,
                                              std::chars_format::general);
    if (spelling.empty() || error != std::errc() || end != spelling.data() + spelling.size() ||
        !std::isfinite(value))
      return std::nullopt;
    return value;
  }

  double ParseReal() {
    const std::size_t start = pos_;
    const std::string_view spelling = ReadNumberSpelling();
    const std::string_view digits = spelling.substr(spelling.substr(0, 1) == "-" ? 1 : 0);
    if (IsHex(digits)) {
      pos_ = start;
      return ParseInteger();
    }
    const std::optional<double> value = Real(spelling);
    if (!value) FailAt({line_, static_cast<int>(start) + 1}, Quoted(spelling) + " is not a number");
    return *value;
  }

  float ParseFloat() {
    const Location where = Here();
    const double value = ParseReal();
    if (std::fabs(value) > FLT_MAX)
      FailAt(where,
             Quoted(text_.substr(where.column - 1, pos_ - (where.column - 1))) + " does not fit in a float");
    return static_cast<float>(value);
  }

  template <class Element>
  std::vector<Element> ParseArray(Element (LineParser::*element)()) {
    ++pos_;  // '['
    std::vector<Element> items;
    items.reserve(1);  // an empty array still passes a valid pointer
    SkipSpace();
    if (Peek() == ']') {
      ++pos_;
      return items;
    }
    for (;;) {
      SkipSpace();
      items.push_back((this->*element)());
      SkipSpace();
      if (Peek() == ']') break;
      if (Peek() != ',') Fail("expected ',' or ']'");
      ++pos_;
    }
    ++pos_;
    return items;
  }

  Word ParseWord() {
    if (Peek() == '$') return std::get<Reference>(ParseReference(Kind::kInt, "an array element"));
    if (NextForm() != kNumber) Fail("expected an integer or $name");
    return ParseInteger();
  }

  double ParseRealElement() {
    if (NextForm() != kNumber) Fail("expected a number");
    return ParseReal();
  }

  std::vector<Word> ParseWordArray() { return ParseArray(&LineParser::ParseWord); }
  std::vector<double> ParseRealArray() { return ParseArray(&LineParser::ParseRealElement); }

  Value ParseReference(Kind kind, const std::string& what) {
    const Location where = Here();
    ++pos_;  // '$'
    const std::string name(ReadName());
    if (name.empty()) Fail("expected a name after '$'");
    const auto found = outs_.find(name);
    if (found == outs_.end()) FailAt(where, "no out value named " + Quoted(name) + " before this line");
    const bool text = found->second;
    if (kind == Kind::kInt && text) FailAt(where, "$" + name + " holds a text; " + what + " is an integer");
    if (kind == Kind::kText && !text) FailAt(where, "$" + name + " holds an integer; " + what + " is a text");
    return Reference{name};
  }

  Value ParseOut(Kind kind, const std::string& what) {
    pos_ += 3;  // "out"
    SkipSpace();
    const Location where = Here();
    OutValue out{std::string(ReadName()), 0};
    if (out.name.empty() || IsKeyword(out.name)) FailAt(where, "expected a name after 'out'");
    if (Peek() == '[') out.size = ParseBufferSize();
    if (kind == Kind::kTextBuffer && out.size == 0)
      FailAt(where, what + " is a text buffer: write out " + out.name + "[size]");
    if (kind == Kind::kOutInt && out.size > 0)
      FailAt(where, what + " is a 32-bit integer: write out " + out.name + " without a size");
    return out;
  }

  std::size_t ParseBufferSize() {
    ++pos_;  // '['
    SkipSpace();
    const Location where = Here();
    const std::int32_t size = ParseInteger();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxBufferSize)
      FailAt(where, "a buffer size is 1 to " + std::to_string(kMaxBufferSize) + " bytes");
    Expect(']', "']'");
    return static_cast<std::size_t>(size);
  }

  std::string ReadString() {
    const Location start = Here();
    ++pos_;  // '"'
    std::string bytes;
    for (;;) {
      if (pos_ >= text_.size()) FailAt(start, "unterminated string");
      const char c = text_[pos_++];
      if (c == '"') return bytes;
      bytes += c == '\\' ? ReadEscape() : c;
    }
  }

  char ReadEscape() {
    const Location backslash{line_, static_cast<int>(pos_)};
    const char c = Peek();
    ++pos_;
    switch (c) {
      case 'n':
        return '\n';
      case 't':
        return '\t';
      case 'r':
        return '\r';
      case '\\':
        return '\\';
      case '"':
        return '"';
      case 'x': {
        const int high = HexDigit(Peek());
        const int low = high < 0 ? -1 : HexDigit(pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0');
        if (low < 0) FailAt(backslash, "\\x needs two hex digits");
        pos_ += 2;
        return static_cast<char>(high * 16 + low);
      }
      default:
        FailAt(backslash,
               "unknown escape '\\" + std::string(1, c) + "' (use \\n \\t \\r \\\\ \\\" or \\xNN)");
    }
  }

  std::optional<std::int32_t> ParseExpectation() {
    SkipSpace();
    if (text_.substr(pos_, 2) != "=>") return std::nullopt;
    pos_ += 2;
    SkipSpace();
    if (NextForm() == kNumber) return ParseInteger();
    const Location where = Here();
    if (ReadName() != "any") FailAt(where, "expected a result or 'any' after '=>'");
    return std::nullopt;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_;
  OutKinds& outs_;
};

std::vector<std::string> SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

constexpr std::size_t kMaxLineBytes = 64 * 1024;
constexpr std::size_t kExcerptBytes = 160;  // of a long line, the part shown under an error

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

bool IsUtf16(std::string_view text) {
  const std::string_view start = text.substr(0, 2);
  return start == "\xFF\xFE" || start == "\xFE\xFF";
}

ScriptError LineTooLong(const std::string& line, int number) {
  return {
      {number, 1},
      "line too long: " + std::to_string(line.size()) + " bytes, at most " + std::to_string(kMaxLineBytes)};
}

// The first control byte of a line (binary data, not text), if it has one.
std::optional<ScriptError> ControlByte(const std::string& line, int number) {
  const auto control = std::find_if(line.begin(), line.end(), IsControl);
  if (control == line.end()) return std::nullopt;
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(*control));
  return ScriptError{
      {number, static_cast<int>(control - line.begin()) + 1},
      std::string("not a text file: control byte ") + byte + " (in a string, write \\x" + (byte + 2) + ")"};
}

// What FormatError shows of a line: at most kExcerptBytes around the column, control bytes as '?'
// (one column each, so the caret still points at the right byte).
struct Excerpt {
  std::string text;
  std::size_t caret;  // where the caret goes, 0-based
};

Excerpt ExcerptAround(const std::string& line, int column) {
  const std::size_t at = std::min(static_cast<std::size_t>(std::max(column, 1) - 1), line.size());
  const std::size_t start = at < kExcerptBytes ? 0 : at - kExcerptBytes / 2;
  Excerpt excerpt{start > 0 ? "..." : "", 0};
  excerpt.caret = excerpt.text.size() + at - start;
  excerpt.text += line.substr(start, kExcerptBytes);
  std::replace_if(excerpt.text.begin(), excerpt.text.end(), IsControl, '?');
  if (start + kExcerptBytes < line.size()) excerpt.text += "...";
  return excerpt;
}

}  // namespace

std::size_t Script::CallCount() const {
  std::size_t count = 0;
  for (const Step& step : steps) count += std::holds_alternative<Call>(step) ? 1 : 0;
  return count;
}

bool Script::ChecksJournal() const {
  return std::any_of(steps.begin(), steps.end(),
                     [](const Step& step) { return std::holds_alternative<JournalCheck>(step); });
}

Script ParseScript(std::string_view text) {
  Script script;
  script.lines = SplitLines(text);
  if (IsUtf16(text)) {
    script.errors.push_back({{1, 1}, "not a text file: UTF-16; save the script as ANSI or UTF-8"});
    return script;
  }
  OutKinds outs;
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (std::optional<ScriptError> error = ControlByte(script.lines[i], number)) {
      script.errors.push_back(std::move(*error));
      break;  // binary data: errors for the lines after it would be noise
    }
    if (script.lines[i].size() > kMaxLineBytes) {
      script.errors.push_back(LineTooLong(script.lines[i], number));
      continue;
    }
    try {
      LineParser parser(script.lines[i], number, outs);
      if (std::optional<Step> step = parser.Parse()) script.steps.push_back(std::move(*step));
    } catch (const ScriptError& error) {
      script.errors.push_back(error);
    }
  }
  return script;
}

std::string FormatError(const Script& script, std::string_view file, const ScriptError& error) {
  std::string text = std::string(file) + ":" + std::to_string(error.where.line) + ":" +
                     std::to_string(error.where.column) + ": " + error.message + "\n";
  const Excerpt excerpt =
      ExcerptAround(script.lines.at(static_cast<std::size_t>(error.where.line) - 1), error.where.column);
  text += "    " + excerpt.text + "\n    ";
  for (std::size_t i = 0; i < excerpt.caret; ++i) text += excerpt.text[i] == '\t' ? '\t' : ' ';
  return text + "^\n";
}

std::string Quote(std::string_view bytes) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string text = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      text += {'\\', c};
    else if (c == '\n')
      text += "\\n";
    else if (c == '\t')
      text += "\\t";
    else if (c == '\r')
      text += "\\r";
    else if (byte < 0x20 || byte >= 0x7F)
      text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    else
      text += c;
  }
  return text + "\"";
}

}  // namespace geran::host
