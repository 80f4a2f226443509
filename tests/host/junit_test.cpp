// The JUnit XML of a run: test cases by section or by expectation, failures, output and escaping.
// What a real consumer reads of it: junit_report.py.
#include "junit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace geran::host {
namespace {

using ::testing::HasSubstr;

CallRecord Made(int line, std::string call, int result, std::optional<std::int32_t> expected,
                std::string output = "") {
  return CallRecord{line, std::move(call), result, expected, 0.25, std::move(output), false, ""};
}

const char* const kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

TEST(JunitXml, ATestCasePerSectionWithItsFailuresAndOutput) {
  Summary summary;
  summary.sections = {
      Section{std::nullopt, {Made(1, "InitialiseSystem()", -1, -1)}},
      Section{"Cell <1> & \"more\"",
              {Made(3, "ShowText(\"a\", 1)", 0, -1, "COM EXCEPTION: \x01\xE9<x>\n"),
               Made(4, "Reset()", -1, std::nullopt, "reset\n")}},
  };
  const std::string counts = "tests=\"2\" failures=\"1\" errors=\"0\" skipped=\"0\" time=\"0.750\"";
  EXPECT_EQ(
      JunitXml("a&b.gts", summary),
      kHeader + ("<testsuites " + counts + ">\n  <testsuite name=\"a&amp;b.gts\" " + counts + ">\n") +
          "    <testcase classname=\"a&amp;b.gts\" name=\"(before the first heading)\" time=\"0.250\">\n"
          "    </testcase>\n"
          "    <testcase classname=\"a&amp;b.gts\" name=\"Cell &lt;1&gt; &amp; &quot;more&quot;\" "
          "time=\"0.500\">\n"
          "      <failure type=\"expectation\" message=\"line 3: ShowText(&quot;a&quot;, 1) returned 0, "
          "expected -1\">line 3: ShowText(&quot;a&quot;, 1) returned 0, expected -1</failure>\n"
          "      <system-out>COM EXCEPTION: \\x01\\xE9&lt;x&gt;\nreset\n</system-out>\n"
          "    </testcase>\n  </testsuite>\n</testsuites>\n");
}

// Without headings, a case per call with an expectation; calls without one join the next such
// call, or the last case at the end.
TEST(JunitXml, WithoutHeadingsATestCasePerExpectation) {
  Summary summary;
  summary.sections = {Section{std::nullopt,
                              {Made(1, "Reset()", -1, std::nullopt, "a\n"), Made(2, "Reset()", -1, 0, "b\n"),
                               Made(3, "WaitTime(1)", -1, -1), Made(4, "Reset()", -1, std::nullopt, "c\n")}}};
  const std::string xml = JunitXml("s.gts", summary);
  EXPECT_THAT(xml, HasSubstr("<testsuite name=\"s.gts\" tests=\"2\" failures=\"1\""));
  EXPECT_THAT(xml, HasSubstr("name=\"line 2: Reset()\" time=\"0.500\">\n      <failure type=\"expectation\" "
                             "message=\"line 2: Reset() returned -1, expected 0\">"));
  EXPECT_THAT(xml, HasSubstr("<system-out>a\nb\n</system-out>"));
  EXPECT_THAT(xml,
              HasSubstr("name=\"line 3: WaitTime(1)\" time=\"0.500\">\n      <system-out>c\n</system-out>"));
}

// A journal line checked is an expectation of its own: it makes a case without headings, and its
// failure reads as the run printed it.
TEST(JunitXml, JournalChecksAreExpectations) {
  const CallRecord failedCheck{5,    "[5] journal \"Reset()\"",
                               0,    std::nullopt,
                               0,    "",
                               true, "line 5: journal \"Reset()\": the journal has \"WaitTime(1)\""};
  const CallRecord heldCheck{6, "[6] journal like \"W*\"", 0, std::nullopt, 0, "", true, ""};
  Summary summary;
  summary.sections = {
      Section{std::nullopt, {Made(4, "WaitTime(1)", -1, std::nullopt), failedCheck, heldCheck}}};
  const std::string xml = JunitXml("s.gts", summary);
  EXPECT_THAT(xml, HasSubstr("<testsuite name=\"s.gts\" tests=\"2\" failures=\"1\""));
  EXPECT_THAT(xml, HasSubstr("message=\"line 5: journal &quot;Reset()&quot;: the journal has "
                             "&quot;WaitTime(1)&quot;\""));
}

}  // namespace
}  // namespace geran::host
