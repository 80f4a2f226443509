#include "message_checks.h"

#include <layer3/message.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace geran::host {
namespace {

// The exports that hand the test set a message: SendSIMsg, SendPagingReq, SendMsg and WaitMsg take
// the array, then the count of its elements sent.
bool SendsMessage(std::string_view name) {
  return name == "SendSIMsg" || name == "SendPagingReq" || name == "SendMsg" || name == "WaitMsg";
}

// The array argument of the call, and the octets of it the count takes, as the library sends them
// (each element's low 8 bits); nothing when the array is not written out in full.
struct Literal {
  const Argument* argument;
  std::vector<std::uint8_t> octets;
};

std::optional<Literal> LiteralMessage(const Call& call) {
  if (!SendsMessage(call.target->name)) return std::nullopt;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const auto* words = std::get_if<std::vector<Word>>(&call.arguments[i].value);
    if (!words) continue;
    Literal literal{&call.arguments[i], {}};
    for (const Word& word : *words) {
      const auto* value = std::get_if<std::int32_t>(&word);
      if (!value) return std::nullopt;
      literal.octets.push_back(static_cast<std::uint8_t>(*value & 0xFF));
    }
    const auto* count =
        i + 1 < call.arguments.size() ? std::get_if<Word>(&call.arguments[i + 1].value) : nullptr;
    const auto* countValue = count ? std::get_if<std::int32_t>(count) : nullptr;
    if (countValue && *countValue >= 0)
      literal.octets.resize(std::min<std::size_t>(literal.octets.size(), *countValue));
    return literal;
  }
  return std::nullopt;
}

}  // namespace

std::vector<MessageWarning> CheckMessages(const Script& script) {
  std::vector<MessageWarning> warnings;
  for (const Step& step : script.steps) {
    const Call* call = std::get_if<Call>(&step);
    const std::optional<Literal> literal = call ? LiteralMessage(*call) : std::nullopt;
    if (!literal) continue;
    const layer3::Message message = layer3::Decode(literal->octets);
    for (const layer3::Finding& finding : message.findings)
      warnings.push_back({literal->argument->where, message.name + ": " + layer3::Describe(finding)});
  }
  return warnings;
}

std::optional<std::string> MessageName(const Call& call) {
  const std::optional<Literal> literal = LiteralMessage(call);
  if (!literal) return std::nullopt;
  return layer3::Summary(layer3::Decode(literal->octets), literal->octets.size());
}

std::string FormatWarning(std::string_view file, const MessageWarning& warning) {
  return std::string(file) + ":" + std::to_string(warning.where.line) + ":" +
         std::to_string(warning.where.column) + ": warning: " + warning.text + "\n";
}

}  // namespace geran::host
