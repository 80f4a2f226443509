// The script language of geranhost (.gts): one export call a line, parsed and checked as a whole.
#pragma once

#include "exports.h"
#include "script_lexer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace geran::host {

struct Null {};

// $name: the value an earlier out argument received.
struct Reference {
  std::string name;
};

// An integer, or $name of an integer out value.
using Word = std::variant<std::int32_t, Reference>;

// out name (size 0: a 32-bit integer) or out name[size] (a text buffer of size bytes).
struct OutValue {
  std::string name;
  std::size_t size = 0;
};

using Value =
    std::variant<Null, Word, float, std::string, Reference, std::vector<Word>, std::vector<double>, OutValue>;

struct Argument {
  Value value;
  std::string spelling;  // as written, for the call's echo
  Location where;
};

struct Call {
  const Export* target = nullptr;
  std::vector<Argument> arguments;
  std::optional<std::int32_t> expected;  // none: any result passes
  Location where;
};

// A comment line starting with "##", shown in the output.
struct Heading {
  std::string text;
};

// journal "text" or journal like "pattern": the next line of the call journal, from the first line of
// the call before on, must be text, or match pattern ('*' any run of characters, '?' any one, '\'
// the next one literally).
struct JournalCheck {
  std::string expected;
  bool pattern = false;
  std::string spelling;  // the line as written, for the echo
  Location where;
};

using Step = std::variant<Heading, Call, JournalCheck>;

struct Script {
  std::vector<Step> steps;
  std::vector<ScriptError> errors;  // the first error of every bad line, up to the first binary one
  std::vector<std::string> lines;   // the source, for error excerpts

  std::size_t CallCount() const;
  bool ChecksJournal() const;
};

// Parses and checks the whole text (arguments against the prototypes, out names before use). Text
// that is no script fails too: UTF-16, a control byte, a line over 64 KiB.
Script ParseScript(std::string_view text);

// "file:line:col: message", then the source line with a caret under the column.
std::string FormatError(const Script& script, std::string_view file, const ScriptError& error);

}  // namespace geran::host
