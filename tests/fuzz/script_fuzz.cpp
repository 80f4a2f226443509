// The script parser on any bytes: every error lies on a line of the script and formats with its
// excerpt, every call has its export's arguments, and every string argument written back as a
// script literal (Quote) parses to the same bytes.
#include "fuzz_check.h"
#include "script.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace geran::fuzz {
namespace {

using host::Script;

void CheckErrors(const Script& script) {
  for (const host::ScriptError& error : script.errors) {
    Require(error.where.line >= 1 && static_cast<std::size_t>(error.where.line) <= script.lines.size(),
            "an error lies on a line of the script");
    Require(error.where.column >= 1, "an error has a column");
    const std::string text = host::FormatError(script, "fuzz.gts", error);
    Require(text.size() >= 2 && text.compare(text.size() - 2, 2, "^\n") == 0, "an error ends in its caret");
  }
}

void CheckStringRoundTrip(const std::string& bytes) {
  const Script again = host::ParseScript("ShowText(" + host::Quote(bytes) + ", 0)");
  Require(again.errors.empty() && again.steps.size() == 1, "a quoted string parses");
  const auto& call = std::get<host::Call>(again.steps[0]);
  Require(std::get<std::string>(call.arguments[0].value) == bytes, "a quoted string parses to its bytes");
}

void CheckCalls(const Script& script) {
  for (const host::Step& step : script.steps) {
    const auto* call = std::get_if<host::Call>(&step);
    if (call == nullptr) continue;
    Require(call->arguments.size() == call->target->kinds.size(), "a call has its export's arguments");
    for (const host::Argument& argument : call->arguments)
      if (const auto* bytes = std::get_if<std::string>(&argument.value)) CheckStringRoundTrip(*bytes);
  }
}

}  // namespace
}  // namespace geran::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const geran::host::Script script =
      geran::host::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size));
  geran::fuzz::CheckErrors(script);
  geran::fuzz::CheckCalls(script);
  return 0;
}
