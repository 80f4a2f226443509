#include "script_lexer.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace geran::host {
namespace {

constexpr std::size_t kMaxLineBytes = 64 * 1024;

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsHex(std::string_view digits) {
  return digits.size() > 1 && digits[0] == '0' && (digits[1] | 0x20) == 'x';
}

std::string Quoted(std::string_view spelling) { return "'" + std::string(spelling) + "'"; }

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

// The value of a decimal real spelling (optional f suffix), or nothing when it is not one.
std::optional<double> Real(std::string_view spelling) {
  if (!spelling.empty() && (spelling.back() == 'f' || spelling.back() == 'F')) spelling.remove_suffix(1);
  double value = 0;
  const auto [end, error] =
      std::from_chars(spelling.data(), spelling.data() + spelling.size(), value, std::chars_format::general);
  if (spelling.empty() || error != std::errc() || end != spelling.data() + spelling.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

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

std::optional<ScriptError> NotText(std::string_view text) {
  const std::string_view start = text.substr(0, 2);
  if (start != "\xFF\xFE" && start != "\xFE\xFF") return std::nullopt;
  return ScriptError{{1, 1}, "not a text file: UTF-16; save the script as ANSI or UTF-8"};
}

std::optional<ScriptError> ControlByte(const std::string& line, int number) {
  const auto control = std::find_if(line.begin(), line.end(), IsControl);
  if (control == line.end()) return std::nullopt;
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(*control));
  return ScriptError{
      {number, static_cast<int>(control - line.begin()) + 1},
      std::string("not a text file: control byte ") + byte + " (in a string, write \\x" + (byte + 2) + ")"};
}

std::optional<ScriptError> TooLong(const std::string& line, int number) {
  if (line.size() <= kMaxLineBytes) return std::nullopt;
  return ScriptError{
      {number, 1},
      "line too long: " + std::to_string(line.size()) + " bytes, at most " + std::to_string(kMaxLineBytes)};
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

void Lexer::SkipSpace() {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

std::string_view Lexer::Since(Location start) const {
  const std::size_t from = static_cast<std::size_t>(start.column) - 1;
  return text_.substr(from, pos_ - from);
}

std::string Lexer::RestTrimmed() const {
  const std::string_view rest = text_.substr(pos_);
  const auto first = rest.find_first_not_of(" \t");
  const auto last = rest.find_last_not_of(" \t");
  return first == std::string_view::npos ? "" : std::string(rest.substr(first, last - first + 1));
}

void Lexer::Expect(char c, const char* what) {
  SkipSpace();
  if (Peek() != c) Fail(std::string("expected ") + what);
  ++pos_;
}

std::string_view Lexer::ReadName() {
  const std::size_t start = pos_;
  if (IsNameStart(Peek()))
    while (IsNameChar(Peek())) ++pos_;
  return text_.substr(start, pos_ - start);
}

std::string_view Lexer::NextWord() {
  const std::size_t start = pos_;
  const std::string_view word = ReadName();
  pos_ = start;
  return word;
}

Form Lexer::NextForm() {
  const char c = Peek();
  if (c == '"') return kString;
  if (c == '[') return kArray;
  if (c == '$') return kReferenceForm;
  if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') return kNumber;
  const std::string_view word = NextWord();
  if (word == "out") return kOut;
  if (word == "null") return kNullForm;
  return kOther;
}

std::string Lexer::Found(Form form) const {
  if (form != kOther) return FormName(form);
  if (AtEnd()) return "the end of the line";
  std::size_t end = pos_;
  while (end < text_.size() && IsNameChar(text_[end])) ++end;
  return Quoted(text_.substr(pos_, std::max<std::size_t>(end - pos_, 1)));
}

std::string Lexer::ReadString() {
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

char Lexer::ReadEscape() {
  const Location backslash = JustBefore();
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
      FailAt(backslash, "unknown escape '\\" + std::string(1, c) + "' (use \\n \\t \\r \\\\ \\\" or \\xNN)");
  }
}

std::string_view Lexer::ReadNumberSpelling() {
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

std::int32_t Lexer::ReadInteger() {
  const Location where = Here();
  const std::string_view spelling = ReadNumberSpelling();
  const bool negative = spelling.substr(0, 1) == "-";
  const std::string_view digits = spelling.substr(negative ? 1 : 0);
  const bool hex = IsHex(digits);
  if (!hex && digits.find_first_of(".eE") != std::string_view::npos && Real(spelling))
    FailAt(where, Quoted(spelling) + " is not an integer");
  const std::string_view body = hex ? digits.substr(2) : digits;
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), magnitude, hex ? 16 : 10);
  if (body.empty() || (error != std::errc() && error != std::errc::result_out_of_range) ||
      end != body.data() + body.size())
    FailAt(where, Quoted(spelling) + " is not a number");
  const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
  if (error == std::errc::result_out_of_range || magnitude > limit)
    FailAt(where, Quoted(spelling) + " does not fit in 32 bits");
  const std::uint32_t bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return static_cast<std::int32_t>(bits);
}

double Lexer::ReadReal() {
  const Location where = Here();
  const std::string_view spelling = ReadNumberSpelling();
  const std::string_view digits = spelling.substr(spelling.substr(0, 1) == "-" ? 1 : 0);
  if (IsHex(digits)) {
    pos_ = static_cast<std::size_t>(where.column) - 1;
    return ReadInteger();
  }
  const std::optional<double> value = Real(spelling);
  if (!value) FailAt(where, Quoted(spelling) + " is not a number");
  return *value;
}

float Lexer::ReadFloat() {
  const Location where = Here();
  const double value = ReadReal();
  if (std::fabs(value) > FLT_MAX) FailAt(where, Quoted(Since(where)) + " does not fit in a float");
  return static_cast<float>(value);
}

}  // namespace geran::host
