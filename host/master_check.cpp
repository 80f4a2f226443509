#include "master_check.h"

#include "exports.h"

#include <master_text.h>
#include <parameters/parameter_table.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>

namespace geran::host {
namespace {

using parameters::Field;
using parameters::FindMasterKey;
using parameters::FoundKey;
using parameters::Reading;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "the value "62a" reads as 62": the start of a problem with a value.
std::string ValueReads(const ParameterRecord& record, const std::string& reading) {
  return Quoted(record.name) + " = " + Quoted(record.value) + " reads as " + reading;
}

// The whole text as a 32-bit integer (sign and decimal digits only), or nothing.
std::optional<long long> WholeInteger(const std::string& text) {
  const std::size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
  if (text.size() == digits || text.find_first_not_of("0123456789", digits) != std::string::npos ||
      text.size() > 18)
    return std::nullopt;
  return std::strtoll(text.c_str(), nullptr, 10);
}

std::optional<std::string> CheckInteger(const ParameterRecord& record, bool byte) {
  const std::optional<long long> whole = WholeInteger(record.value);
  if (!whole)
    return ValueReads(record, std::to_string(std::atoi(record.value.c_str())) + ": not a whole number");
  if (*whole < INT32_MIN || *whole > UINT32_MAX)
    return Quoted(record.name) + " = " + Quoted(record.value) +
           " is beyond 32 bits: what it reads as depends on the C runtime";
  if (byte && (*whole < 0 || *whole > 255))
    return ValueReads(record, std::to_string(static_cast<unsigned char>(*whole)) +
                                  ": an 8-bit value keeps its low 8 bits (0 to 255)");
  return std::nullopt;
}

std::optional<std::string> CheckReal(const ParameterRecord& record) {
  const char* text = record.value.c_str();
  char* end = nullptr;
  const double read = std::strtod(text, &end);
  if (!record.value.empty() && *end == '\0') return std::nullopt;
  char shown[32];
  std::snprintf(shown, sizeof shown, "%g", read);
  return ValueReads(record, std::string(shown) + ": not wholly a number (the decimal separator is '.')");
}

template <std::size_t N>
std::optional<std::string> CheckMapped(const ParameterRecord& record, const std::string_view (&texts)[N]) {
  if (std::find(std::begin(texts), std::end(texts), record.value) != std::end(texts)) return std::nullopt;
  std::string known;
  for (const std::string_view text : texts) known += (known.empty() ? "" : ", ") + Quoted(text);
  return ValueReads(record, "0 (" + Quoted(texts[0]) + "): the texts are " + known + ", exactly");
}

std::optional<std::string> CheckValue(const ParameterRecord& record, const Field& key) {
  switch (key.reading) {
    case Reading::kInteger:
    case Reading::kUnsigned:
      return CheckInteger(record, false);
    case Reading::kByte:
      return CheckInteger(record, true);
    case Reading::kReal:
      return CheckReal(record);
    case Reading::kNetworkMode:
      return CheckMapped(record, parameters::kNetworkModes);
    case Reading::kChannelRequestType:
      return CheckMapped(record, parameters::kChannelRequestTypes);
    case Reading::kPresence:
      if (record.value == "1") return std::nullopt;
      return ValueReads(record, "1: the key turns PBCCH on whatever its value");
    case Reading::kSlot:
      if (record.value == "0" || record.value == "1") return std::nullopt;
      return ValueReads(record, "0 (timeslot not marked): a slot key takes 0 or 1");
    case Reading::kNone:
      break;
  }
  return std::nullopt;
}

// A value that reads as written once a trailing "# ..." or "; ..." is cut off: the file's comments
// take a line of their own, so the mark and what follows became part of the value.
std::optional<std::string> CheckWithComment(const ParameterRecord& record, const Field& key) {
  std::optional<std::string> problem = CheckValue(record, key);
  const std::size_t mark = record.value.find_first_of("#;");
  if (!problem || mark == std::string::npos || mark == 0) return problem;
  ParameterRecord uncommented = record;
  uncommented.value = record.value.substr(0, record.value.find_last_not_of(" \t", mark - 1) + 1);
  if (CheckValue(uncommented, key)) return problem;
  return Quoted(record.name) + " = " + Quoted(record.value) +
         ": a comment after a value is part of the value; put it on a line of its own";
}

// The names a group's keys are written as (slot keys with their digits).
std::vector<std::string> KeysOf(std::string_view group) {
  std::vector<std::string> keys;
  for (const Field& key : parameters::kFields) {
    if (key.group != group) continue;
    if (key.reading != Reading::kSlot) keys.emplace_back(key.key);
    for (int slot = 0; key.reading == Reading::kSlot && slot <= parameters::kLastSlot; ++slot)
      keys.push_back(std::string(key.key) + std::to_string(slot));
  }
  return keys;
}

std::string UnknownKey(const ParameterRecord& record) {
  const std::string_view other =
      record.group == parameters::kGsmGroup ? parameters::kGprsGroup : parameters::kGsmGroup;
  if (FindMasterKey(other, record.name).entry != nullptr)
    return "key " + Quoted(record.name) + " belongs to [" + std::string(other) + "], not [" + record.group +
           "]: ignored here";
  const std::vector<std::string> keys = KeysOf(record.group);
  const std::string_view nearest =
      NearestName(record.name, std::vector<std::string_view>(keys.begin(), keys.end()));
  return "unknown key " + Quoted(record.name) + " in [" + record.group + "], ignored" +
         (nearest.empty() ? "" : "; did you mean " + Quoted(nearest) + "?");
}

bool ReadGroup(const std::string& group) {
  return group == parameters::kGsmGroup || group == parameters::kGprsGroup;
}

int LineOf(const ParameterRecord& record) { return std::atoi(record.sourceLine.c_str()); }

// One problem for each group the library does not read, at the first of its keys in the file.
void CheckGroups(const ParameterList& list, std::vector<MasterProblem>& problems) {
  std::map<std::string, int> firstLines;
  for (const auto& [name, record] : list)
    if (!ReadGroup(record.group)) {
      const auto [place, added] = firstLines.emplace(record.group, LineOf(record));
      if (!added) place->second = std::min(place->second, LineOf(record));
    }
  for (const auto& [group, line] : firstLines)
    problems.push_back({line, "group [" + group +
                                  "] is not read: only [GSM] and [GPRS/EDGE] are, and the "
                                  "load ends with 0 at its first key in name order"});
}

}  // namespace

std::vector<MasterProblem> CheckMaster(const ParameterList& list) {
  std::vector<MasterProblem> problems;
  CheckGroups(list, problems);
  for (const auto& [name, record] : list) {
    if (!ReadGroup(record.group)) continue;
    const FoundKey found = FindMasterKey(record.group, record.name);
    if (found.entry == nullptr)
      problems.push_back({LineOf(record), UnknownKey(record)});
    else if (const std::optional<std::string> problem = CheckWithComment(record, *found.entry))
      problems.push_back({LineOf(record), *problem});
  }
  return problems;
}

bool MasterCheck::Refused() const {
  return std::any_of(problems.begin(), problems.end(),
                     [](const MasterProblem& problem) { return problem.refused; });
}

MasterCheck CheckMasterText(std::string_view text, const std::string& fileName) {
  ParameterList list;
  const std::vector<handler::LineFault> faults = handler::ParseEveryLine(text, fileName, list);
  MasterCheck check{list.size(), CheckMaster(list)};
  for (const handler::LineFault& fault : faults) check.problems.push_back({fault.line, fault.what, true});
  std::stable_sort(check.problems.begin(), check.problems.end(),
                   [](const MasterProblem& a, const MasterProblem& b) { return a.line < b.line; });
  return check;
}

}  // namespace geran::host
