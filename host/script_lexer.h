// The script language's text: its lines, and the tokens of one line (names, numbers, strings) with
// where each starts. What the tokens mean is the checker's business (script.cpp).
#pragma once

#include "argument_kinds.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geran::host {

struct Location {
  int line = 0;
  int column = 0;  // 1-based, in bytes
};

struct ScriptError {
  Location where;
  std::string message;
};

// A byte no script text holds: below 0x20, but the tab.
bool IsControl(char c);

// The lines of a script, without a UTF-8 byte order mark and line ends (LF or CRLF).
std::vector<std::string> SplitLines(std::string_view text);

// Why text is no script as a whole (UTF-16), if it is not.
std::optional<ScriptError> NotText(std::string_view text);

// The first control byte of a line (binary data, not text), if it has one.
std::optional<ScriptError> ControlByte(const std::string& line, int number);

// A line over 64 KiB, if it is one.
std::optional<ScriptError> TooLong(const std::string& line, int number);

// A string's bytes with its escapes as a script literal: "a\tb" -> "\"a\\tb\"".
std::string Quote(std::string_view bytes);

// Reads the tokens of one line from left to right; every error is thrown as a ScriptError.
class Lexer {
 public:
  Lexer(std::string_view text, int line) : text_(text), line_(line) {}

  Location Here() const { return {line_, static_cast<int>(pos_) + 1}; }
  Location JustBefore() const { return {line_, static_cast<int>(pos_)}; }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool AtEnd() const { return pos_ >= text_.size() || text_[pos_] == '#'; }
  bool StartsWith(std::string_view prefix) const { return text_.substr(pos_, prefix.size()) == prefix; }
  void Skip(std::size_t bytes) { pos_ += bytes; }
  void SkipSpace();

  // The text from start to here, as written.
  std::string_view Since(Location start) const;
  // The rest of the line without the spaces around it.
  std::string RestTrimmed() const;

  [[noreturn]] void Fail(std::string message) const { throw ScriptError{Here(), std::move(message)}; }
  [[noreturn]] static void FailAt(Location where, std::string message) {
    throw ScriptError{where, std::move(message)};
  }

  void Expect(char c, const char* what);
  std::string_view ReadName();         // "" when no name starts here
  std::string_view NextWord();         // the name that starts here, without reading it
  Form NextForm();                     // the form of the argument that starts here
  std::string Found(Form form) const;  // what the user wrote here, for a message

  std::string ReadString();
  std::int32_t ReadInteger();
  double ReadReal();
  float ReadFloat();

 private:
  std::string_view ReadNumberSpelling();
  char ReadEscape();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_;
};

}  // namespace geran::host
