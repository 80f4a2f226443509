// The trace files on drive C: and the lines of the BER counter block, as the library writes them.
// Plain C++, shared with geranhost, which reads the counter block back while a BER run goes on.
#pragma once

#include <cstddef>
#include <iterator>

namespace geran {

struct TraceFile {
  const char* path;
  const char* mode;
};

inline constexpr TraceFile kTest12Trace{"C:\\Test12.txt", "a+"};
inline constexpr TraceFile kRemoteApiTrace{"C:\\GeranRemoteAPI.txt", "a"};
inline constexpr TraceFile kRemoteApiTracePlus{"C:\\GeranRemoteAPI.txt", "a+"};
inline constexpr TraceFile kResultTrace{"C:\\result.txt", "a+"};
inline constexpr TraceFile kCallBoxTrace{"C:\\GeranCallBoxNew.txt", "a+"};

// The counter block that every BER cycle appends to kCallBoxTrace: one "label : value" line a
// counter, in this order, and a blank line after the last. "cevents" and the blank line are what
// existing log parsers expect.
enum class BerCounterLine : std::size_t {
  kFerSamples,
  kFerEvents,
  kFerLastFn,
  kC1aSamples,
  kC1aEvents,
  kC1aLastFn,
  kC1bSamples,
  kC1bEvents,
  kC1bLastFn,
  kC2Samples,
  kC2Events,
  kC2LastFn,
};

inline constexpr const char* kBerCounterLineFormats[] = {
    "fer samples : %d\n", "fer events  : %d\n", "fer lastfn  : %d\n", "c1a samples : %d\n",
    "c1a events  : %d\n", "c1a lastfn  : %d\n", "c1b samples : %d\n", "c1b cevents : %d\n",
    "c1b lastfn  : %d\n", "c2 samples  : %d\n", "c2 events   : %d\n", "c2 lastfn   : %d\n\n",
};
static_assert(std::size(kBerCounterLineFormats) == static_cast<std::size_t>(BerCounterLine::kC2LastFn) + 1);

inline constexpr const char* BerCounterLineFormat(BerCounterLine line) {
  return kBerCounterLineFormats[static_cast<std::size_t>(line)];
}

}  // namespace geran
