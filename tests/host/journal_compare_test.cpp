// geranhost --compare and --journal: the comparison's report, and both options end to end.
#include "journal_compare.h"
#include "host_process.h"
#include "recorded_journal_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace geran::host {
namespace {

using ::testing::HasSubstr;

TEST(CompareJournals, SameCallsOrTheFirstDifferenceWithItsContext) {
  const std::string fourCalls =
      "1.000\tReset()\t0x00000000\n2.000\tA()\t0x00000000\n3.000\tB()\t0x00000000\n4.000\tC()\t0x00000000\n";
  const std::string a = fourCalls + "5.000\tD()\t0x00000000\n";
  const struct {
    std::string name;
    std::string text;
    bool same;
    std::string report;
  } cases[] = {
      {"b",
       "9.125\tReset()\t0x00000000\n9.250\tA()\t0x00000000\n9.375\tB()\t0x00000000\n9.500\tC()\t0x00000000\n"
       "9.625\tD()\t0x00000000\n",
       true, "a and b hold the same 5 calls (times not compared)\n"},
      {"c", fourCalls + "5.000\tE()\t0x80004005\t\"x\"\n", false,
       "a and c differ at call 5 (a line 5, c line 5):\n  call 2  A()  0x00000000\n"
       "  call 3  B()  0x00000000\n  call 4  C()  0x00000000\n- call 5  D()  0x00000000\n- (end of a)\n"
       "+ call 5  E()  0x80004005 \"x\"\n+ (end of c)\n"},
  };
  for (const auto& c : cases) {
    const Comparison comparison = CompareJournals({"a", a}, {c.name, c.text});
    EXPECT_EQ(comparison.same, c.same) << c.name;
    EXPECT_EQ(comparison.report, c.report);
  }
}

// The option end to end: exit 0 for the same calls, 1 with the report for others, 2 for no file.
TEST(GeranhostCompare, ExitCodeAndReportOfTwoJournals) {
  const std::string first = test::TempPath("compare_first.txt"),
                    second = test::TempPath("compare_second.txt");
  std::ofstream(first) << "1.000\tReset()\t0x00000000\n";
  std::ofstream(second) << "2.000\tReset()\t0x00000000\n3.000\tShowText(\"x\")\t0x00000000\n";
  std::string output;
  EXPECT_EQ(test::RunGeranhost("--compare \"" + first + "\" \"" + first + "\"", output), 0u) << output;
  EXPECT_THAT(output, HasSubstr(" hold the same 1 calls"));
  EXPECT_EQ(test::RunGeranhost("--compare \"" + first + "\" \"" + second + "\"", output), 1u) << output;
  EXPECT_THAT(output, HasSubstr("- (end of " + first + ")\n+ call 2  ShowText(\"x\")  0x00000000\n"));
  EXPECT_EQ(test::RunGeranhost("--compare \"" + first + "\" nowhere.txt", output), 2u) << output;
  EXPECT_EQ(output, "geranhost: cannot read the journal nowhere.txt: No such file or directory\n");
  for (const std::string& path : {first, second}) DeleteFileA(path.c_str());
}

// A connection to the simulator, made at once: without --no-connect-wait the library waits 10 s here.
TEST(GeranhostJournal, RecordsTheRunInTheFileGiven) {
  const std::string script = test::TempPath("journal_option.gts"),
                    journal = test::TempPath("journal_option.txt");
  std::ofstream(script)
      << "InitialiseSystem() => -1\nSelectRadioSystem(1) => -1\njournal \"SelectRadioSystem(1)\"\n"
         "Reset() => -1\njournal like \"Re*\"\n";
  std::string output;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(test::RunGeranhost(
                "--no-progress --no-connect-wait --journal \"" + journal + "\" \"" + script + "\"", output),
            0u)
      << output;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << output;
  EXPECT_THAT(output, HasSubstr(", calls recorded in " + journal + "\n"));
  EXPECT_THAT(output, HasSubstr("[3] journal \"SelectRadioSystem(1)\"\n     ok\n"));
  EXPECT_THAT(output, HasSubstr("\n5 passed, 0 failed\n"));
  EXPECT_EQ(test::RecordedCalls(journal), (std::vector<std::string>{"SelectRadioSystem(1)", "Reset()"}));
  DeleteFileA(journal.c_str());
  // Without --journal, journal lines read a journal of the host's own; without a connection it stays empty.
  std::ofstream(script) << "Reset() => 0\njournal \"Reset()\"\n";
  EXPECT_EQ(test::RunGeranhost("--no-progress \"" + script + "\"", output), 1u) << output;
  EXPECT_THAT(output, HasSubstr("[2] journal \"Reset()\"\n     FAILED: the journal has no further line\n"));
  DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace geran::host
