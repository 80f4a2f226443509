// The BER model: TCH/FS speech frames counted over simulated time, with seeded erasures and bit errors.
#include "simulator_state.h"

namespace geran::sim {
namespace {

constexpr LONG kSpeechFrameMs = 20;
constexpr int kClass1aBits = 50;
constexpr int kClass1bBits = 132;
constexpr int kClass2Bits = 78;
constexpr std::int64_t kHyperframe = 2715648;  // TDMA frame numbers wrap here
// The settings that stand in for each set's counters, in CounterSet order.
struct CounterSettings {
  const char* samples;
  const char* events;
  const char* lastFn;
};
constexpr CounterSettings kCounterSettings[] = {
    {value::kBerFerSamples, value::kBerFerEvents, value::kBerFerLastFn},
    {value::kBerC1aSamples, value::kBerC1aEvents, value::kBerC1aLastFn},
    {value::kBerC1bSamples, value::kBerC1bEvents, value::kBerC1bLastFn},
    {value::kBerC2Samples, value::kBerC2Events, value::kBerC2LastFn},
};

// What the settings ask of the measurement, read once per WaitTime.
struct Rates {
  std::uint32_t erasurePpm;
  std::uint32_t class1bPpm;
  std::uint32_t class2Ppm;
};

Counters& Set(BerModel& model, CounterSet set) { return model.sets[static_cast<int>(set)]; }

// The TDMA frame (120/26 ms, i.e. 4.615 ms) in progress at a moment of simulated time.
LONG TdmaFrameAt(std::int64_t milliseconds) {
  return static_cast<LONG>(milliseconds * 26 / 120 % kHyperframe);
}

std::uint32_t Ppm(LONG value) { return value < 0 ? 0 : static_cast<std::uint32_t>(value); }

Rates CurrentRates() {
  return {Ppm(Value(value::kFerPermille, 10)) * 1000, Ppm(Value(value::kC1bBerPpm, 4000)),
          Ppm(Value(value::kC2BerPpm, 20000))};
}

// True with the probability ppm / 1000000.
bool Chance(BerModel& model, std::uint32_t ppm) {
  return (static_cast<std::uint64_t>(model.generator()) * 1000000 >> 32) < ppm;
}

LONG BitErrors(BerModel& model, int bits, std::uint32_t ppm) {
  LONG errors = 0;
  for (int bit = 0; bit < bits; ++bit) errors += Chance(model, ppm) ? 1 : 0;
  return errors;
}

// One speech frame: erased as a whole (a class 1a error is caught by the CRC and erases it), or
// its class 1a, 1b and 2 bits counted with the residual bit errors of classes 1b and 2.
void CountFrame(BerModel& model, const Rates& rates, LONG lastFn) {
  for (Counters& counters : model.sets) counters.lastFn = lastFn;
  ++Set(model, CounterSet::Fer).samples;
  if (Chance(model, rates.erasurePpm)) {
    ++Set(model, CounterSet::Fer).events;
    return;
  }
  Set(model, CounterSet::Class1a).samples += kClass1aBits;
  Set(model, CounterSet::Class1b).samples += kClass1bBits;
  Set(model, CounterSet::Class1b).events += BitErrors(model, kClass1bBits, rates.class1bPpm);
  Set(model, CounterSet::Class2).samples += kClass2Bits;
  Set(model, CounterSet::Class2).events += BitErrors(model, kClass2Bits, rates.class2Ppm);
}

}  // namespace

void StartBerRun() {
  const auto seed = static_cast<std::mt19937::result_type>(Value(value::kBerSeed, 1));
  const SimulatorState::Locked state = Simulator().Lock();
  BerModel& model = state->ber;
  model.running = true;
  model.pendingMs = 0;
  model.generator.seed(seed);
  for (Counters& counters : model.sets) counters = Counters{};
}

void StopBerRun() { Simulator().Lock()->ber.running = false; }

void AdvanceTime(LONG milliseconds) {
  if (milliseconds <= 0) return;
  const Rates rates = CurrentRates();
  const bool frozen = Value(value::kBerFreezeSamples) != 0;
  const SimulatorState::Locked state = Simulator().Lock();
  BerModel& model = state->ber;
  model.elapsedMs += milliseconds;
  if (!model.running || frozen) return;
  model.pendingMs += milliseconds;
  while (model.pendingMs >= kSpeechFrameMs) {
    model.pendingMs -= kSpeechFrameMs;
    CountFrame(model, rates, TdmaFrameAt(model.elapsedMs - model.pendingMs));
  }
}

Counters CountersOf(CounterSet set) {
  Counters counters = Set(Simulator().Lock()->ber, set);
  const CounterSettings& settings = kCounterSettings[static_cast<int>(set)];
  counters.samples = Value(settings.samples, counters.samples);
  counters.events = Value(settings.events, counters.events);
  counters.lastFn = Value(settings.lastFn, counters.lastFn);
  return counters;
}

}  // namespace geran::sim
