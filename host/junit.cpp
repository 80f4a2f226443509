#include "junit.h"

#include <cstdio>

namespace geran::host {
namespace {

std::string Escaped(std::string_view text) {
  std::string escaped;
  char buffer[8];
  for (const char c : text) escaped += XmlText(c, buffer);
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
  bool skipped;
  double seconds;
};

// One <failure> a case: the first failed expectation as its message, every one in its text.
std::string FailureXml(const std::vector<const CallRecord*>& calls) {
  std::string first, all;
  for (const CallRecord* call : calls) {
    if (!Failed(*call)) continue;
    const std::string message = Escaped(FailureMessage(*call));
    if (first.empty()) first = message;
    all += (all.empty() ? "" : "\n") + message;
  }
  if (first.empty()) return "";
  return "      <failure type=\"expectation\" message=\"" + first + "\">" + all + "</failure>\n";
}

// A case none of whose calls was made (a stop came before it) is skipped.
CaseXml ToXml(std::string_view suite, const TestCase& testCase) {
  std::string output;
  double seconds = 0;
  bool skipped = true;
  for (const CallRecord* call : testCase.calls) {
    seconds += call->seconds;
    output += call->output;
    skipped = skipped && call->skipped;
  }
  const std::string failure = FailureXml(testCase.calls);
  std::string xml = "    <testcase classname=\"" + Escaped(suite) + "\" name=\"" + Escaped(testCase.name) +
                    "\" time=\"" + Seconds(seconds) + "\">\n" + failure;
  if (skipped) xml += "      <skipped/>\n";
  if (!output.empty()) xml += "      <system-out>" + Escaped(output) + "</system-out>\n";
  return CaseXml{xml + "    </testcase>\n", !failure.empty(), skipped, seconds};
}

// The document's head up to its cases, with their counts.
std::string Head(std::string_view suite, std::size_t tests, int failures, int skipped, double seconds) {
  const std::string counts = "tests=\"" + std::to_string(tests) + "\" failures=\"" +
                             std::to_string(failures) + "\" errors=\"0\" skipped=\"" +
                             std::to_string(skipped) + "\" time=\"" + Seconds(seconds) + "\"";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites " + counts + ">\n  <testsuite name=\"" +
         Escaped(suite) + "\" " + counts + ">\n";
}

constexpr const char* kTail = "  </testsuite>\n</testsuites>\n";

}  // namespace

const char* XmlText(char c, char (&buffer)[8]) {
  const auto byte = static_cast<unsigned char>(c);
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      if ((byte < 0x20 && c != '\n' && c != '\t') || byte >= 0x7F)
        std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
      else
        std::snprintf(buffer, sizeof buffer, "%c", c);
      return buffer;
  }
}

std::string JunitXml(std::string_view suite, const Summary& summary, std::string_view warnings) {
  const bool sections =
      summary.sections.size() > 1 || (!summary.sections.empty() && summary.sections[0].heading);
  const std::vector<TestCase> cases = sections ? CasesOfSections(summary) : CasesOfExpectations(summary);
  std::string body;
  int failures = 0, skipped = 0;
  double seconds = 0;
  for (const TestCase& testCase : cases) {
    const CaseXml xml = ToXml(suite, testCase);
    body += xml.xml;
    failures += xml.failed ? 1 : 0;
    skipped += xml.skipped ? 1 : 0;
    seconds += xml.seconds;
  }
  if (!warnings.empty()) body += "    <system-err>" + Escaped(warnings) + "</system-err>\n";
  return Head(suite, cases.size(), failures, skipped, seconds) + body + kTail;
}

std::string JunitFailureHead(std::string_view suite, std::string_view name, std::string_view type,
                             std::string_view message) {
  return Head(suite, 1, 1, 0, 0) + "    <testcase classname=\"" + Escaped(suite) + "\" name=\"" +
         Escaped(name) + "\" time=\"0.000\">\n      <failure type=\"" + Escaped(type) + "\" message=\"" +
         Escaped(message) + "\">";
}

std::string JunitFailureTail() { return std::string("</failure>\n    </testcase>\n") + kTail; }

std::string JunitFailureXml(std::string_view suite, std::string_view name, std::string_view type,
                            std::string_view message, std::string_view text) {
  return JunitFailureHead(suite, name, type, message) + Escaped(text) + JunitFailureTail();
}

}  // namespace geran::host
