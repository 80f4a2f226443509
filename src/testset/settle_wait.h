// How long InitialiseSystem waits after connecting, for the test set to settle before its first
// command. Shared with geranhost, which counts the wait down and can take it out.
#pragma once

namespace geran {

inline constexpr unsigned long kSettleMilliseconds = 10000;

}  // namespace geran
