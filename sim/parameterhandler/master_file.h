// The master parameter file on disk: where it lives, reading it, and writing back one changed value.
#pragma once

#include "ParameterHandler.h"
#include "master_text.h"

#include <string>

namespace geran::handler {

// GERAN_MASTER_PARAMETER_FILE when it is set and not empty, else MasterParameters.ini beside this DLL.
std::wstring MasterFilePath();

// Reads and parses the file at path.
Outcome ReadMasterFile(const std::wstring& path, ParameterList& list);

// Replaces the value text of one parameter in the file at path, leaving every other byte as it was.
Outcome ReplaceValue(const std::wstring& path, const std::string& name, const std::string& value);

}  // namespace geran::handler
