#include "timing.h"

#include <gtest/gtest.h>

namespace geran::bench {
namespace {

TEST(Median, MiddleValueOrMeanOfTheTwoMiddleOnes) {
  const struct {
    std::vector<double> samples;
    double median;
  } cases[] = {
      {{}, 0}, {{5}, 5}, {{9, 1, 5}, 5}, {{4, 1, 3, 2}, 2.5}, {{7, 7, 1, 100, 7}, 7},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(Median(c.samples), c.median) << ::testing::PrintToString(c.samples);
}

}  // namespace
}  // namespace geran::bench
