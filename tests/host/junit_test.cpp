// The JUnit XML of a run without headings: a test case per expectation, journal checks among them, calls
// without one joining the next case (the last, at the end), and what XML cannot hold. With: junit_report.py.
#include "junit.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

CallRecord Made(int line, std::string call, int result, std::optional<std::int32_t> expected,
                std::string output = "") {
  return CallRecord{line, std::move(call), result, expected, 0.25, std::move(output), false, ""};
}

TEST(JunitXml, WithoutHeadingsATestCasePerExpectation) {
  const CallRecord failedCheck{5,    "journal \"Reset()\"",
                               0,    std::nullopt,
                               0,    "",
                               true, "line 5: journal \"Reset()\": the journal has \"WaitTime(1)\""};
  Summary summary;
  summary.sections = {Section{
      std::nullopt,
      {Made(1, "Reset()", -1, std::nullopt, "a\x01\xE9<x>\n"), Made(2, "ShowText(\"&\", 1)", -1, 0, "b\n"),
       Made(3, "WaitTime(1)", -1, -1), failedCheck, Made(6, "Reset()", -1, std::nullopt, "c\n")}}};
  const std::string counts = "tests=\"3\" failures=\"2\" errors=\"0\" skipped=\"0\" time=\"1.000\"";
  const std::string showText = "line 2: ShowText(&quot;&amp;&quot;, 1) returned -1, expected 0";
  const std::string check = "line 5: journal &quot;Reset()&quot;: the journal has &quot;WaitTime(1)&quot;";
  EXPECT_EQ(JunitXml("a&b.gts", summary, "a.gts:1:14: warning: <x>\n"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites " + counts +
                ">\n  <testsuite name=\"a&amp;b.gts\" " + counts + ">\n" +
                "    <testcase classname=\"a&amp;b.gts\" name=\"line 2: ShowText(&quot;&amp;&quot;, 1)\" "
                "time=\"0.500\">\n      <failure type=\"expectation\" message=\"" +
                showText + "\">" + showText +
                "</failure>\n      <system-out>a\\x01\\xE9&lt;x&gt;\nb\n</system-out>\n    </testcase>\n"
                "    <testcase classname=\"a&amp;b.gts\" name=\"line 3: WaitTime(1)\" time=\"0.250\">\n"
                "    </testcase>\n"
                "    <testcase classname=\"a&amp;b.gts\" name=\"line 5: journal &quot;Reset()&quot;\" "
                "time=\"0.250\">\n      <failure type=\"expectation\" message=\"" +
                check + "\">" + check +
                "</failure>\n      <system-out>c\n</system-out>\n    </testcase>\n"
                "    <system-err>a.gts:1:14: warning: &lt;x&gt;\n</system-err>\n  </testsuite>\n"
                "</testsuites>\n");
}

}  // namespace
}  // namespace geran::host
