// The recorded journal's lines: written, read back (texts with tabs and line breaks included, out
// values exactly), compared without their times and out values, and matched against patterns.
#include <journal/recorded_journal.h>

#include <gtest/gtest.h>

namespace geran::journal {
namespace {

TEST(RecordedJournal, LinesReadBackAsWritten) {
  const struct {
    double milliseconds;
    std::string call;
    long hresult;
    std::optional<std::string> description;
    std::optional<RecordedValue> output;
    std::string line;
  } cases[] = {
      {10000.25, "Reset()", 0, std::nullopt, std::nullopt, "10000.250\tReset()\t0x00000000\n"},
      {0.0004, "StartScript()", 1, std::nullopt, std::nullopt, "0.000\tStartScript()\t0x00000001\n"},
      {12.5, "ConfigCch(1, -60.5, [20])", static_cast<long>(0x80004005), "cell\tbusy \"now\"\\", std::nullopt,
       "12.500\tConfigCch(1, -60.5, [20])\t0x80004005\t\"cell\\tbusy \"now\"\\\\\"\n"},
      {7.25, "ShowText(\"a\t=> b\")", 0, std::nullopt, std::string("x\ty"),
       "7.250\tShowText(\"a\t=> b\")\t0x00000000\t=> \"x\\ty\"\n"},
      {8, "GetAccessBurst()", static_cast<long>(0x80004005), "busy", 35.0,
       "8.000\tGetAccessBurst()\t0x80004005\t\"busy\"\t=> 35\n"},
      {4, "ShowText(\"two\nlines\t\")", static_cast<long>(0x80004001), "x\ny", std::nullopt,
       "4.000\tShowText(\"two\nlines\t\")\t0x80004001\t\"x\\ny\"\n"},
  };
  std::string text;
  for (const auto& c : cases) {
    EXPECT_EQ(RecordedLine(c.milliseconds, c.call, c.hresult, c.description, c.output), c.line);
    text += c.line;
  }
  const std::vector<RecordedCall> calls = ParseRecording(text);
  ASSERT_EQ(calls.size(), std::size(cases));
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].call, cases[i].call);
    EXPECT_EQ(calls[i].line, static_cast<int>(i + 1));  // the text with a line break comes last
    EXPECT_EQ(calls[i].output, cases[i].output ? FormatValue(*cases[i].output) : "") << cases[i].call;
  }
  EXPECT_EQ(calls[2].time, "12.500");
  EXPECT_EQ(calls[4].outcome, "0x80004005\t\"busy\"");
}

TEST(RecordedJournal, FirstDifferenceIgnoresTimesAndOutValuesOnly) {
  const std::string run = "1.000\tReset()\t0x00000000\n2.000\tGetAccessBurst()\t0x00000000\t=> 35\n";
  const struct {
    std::string other;
    std::optional<size_t> difference;
  } cases[] = {
      {run, std::nullopt},
      {"5.123\tReset()\t0x00000000\n6.000\tGetAccessBurst()\t0x00000000\t=> 36\n", std::nullopt},
      // 7.5 is no time of ours, so its line continues the call before it.
      {"9.000\tReset()\t0x00000000\n7.5\tGetAccessBurst()\t0x00000000\t=> 35\n", 0},
      {"1.000\tReset()\t0x80004005\n2.000\tGetAccessBurst()\t0x00000000\t=> 35\n", 0},
      {"1.000\tReset()\t0x00000000\n2.000\tGetAccessBurst()\t0x80004005\n", 1},
      {"1.000\tReset()\t0x00000000\n", 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FirstDifference(ParseRecording(run), ParseRecording(c.other)), c.difference) << c.other;
  EXPECT_EQ(FirstDifference({}, ParseRecording(run)), 0u);
}

TEST(RecordedJournal, ValuesReadBackExactlyAndNothingElseReads) {
  const struct {
    RecordedValue value;
    const char* text;
  } cases[] = {
      {RecordedValue(), "null"},
      {-2147483648.0, "-2147483648"},
      {0.1, "0.10000000000000001"},
      {std::string("C:\\logs\\a\tb \"c\"\r\n"), "\"C:\\\\logs\\\\a\\tb \"c\"\\r\\n\""},
      {std::string(), "\"\""},
      {std::string("null"), "\"null\""},
      {ObjectName{"BerCounterSet", 12}, "BerCounterSet#12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatValue(c.value), c.text);
    EXPECT_EQ(ParseValue(c.text), c.value) << c.text;
  }
  for (const char* text :
       {"", "NULL", "\"open", "\"a\\\"", "\"a\\x\"", "12abc", " 5", "#3", "Ber#0", "Ber#x", "Ber Set#1"})
    EXPECT_EQ(ParseValue(text), std::nullopt) << text;
  for (const char* text : {"", "0x8000400", "0x800040051", "80004005", "0x8000400G", "0x80004005\tbusy"})
    EXPECT_EQ(ParseOutcome(text), std::nullopt) << text;
}

TEST(RecordedJournal, PatternMatching) {
  const struct {
    const char* text;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"ConfigCch(1, -60.5, [20])", "ConfigCch(?, *, [2?])", true},
      {"ConfigCch(1, -60.5, [20])", "ConfigCch(2, *)", false},
      {"ConfigCch(1)", "ConfigCch(1)*", true},
      {"ShowText(\"a*b\")", "ShowText(\"a\\*b\")", true},
      {"a\\", "a\\", true},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*a*a*c", false},
      {"mississippi", "m*iss*ppi", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesPattern(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
}

}  // namespace
}  // namespace geran::journal
