// What a recorded line adds for replay: out values written and read back exactly, malformed values
// and outcomes refused, and an out value that neither changes the call nor counts in a comparison.
#include <journal/recorded_journal.h>

#include <gtest/gtest.h>

namespace geran::journal {
namespace {

TEST(RecordedValue, ReadsBackExactlyWhatItWrote) {
  const struct {
    RecordedValue value;
    const char* text;
  } cases[] = {
      {RecordedValue(), "null"},
      {-2147483648.0, "-2147483648"},
      {4294967295.0, "4294967295"},
      {0.1, "0.10000000000000001"},
      {100.0 * 3 / 7, "42.857142857142854"},
      {std::string("C:\\logs\\a\tb \"c\"\r\n"), "\"C:\\\\logs\\\\a\\tb \"c\"\\r\\n\""},
      {std::string(), "\"\""},
      {std::string("null"), "\"null\""},
      {ObjectName{"BerCounterSet", 12}, "BerCounterSet#12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatValue(c.value), c.text);
    EXPECT_EQ(ParseValue(c.text), c.value) << c.text;
  }
}

// The outcomes a line does write are read back in Replay.AReplayedRunIsTheRecordedRun.
TEST(RecordedValue, ValuesAndOutcomesRefuseWhatNoLineWrites) {
  for (const char* text :
       {"", "NULL", "\"open", "\"a\\\"", "\"a\\x\"", "12abc", " 5", "#3", "Ber#0", "Ber#x", "Ber Set#1"})
    EXPECT_EQ(ParseValue(text), std::nullopt) << text;
  for (const char* text : {"", "0x8000400", "0x800040051", "80004005", "0x8000400G", "0x80004005\tbusy"})
    EXPECT_EQ(ParseOutcome(text), std::nullopt) << text;
}

TEST(RecordedValue, OutValueStaysOutOfTheCallAndTheComparison) {
  const std::string line = RecordedLine(7.25, "ShowText(\"a\t=> b\")", 0, std::nullopt, std::string("x\ty")) +
                           RecordedLine(8, "GetAccessBurst()", static_cast<long>(0x80004005), "busy", 35.0);
  EXPECT_EQ(line,
            "7.250\tShowText(\"a\t=> b\")\t0x00000000\t=> \"x\\ty\"\n"
            "8.000\tGetAccessBurst()\t0x80004005\t\"busy\"\t=> 35\n");
  const std::vector<RecordedCall> calls = ParseRecording(line);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].call, "ShowText(\"a\t=> b\")");
  EXPECT_EQ(calls[0].outcome, "0x00000000");
  EXPECT_EQ(calls[0].output, "\"x\\ty\"");
  EXPECT_EQ(calls[1].outcome, "0x80004005\t\"busy\"");
  EXPECT_EQ(calls[1].output, "35");
  EXPECT_EQ(FirstDifference(calls, ParseRecording("1.000\tShowText(\"a\t=> b\")\t0x00000000\n"
                                                  "2.000\tGetAccessBurst()\t0x80004005\t\"busy\"\t=> 36\n")),
            std::nullopt);
}

}  // namespace
}  // namespace geran::journal
