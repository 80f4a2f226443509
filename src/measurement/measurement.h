// What the measurement exports share: a failure label, the BER record and what a run keeps.
#pragma once

#include "testset/automation.h"

namespace geran {

// Existing scripts match this label for four speech-path exports, so it stays shared.
inline constexpr const char* kSpeechPathLabel = "Getchannel_req_msg";

// The twelve values of one BER polling cycle, in the order they are read and traced.
struct BerCounterRecord {
  long ferSamples = 0;
  long ferEvents = 0;
  long ferLastFn = 0;
  long c1aSamples = 0;
  long c1aEvents = 0;
  long c1aLastFn = 0;
  long c1bSamples = 0;
  long c1bEvents = 0;
  long c1bLastFn = 0;
  long c2Samples = 0;
  long c2Events = 0;
  long c2LastFn = 0;
};

// The eleven values a BER run keeps when its polling finishes. Percentages are events * 100 /
// samples truncated toward zero, and 0 for a set without samples.
struct BerSummary {
  long frameErasureCount = 0;
  long ferPercent = 0;
  long c1aEvents = 0;
  long c1aSamples = 0;
  long c1aPercent = 0;
  long c1bEvents = 0;
  long c1bSamples = 0;
  long c1bPercent = 0;
  long c2Events = 0;
  long c2Samples = 0;
  long c2Percent = 0;
};

BerSummary Summarise(const BerCounterRecord& record);

// The summary of the last run that finished its polling; all zero until one has.
const BerSummary& LastBerRun();
void KeepBerRun(const BerCounterRecord& record);

}  // namespace geran
