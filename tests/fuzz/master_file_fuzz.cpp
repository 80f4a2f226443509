// The master file reader on any bytes: a parse succeeds, or fails with an empty list and a message
// that names the file; a value replaced in a file that parsed leaves it parsing, with the new value
// and every other entry as it was.
#include "fuzz_check.h"
#include "master_text.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

namespace geran::fuzz {
namespace {

using handler::Outcome;

const std::string kFileName = "fuzz.ini";
const std::string kNewValue = "new value";

void CheckFailure(const Outcome& outcome, const ParameterList& list) {
  Require(list.empty(), "a failed parse leaves the list empty");
  Require(outcome.message.rfind("ParameterHandler: " + kFileName + ":", 0) == 0,
          "a parse failure names the file and the line");
}

void CheckReplace(std::string text, const ParameterList& list, std::uint8_t pick) {
  const auto changed = std::next(list.begin(), pick % list.size());
  const Outcome replaced = handler::ReplaceValueInText(text, kFileName, changed->first, kNewValue);
  Require(replaced.ok(), "a value of a file that parsed can be replaced");
  ParameterList after;
  Require(handler::ParseMasterText(text, kFileName, after).ok(), "the file parses after the replace");
  Require(after.size() == list.size(), "the replace keeps every key");
  for (const auto& [name, record] : list) {
    const auto again = after.find(name);
    Require(again != after.end(), "the replace keeps every key");
    Require(again->second.value == (name == changed->first ? kNewValue : record.value),
            "the replace changes the one value only");
    Require(again->second.group == record.group && again->second.sourceLine == record.sourceLine,
            "the replace keeps groups and lines");
  }
}

}  // namespace
}  // namespace geran::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace geran::fuzz;
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParameterList list;
  const geran::handler::Outcome outcome = geran::handler::ParseMasterText(text, kFileName, list);
  if (!outcome.ok())
    CheckFailure(outcome, list);
  else if (!list.empty())
    CheckReplace(text, list, data[size - 1]);
  return 0;
}
