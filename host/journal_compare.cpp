#include "journal_compare.h"

#include "wording.h"

#include <journal/recorded_journal.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace geran::host {
namespace {

constexpr std::size_t kContextBefore = 3;
constexpr std::size_t kShownFrom = 3;  // calls of each journal shown from the difference on

using Calls = std::vector<journal::RecordedCall>;

// "  call 12  ConfigCch(...)  0x80004005 \"cell busy\"" with the mark in front.
std::string Shown(const char* mark, std::size_t index, const journal::RecordedCall& call) {
  std::string outcome = call.outcome;
  std::replace(outcome.begin(), outcome.end(), '\t', ' ');
  return std::string(mark) + "call " + std::to_string(index + 1) + "  " + call.call + "  " + outcome + "\n";
}

std::string From(const char* mark, const NamedJournal& journal, const Calls& calls, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < std::min(calls.size(), first + kShownFrom); ++i)
    text += Shown(mark, i, calls[i]);
  if (first + kShownFrom > calls.size()) text += std::string(mark) + "(end of " + journal.name + ")\n";
  return text;
}

std::string Where(const NamedJournal& journal, const Calls& calls, std::size_t index) {
  return index < calls.size() ? journal.name + " line " + std::to_string(calls[index].line)
                              : "the end of " + journal.name;
}

// "name line N: why" of the first call that is no recorded call; "" when every one is.
std::string FirstUnreadable(const NamedJournal& journal, const Calls& calls) {
  for (const journal::RecordedCall& call : calls)
    if (const std::optional<std::string> problem = journal::Unreadable(call))
      return journal.name + " line " + std::to_string(call.line) + ": " + *problem;
  return "";
}

}  // namespace

Comparison CompareJournals(const NamedJournal& a, const NamedJournal& b) {
  const Calls callsA = journal::ParseRecording(a.text);
  const Calls callsB = journal::ParseRecording(b.text);
  for (const auto& [journal, calls] : {std::pair(&a, &callsA), std::pair(&b, &callsB)})
    if (std::string error = FirstUnreadable(*journal, *calls); !error.empty()) return {false, "", error};
  const std::optional<std::size_t> difference = journal::FirstDifference(callsA, callsB);
  if (!difference)
    return {true,
            a.name + " and " + b.name + " hold the same " + Counted(callsA.size(), "call") +
                " (times not compared)\n",
            ""};
  const std::size_t at = *difference;
  std::string report = a.name + " and " + b.name + " differ at call " + std::to_string(at + 1) + " (" +
                       Where(a, callsA, at) + ", " + Where(b, callsB, at) + "):\n";
  for (std::size_t i = at - std::min(at, kContextBefore); i < at; ++i) report += Shown("  ", i, callsA[i]);
  return {false, report + From("- ", a, callsA, at) + From("+ ", b, callsB, at), ""};
}

}  // namespace geran::host
