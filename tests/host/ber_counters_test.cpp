// Reading the BER counter trace file: the last complete block, and the figures shown from it.
#include "ber_counters.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

constexpr const char* kBlock =
    "fer samples : 104\nfer events  : 3\nfer lastfn  : 5\n"
    "c1a samples : 50\nc1a events  : 1\nc1a lastfn  : 5\n"
    "c1b samples : 400\nc1b cevents : 9\nc1b lastfn  : 5\n"
    "c2 samples  : 800\nc2 events   : -4\nc2 lastfn   : 5\n\n";

std::string Describe(const std::optional<BerCounters>& counters) {
  if (!counters) return "none";
  return std::to_string(counters->ferSamples) + " " + std::to_string(counters->ferEvents) + " " +
         std::to_string(counters->c1bSamples) + " " + std::to_string(counters->c1bEvents) + " " +
         std::to_string(counters->c2Samples) + " " + std::to_string(counters->c2Events);
}

TEST(LastCounterBlock, TakesTheLastBlockThatEndsWithAnEmptyLine) {
  const std::string block = kBlock;
  std::string crlf;
  for (const char c : block) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  const struct {
    std::string text;
    const char* counters;
  } cases[] = {
      {"", "none"},
      {block, "104 3 400 9 800 -4"},
      {crlf, "104 3 400 9 800 -4"},
      {block.substr(0, block.size() - 1), "none"},  // the block's empty line not yet written
      {block.substr(0, 30), "none"},
      {"fer samples : 1\n\n" + block, "104 3 400 9 800 -4"},
      {block + "fer samples : 999\nfer events  : 1\n", "104 3 400 9 800 -4"},
      {"fer samples : 7\nfer events  : x\nc1b cevents : 2\nc1b events  : 5\n\n", "7 0 0 2 0 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(LastCounterBlock(c.text)), c.counters) << c.text;
}

TEST(FormatBer, LiveLineAndResultShowPercentagesAndNoDivisionByZero) {
  BerCounters counters;
  counters.ferSamples = 312;
  counters.ferEvents = 6;
  counters.c1bSamples = 400;
  counters.c1bEvents = 9;
  EXPECT_EQ(FormatLive(counters, 300),
            "BER 312/300 samples  FER 1.92 %  class 1b RBER 2.25 %  class 2 RBER -");
  EXPECT_EQ(
      FormatResult(counters),
      "BER result: FER 1.92 % (6 of 312 frames), class 1b RBER 2.25 % (9 of 400 bits), class 2 RBER - (0 of "
      "0 bits)");
}

}  // namespace
}  // namespace geran::host
