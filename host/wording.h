// How the host words what it counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace geran::host {

// "1 call", "2 calls": a count with its noun, plural unless it is one.
inline std::string Counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace geran::host
