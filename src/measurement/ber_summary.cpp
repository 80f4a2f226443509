// The values a BER run keeps module-wide: the frame erasure count and the per-set error percentages.
#include "measurement/measurement.h"

namespace geran {
namespace {

// The last run that finished its polling.
BerSummary lastBerRun;

// Worked out in 64 bits, so a large event count cannot overflow; no samples give 0, not a division.
long Percent(long events, long samples) {
  if (samples == 0) return 0;
  return static_cast<long>(static_cast<long long>(events) * 100 / samples);
}

}  // namespace

BerSummary Summarise(const BerCounterRecord& record) {
  BerSummary summary;
  summary.frameErasureCount = record.ferEvents;
  summary.ferPercent = Percent(record.ferEvents, record.ferSamples);
  summary.c1aEvents = record.c1aEvents;
  summary.c1aSamples = record.c1aSamples;
  summary.c1aPercent = Percent(record.c1aEvents, record.c1aSamples);
  summary.c1bEvents = record.c1bEvents;
  summary.c1bSamples = record.c1bSamples;
  summary.c1bPercent = Percent(record.c1bEvents, record.c1bSamples);
  summary.c2Events = record.c2Events;
  summary.c2Samples = record.c2Samples;
  summary.c2Percent = Percent(record.c2Events, record.c2Samples);
  return summary;
}

const BerSummary& LastBerRun() { return lastBerRun; }

void KeepBerRun(const BerCounterRecord& record) { lastBerRun = Summarise(record); }

}  // namespace geran
