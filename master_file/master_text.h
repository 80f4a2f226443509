// The master parameter file's text: parsing it into a ParameterList and changing one value in it.
// Plain C++ without platform calls, so the native fuzz build runs it too.
#pragma once

#include "ParameterHandlerCodes.h"
#include "ParameterList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace geran::handler {

// An entry point's code, and on failure the one line that says what went wrong and where.
struct Outcome {
  int code = kHandlerOk;
  std::string message;
  bool ok() const { return code == kHandlerOk; }
};

// The longest line a master file may hold, in bytes without its line end.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// A line the grammar refuses: the handler's code for it, its 1-based number and what is wrong.
struct LineFault {
  int code = kHandlerOk;
  int line = 0;
  std::string what;
};

// Parses a master file's text; fileName only appears in messages and records. On failure the list
// is left empty.
Outcome ParseMasterText(std::string_view text, const std::string& fileName, ParameterList& list);

// Parses every line, as a checker needs: the lines the grammar refuses, in order, and the records of
// the lines it accepts (a key's first definition). A UTF-16 file is one fault at line 1.
std::vector<LineFault> ParseEveryLine(std::string_view text, const std::string& fileName,
                                      ParameterList& list);

// Replaces the value text of one parameter in text, leaving every other byte as it was.
Outcome ReplaceValueInText(std::string& text, const std::string& fileName, const std::string& name,
                           const std::string& value);

}  // namespace geran::handler
