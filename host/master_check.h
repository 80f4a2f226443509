// --check-master: the lines of a master parameter file that the library will ignore or read
// differently from what they say.
#pragma once

#include <ParameterList.h>

#include <string>
#include <string_view>
#include <vector>

namespace geran::host {

struct MasterProblem {
  int line = 0;
  std::string message;
  bool refused = false;  // a line ParameterHandler.dll refuses: the whole load fails
};

// Every problem of a parsed master file: a group the library does not read (at its first
// key), a key unknown in its group (with the nearest known one) or one that belongs to the other
// group, a number whose text is not wholly one, an 8-bit value outside 0..255, a slot value that
// is neither 0 nor 1, a text outside a key's list of texts, a PBCCH value other than 1, a comment
// written after a value (it is read as part of the value).
std::vector<MasterProblem> CheckMaster(const ParameterList& list);

// A master file's text parsed as ParameterHandler.dll parses it, then checked, in one pass: the lines
// the handler refuses and the lines the library reads otherwise, by line.
struct MasterCheck {
  std::size_t keys = 0;
  std::vector<MasterProblem> problems;
  bool Refused() const;
};
MasterCheck CheckMasterText(std::string_view text, const std::string& fileName);

}  // namespace geran::host
