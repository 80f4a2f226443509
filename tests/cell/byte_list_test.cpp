// Doubles in a byte list: the conversion at its edges.
#include "cell/byte_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace geran {
namespace {

TEST(ByteList, DoublesAreTruncatedTowardZeroThenCut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    std::uint8_t expected;
  } cases[] = {{0.5, 0},           {1.9, 1},          {255.9, 255}, {256.0, 0},          {300.7, 44},
               {-1.5, 255},        {-0.9, 0},         {65.9, 65},   {1e10, 0},           {-1e10, 0},
               {nan, 0},           {inf, 0},          {-inf, 0},    {2147483647.9, 255}, {2147483648.0, 0},
               {-2147483648.9, 0}, {-2147483649.0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(ByteList::FromDoubles(&c.value, 1).bytes(), std::vector<std::uint8_t>{c.expected}) << c.value;
}

}  // namespace
}  // namespace geran
