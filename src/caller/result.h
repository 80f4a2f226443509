// The result convention every export answers in.
#pragma once

namespace geran {

constexpr int kSuccess = -1;  // all 32 bits set; existing callers test for exactly this
constexpr int kFailure = 0;

}  // namespace geran
