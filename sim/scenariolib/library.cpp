#include "library.h"

#include <cstdio>
#include <map>
#include <utility>

namespace scenario {
namespace {

struct LibraryState {
  std::vector<std::string> calls;
  std::map<Entry, int> forcedResults;
  bool callboxOn = false;
};

LibraryState state;

}  // namespace

void RecordCall(std::string call) { state.calls.push_back(std::move(call)); }

const std::vector<std::string>& RecordedCalls() { return state.calls; }

void ForceResult(Entry entry, int value) { state.forcedResults[entry] = value; }

std::optional<int> ForcedResult(Entry entry) {
  const auto forced = state.forcedResults.find(entry);
  if (forced == state.forcedResults.end()) return std::nullopt;
  return forced->second;
}

bool CallboxOn() { return state.callboxOn; }

void SetCallbox(bool on) { state.callboxOn = on; }

void ResetLibrary() { state = LibraryState(); }

void ReportProblem(const std::string& problem) {
  std::fprintf(stderr, "scenario: %s\n", problem.c_str());
  std::fflush(stderr);
}

}  // namespace scenario
