// geranhost --compare and --journal end to end.
#include "host_process.h"
#include "recorded_journal_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace geran::host {
namespace {

using ::testing::HasSubstr;

// Exit 0 for the same calls at other times, 1 with the first difference in its context, 2 for no file.
TEST(GeranhostCompare, ExitCodeAndReportOfTwoJournals) {
  const std::string first = test::TempPath("compare_first.txt"),
                    retimed = test::TempPath("compare_retimed.txt"),
                    second = test::TempPath("compare_second.txt"), script = test::TempPath("compare.gts");
  std::ofstream(first) << "1.000\tReset()\t0x00000000\n2.000\tA()\t0x00000000\n";
  std::ofstream(retimed) << "9.125\tReset()\t0x00000000\n9.250\tA()\t0x00000000\n";
  std::ofstream(script) << "Reset() => -1\n";
  std::ofstream(second) << "2.000\tReset()\t0x00000000\n3.000\tShowText(\"x\")\t0x80004005\t\"x\"\n";
  const struct {
    std::string other;
    DWORD exitCode;
    std::string output;
  } cases[] = {
      {retimed, 0, first + " and " + retimed + " hold the same 2 calls (times not compared)\n"},
      {second, 1,
       first + " and " + second + " differ at call 2 (" + first + " line 2, " + second +
           " line 2):\n  call 1  Reset()  0x00000000\n- call 2  A()  0x00000000\n- (end of " + first +
           ")\n+ call 2  ShowText(\"x\")  0x80004005 \"x\"\n+ (end of " + second + ")\n"},
      {"nowhere.txt", 2, "geranhost: cannot read the journal nowhere.txt: No such file or directory\n"},
      // A script is no journal: refused at its first line, nothing compared.
      {script, 2, "geranhost: " + script + " line 1: no time at the start of the line\n"},
      {test::TempPath("."), 2, "geranhost: " + test::TempPath(".") + " is a folder, not a journal\n"},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(test::RunGeranhost("--compare \"" + first + "\" \"" + c.other + "\"", output), c.exitCode);
    EXPECT_EQ(output, c.output);
  }
  for (const std::string& path : {first, retimed, second, script}) DeleteFileA(path.c_str());
}

// A connection to the simulator, made at once: without --no-connect-wait the library waits 10 s here.
// Each journal line reads what the call before it made, and the JUnit report names it as written.
TEST(GeranhostJournal, RecordsTheRunInTheFileGiven) {
  const std::string script = test::TempPath("journal_option.gts"),
                    journal = test::TempPath("journal_option.txt"),
                    junit = test::TempPath("journal_option.xml");
  std::ofstream(script)
      << "InitialiseSystem() => -1\nSelectRadioSystem(1) => -1\njournal \"SelectRadioSystem(1)\"\n"
         "journal like \"*\"\nReset() => -1\njournal \"Reset(1)\"\nReset() => -1\n"
         "journal like \"Re?et()\"\n";
  std::string output;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(test::RunGeranhost("--no-progress --no-connect-wait --journal \"" + journal + "\" --junit \"" +
                                   junit + "\" \"" + script + "\"",
                               output),
            1u)
      << output;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << output;
  for (const std::string& piece :
       std::vector<std::string>{"[3] journal \"SelectRadioSystem(1)\"\n     ok\n",
                                "[4] journal like \"*\"\n     FAILED: the journal has no further line\n",
                                "[6] journal \"Reset(1)\"\n     FAILED: the journal has \"Reset()\"\n",
                                "[8] journal like \"Re?et()\"\n     ok\n", "\n6 passed, 2 failed\n",
                                ", calls recorded in " + journal + "\n"})
    EXPECT_THAT(output, HasSubstr(piece));
  EXPECT_EQ(test::RecordedCalls(journal),
            (std::vector<std::string>{"SelectRadioSystem(1)", "Reset()", "Reset()"}));
  EXPECT_THAT(test::ReadFileBytes(junit.c_str()), HasSubstr(" name=\"line 4: journal like &quot;*&quot;\" "));
  for (const std::string& file : {journal, junit}) DeleteFileA(file.c_str());
  // Without --journal, journal lines read a journal of the host's own; without a connection it stays empty.
  std::ofstream(script) << "Reset() => 0\njournal \"Reset()\"\n";
  EXPECT_EQ(test::RunGeranhost("--no-progress \"" + script + "\"", output), 1u) << output;
  EXPECT_THAT(output, HasSubstr("[2] journal \"Reset()\"\n     FAILED: the journal has no further line\n"));
  DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace geran::host
