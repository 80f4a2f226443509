// Timing for the benchmarks: a stopwatch on the performance counter, batches, medians.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace geran::bench {

// Every figure is the median of this many repetitions.
constexpr int kRepetitions = 7;

// The middle value (the mean of the two middle values for an even count); 0 for no samples.
double Median(std::vector<double> samples);

// Nanoseconds since construction.
class Stopwatch {
 public:
  Stopwatch();
  double ElapsedNs() const;

 private:
  LARGE_INTEGER start_;
};

template <class Body>
double TimeNs(Body&& body) {
  const Stopwatch watch;
  body();
  return watch.ElapsedNs();
}

// Runs body count times; nanoseconds per run.
template <class Body>
double NsPerRun(long count, Body& body) {
  return TimeNs([&] {
           for (long i = 0; i < count; ++i) body();
         }) /
         static_cast<double>(count);
}

// Runs per batch so that a batch of body takes about batchNs, so the clock's own cost vanishes.
template <class Body>
long BatchSize(Body& body, double batchNs) {
  const double each = std::max(NsPerRun(1000, body), 1.0);
  return std::max(1L, static_cast<long>(batchNs / each));
}

// Median ns per run of body over kRepetitions batches.
template <class Body>
double MedianNsPerRun(Body& body, double batchNs) {
  const long batch = BatchSize(body, batchNs);
  std::vector<double> samples;
  for (int i = 0; i < kRepetitions; ++i) samples.push_back(NsPerRun(batch, body));
  return Median(samples);
}

struct PairedCost {
  double first;  // median ns per run
  double second;
};

// Median ns per run of two bodies, timed batch by batch in turn so that both see the same machine.
template <class First, class Second>
PairedCost MedianPaired(First& first, Second& second, double batchNs) {
  const long firstBatch = BatchSize(first, batchNs);
  const long secondBatch = BatchSize(second, batchNs);
  std::vector<double> firstSamples, secondSamples;
  for (int i = 0; i < kRepetitions; ++i) {
    firstSamples.push_back(NsPerRun(firstBatch, first));
    secondSamples.push_back(NsPerRun(secondBatch, second));
  }
  return {Median(firstSamples), Median(secondSamples)};
}

// Median ns of one whole run of body, after prepare (not timed) before each.
template <class Prepare, class Body>
double MedianOfRuns(int repetitions, Prepare&& prepare, Body&& body) {
  std::vector<double> samples;
  for (int i = 0; i < repetitions; ++i) {
    prepare();
    samples.push_back(TimeNs(body));
  }
  return Median(samples);
}

}  // namespace geran::bench
