// What the scenario library's parts share: the call journal, forced results, the call box mode.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scenario {

enum class Entry { RunTestScript, CallboxModeStartStop };

void RecordCall(std::string call);
const std::vector<std::string>& RecordedCalls();

// A forced result replaces the entry's work until ResetLibrary.
void ForceResult(Entry entry, int value);
std::optional<int> ForcedResult(Entry entry);

bool CallboxOn();
void SetCallbox(bool on);

void ResetLibrary();

// Writes "scenario: <problem>" and a line end to standard error.
void ReportProblem(const std::string& problem);

}  // namespace scenario
