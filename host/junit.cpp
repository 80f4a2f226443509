#include "junit.h"

#include <cstdio>

namespace geran::host {
namespace {

// Text as XML character data or attribute value. Bytes that XML 1.0 cannot hold (control bytes)
// and bytes past ASCII (the library's output is in the ANSI code page, not UTF-8) become \xNN.
std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"')
      escaped += "&quot;";
    else if ((byte < 0x20 && c != '\n' && c != '\t') || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      escaped += hex;
    } else
      escaped += c;
  }
  return escaped;
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

struct TestCase {
  std::string name;
  std::vector<const CallRecord*> calls;
};

std::vector<TestCase> CasesOfSections(const Summary& summary) {
  std::vector<TestCase> cases;
  for (const Section& section : summary.sections) {
    TestCase testCase{section.heading.value_or("(before the first heading)"), {}};
    for (const CallRecord& call : section.calls) testCase.calls.push_back(&call);
    cases.push_back(testCase);
  }
  return cases;
}

// Calls without an expectation join the next call with one (the last case, at the end).
std::vector<TestCase> CasesOfExpectations(const Summary& summary) {
  std::vector<TestCase> cases;
  std::vector<const CallRecord*> pending;
  for (const Section& section : summary.sections)
    for (const CallRecord& call : section.calls) {
      pending.push_back(&call);
      if (!IsExpectation(call)) continue;
      cases.push_back(TestCase{"line " + std::to_string(call.line) + ": " + call.call, pending});
      pending.clear();
    }
  if (pending.empty()) return cases;
  if (cases.empty()) cases.push_back(TestCase{"calls without expectations", {}});
  cases.back().calls.insert(cases.back().calls.end(), pending.begin(), pending.end());
  return cases;
}

std::string FailureMessage(const CallRecord& call) {
  if (call.journalCheck) return call.failure;
  return "line " + std::to_string(call.line) + ": " + call.call + " returned " + std::to_string(call.result) +
         ", expected " + std::to_string(*call.expected);
}

struct CaseXml {
  std::string xml;
  bool failed;
  double seconds;
};

CaseXml ToXml(std::string_view suite, const TestCase& testCase) {
  std::string failures, output;
  double seconds = 0;
  for (const CallRecord* call : testCase.calls) {
    seconds += call->seconds;
    output += call->output;
    if (!Failed(*call)) continue;
    const std::string message = Escaped(FailureMessage(*call));
    failures += "      <failure type=\"expectation\" message=\"" + message + "\">" + message + "</failure>\n";
  }
  std::string xml = "    <testcase classname=\"" + Escaped(suite) + "\" name=\"" + Escaped(testCase.name) +
                    "\" time=\"" + Seconds(seconds) + "\">\n" + failures;
  if (!output.empty()) xml += "      <system-out>" + Escaped(output) + "</system-out>\n";
  return CaseXml{xml + "    </testcase>\n", !failures.empty(), seconds};
}

}  // namespace

std::string JunitXml(std::string_view suite, const Summary& summary, std::string_view warnings) {
  const bool sections =
      summary.sections.size() > 1 || (!summary.sections.empty() && summary.sections[0].heading);
  const std::vector<TestCase> cases = sections ? CasesOfSections(summary) : CasesOfExpectations(summary);
  std::string body;
  int failures = 0;
  double seconds = 0;
  for (const TestCase& testCase : cases) {
    const CaseXml xml = ToXml(suite, testCase);
    body += xml.xml;
    failures += xml.failed ? 1 : 0;
    seconds += xml.seconds;
  }
  const std::string counts = "tests=\"" + std::to_string(cases.size()) + "\" failures=\"" +
                             std::to_string(failures) + "\" errors=\"0\" skipped=\"0\" time=\"" +
                             Seconds(seconds) + "\"";
  if (!warnings.empty()) body += "    <system-err>" + Escaped(warnings) + "</system-err>\n";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites " + counts + ">\n  <testsuite name=\"" +
         Escaped(suite) + "\" " + counts + ">\n" + body + "  </testsuite>\n</testsuites>\n";
}

}  // namespace geran::host
