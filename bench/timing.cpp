#include "timing.h"

namespace geran::bench {
namespace {

double TicksPerNs() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(frequency.QuadPart) / 1e9;
}

}  // namespace

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const size_t middle = samples.size() / 2;
  std::nth_element(samples.begin(), samples.begin() + middle, samples.end());
  if (samples.size() % 2 == 1) return samples[middle];
  const double upper = samples[middle];
  const double lower = *std::max_element(samples.begin(), samples.begin() + middle);
  return (lower + upper) / 2;
}

Stopwatch::Stopwatch() { QueryPerformanceCounter(&start_); }

double Stopwatch::ElapsedNs() const {
  static const double ticksPerNs = TicksPerNs();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) / ticksPerNs;
}

}  // namespace geran::bench
