// The layer-3 messages a script writes as literal arrays, named and checked before the run.
#pragma once

#include "script.h"

#include <optional>
#include <string>
#include <vector>

namespace geran::host {

// One finding in a message: where its array starts and what is wrong, with the message's name.
struct MessageWarning {
  Location where;
  std::string text;  // "System Information Type 3: Cell Options (BCCH) at offset 12: missing (...)"
};

// The findings of every call that sends or expects a message written as a literal array.
std::vector<MessageWarning> CheckMessages(const Script& script);

// "System Information Type 3, 22 octets" for a call that sends or expects a literal message.
std::optional<std::string> MessageName(const Call& call);

// "file:line:col: warning: text".
std::string FormatWarning(std::string_view file, const MessageWarning& warning);

}  // namespace geran::host
