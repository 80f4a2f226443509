// What a finished BER run keeps: the frame erasure count and the per-set error percentages.
#include "measurement/measurement.h"

#include <gtest/gtest.h>

#include <iterator>

namespace geran {
namespace {

TEST(Summarise, KeepsEachSetsCountsAndPercentage) {
  BerCounterRecord record;
  record.ferSamples = 20, record.ferEvents = 1, record.ferLastFn = 111;
  record.c1aSamples = 50, record.c1aEvents = 2, record.c1aLastFn = 222;
  record.c1bSamples = 300, record.c1bEvents = 9, record.c1bLastFn = 333;
  record.c2Samples = 1000, record.c2Events = 20, record.c2LastFn = 444;
  const BerSummary summary = Summarise(record);
  const long kept[] = {summary.frameErasureCount, summary.ferPercent, summary.c1aEvents,  summary.c1aSamples,
                       summary.c1aPercent,        summary.c1bEvents,  summary.c1bSamples, summary.c1bPercent,
                       summary.c2Events,          summary.c2Samples,  summary.c2Percent};
  const long expected[] = {1, 5, 2, 50, 4, 9, 300, 3, 20, 1000, 2};
  for (size_t i = 0; i < std::size(kept); ++i) EXPECT_EQ(kept[i], expected[i]) << "value " << i + 1;
}

TEST(Summarise, PercentagesAreTruncatedTowardZeroAndZeroWithoutSamples) {
  const struct {
    long samples;
    long events;
    long percent;
  } cases[] = {{3, 1, 33},  {3, 2, 66},   {200, 1, 0},
               {4, 4, 100}, {3, -1, -33}, {-3, 1, -33},
               {0, 5, 0},   {0, 0, 0},    {60000000, 30000000, 50}};  // events * 100 would not fit in 32 bits
  for (const auto& c : cases) {
    BerCounterRecord record;
    record.ferSamples = record.c1aSamples = record.c1bSamples = record.c2Samples = c.samples;
    record.ferEvents = record.c1aEvents = record.c1bEvents = record.c2Events = c.events;
    const BerSummary summary = Summarise(record);
    for (long percent : {summary.ferPercent, summary.c1aPercent, summary.c1bPercent, summary.c2Percent})
      EXPECT_EQ(percent, c.percent) << c.events << " of " << c.samples;
  }
}

}  // namespace
}  // namespace geran
