// geranhost --compare: two recorded call journals side by side, call by call, times left out.
#pragma once

#include <string>

namespace geran::host {

struct NamedJournal {
  std::string name;  // as the user wrote it, for the report
  std::string text;
};

struct Comparison {
  bool same = false;
  std::string report;  // what geranhost prints
  std::string error;   // "name line N: why" of a line that is no journal line; then nothing compared
};

// Each line a journal line, or the first that is not one as the error. The same calls: one line
// saying so. A difference: where it is, the calls before it, then each
// journal's calls from there on, a few of them.
Comparison CompareJournals(const NamedJournal& a, const NamedJournal& b);

}  // namespace geran::host
