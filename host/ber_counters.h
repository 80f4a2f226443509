// The BER counter trace file that StartBERTest appends a block of counters to on every cycle.
#pragma once

#include <testset/trace_files.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace geran::host {

inline constexpr const char* kCounterFile = kCallBoxTrace.path;

// The counters of one block that the host shows: frame erasures and the class 1b and 2 bits.
struct BerCounters {
  std::int32_t ferSamples = 0;
  std::int32_t ferEvents = 0;
  std::int32_t c1bSamples = 0;
  std::int32_t c1bEvents = 0;
  std::int32_t c2Samples = 0;
  std::int32_t c2Events = 0;
};

// The last complete block (ended by an empty line) in text, or nothing when there is none.
std::optional<BerCounters> LastCounterBlock(std::string_view text);

// "BER 120/300 samples  FER 2.50 %  class 1b RBER 0.83 %  class 2 RBER 1.67 %"
std::string FormatLive(const BerCounters& counters, std::int32_t target);

// "BER result: FER 1.92 % (6 of 312 frames), class 1b RBER ... (e of n bits), class 2 RBER ..."
std::string FormatResult(const BerCounters& counters);

// A file's bytes from offset on (all of it when it has shrunk below offset); "" when it is missing.
std::string ReadFileFrom(const char* path, std::uint64_t offset);
std::uint64_t FileSize(const char* path);

}  // namespace geran::host
