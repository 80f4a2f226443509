// What a fuzz target checks beyond the sanitizers: a broken property stops the run as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace geran::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace geran::fuzz
