// The master parameter file: where it lives, how its text becomes a ParameterList, how a value changes.
#pragma once

#include "ParameterHandler.h"

#include <string>
#include <string_view>

namespace geran::handler {

// An entry point's code, and on failure the one line that says what went wrong and where.
struct Outcome {
  int code = kHandlerOk;
  std::string message;
  bool ok() const { return code == kHandlerOk; }
};

// GERAN_MASTER_PARAMETER_FILE when it is set and not empty, else MasterParameters.ini beside this DLL.
std::wstring MasterFilePath();

// Parses a master file's text; fileName only appears in messages and records. On failure the list
// is left empty.
Outcome ParseMasterText(std::string_view text, const std::string& fileName, ParameterList& list);

// Reads and parses the file at path.
Outcome ReadMasterFile(const std::wstring& path, ParameterList& list);

// Replaces the value text of one parameter in the file at path, leaving every other byte as it was.
Outcome ReplaceValue(const std::wstring& path, const std::string& name, const std::string& value);

}  // namespace geran::handler
