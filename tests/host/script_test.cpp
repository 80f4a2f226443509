// Bad script lines: where (line:column) and why they fail. What good lines pass: runner_test.cpp.
#include "script.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

// Every error as "line:column: message", a line break between two.
std::string AllErrors(const std::string& text) {
  std::string errors;
  for (const ScriptError& error : ParseScript(text).errors)
    errors += (errors.empty() ? "" : "\n") + std::to_string(error.where.line) + ":" +
              std::to_string(error.where.column) + ": " + error.message;
  return errors;
}

TEST(ParseScript, BadLinesReportLineColumnAndWhy) {
  using namespace std::string_literals;
  const std::string tooLong = "ShowText(\"" + std::string(10 << 20, 'x') + "\", 1)";
  const struct {
    std::string script;
    std::string errors;
  } cases[] = {
      {"WaitTime(1.5)", "1:10: '1.5' is not an integer"},
      {"WaitTime(-2147483649)", "1:10: '-2147483649' does not fit in 32 bits"},
      {R"(ShowText("abc\q", 3))", R"(1:14: unknown escape '\q' (use \n \t \r \\ \" or \xNN))"},
      {"ConfigCch(1, 2)",
       "1:15: ConfigCch takes 10 arguments, 2 given: "
       "ConfigCch(int, int, int, int, int, int, int, int, int, int)"},
      {"WaitTime(\"x\")", "1:10: argument 1 of WaitTime takes an integer or $name, not a string"},
      {"ChangeTxPower($x, 1)", "1:15: argument 1 of ChangeTxPower takes a number, not $name"},
      {"SendSIMsg(1, \"abc\", 3)",
       "1:14: argument 2 of SendSIMsg takes an integer array or null, not a string"},
      {"Reset(", "1:7: missing ')' at the end of the call"},
      {"WaitTime(1) = -1", "1:13: unexpected text after the call"},  // not an expectation
      {"GetParameter(\"RX Level\", 0, out lvl, 0)",
       "1:29: parameter 'RX Level' is a text: write out lvl[64]"},
      // A value of the kind the name does not take, and a name the library does not know.
      {"SetParameter(\"Control ARFCN\", 0, \"62\", 0)",
       "1:34: parameter 'Control ARFCN' is an integer: write it as [N]"},
      {"SetParameter(\"Traffic ARFCN\", 0, [], 0)",
       "1:34: parameter 'Traffic ARFCN' is an integer: write it as [N]"},
      {"SetParameter(\"TX Level\", 0, [-50], 0)",
       "1:29: parameter 'TX Level' is read as text: write it as \"N\""},
      {"SetParameter(\"Control ARFCM\", 0, [62], 0)",
       "1:14: unknown parameter 'Control ARFCM'; did you mean 'Control ARFCN'?"},
      {"GetParameter(\"Tch Timeslot\", 0, out t, 0)",
       "1:14: unknown parameter 'Tch Timeslot'; did you mean 'TCH Timeslot'?"},
      {"ShowText($nope, 1)", "1:10: no out value named 'nope' before this line"},
      {"GetAccessBurst(out b)\nShowText($b, 1)",
       "2:10: $b holds an integer; argument 1 of ShowText is a text"},
      {"GetLogFileName(out log, 10)",
       "1:20: argument 1 of GetLogFileName is a text buffer: write out log[size]"},
      {"GetLogFileName(out log[16], 0x11)",
       "1:29: length 17 is larger than the buffer: out log[16] holds 16 bytes"},
      {"GetAccessBurst(out n)\nGetLogFileName(out log[16], $n)",
       "2:29: write the length of the buffer as a number: out log[16] holds 16 bytes"},
      {"SendSIMsg(3, [0x06, 0x1B], 12)",
       "1:28: count 12 is larger than the array: the array holds 2 elements"},
      {"GetAccessBurst(out n)\nSendSIMsg(1, [1], $n)",
       "2:19: write the count of the array as a number: the array holds 1 element"},
      {"CipherMode(1, 1, 0, [0.5], 64, null, 0, 1)",
       "1:28: count 64 is larger than the array: the array holds 1 element"},
      {"  znGeranApiInterfaceDll_ConfigCh()",
       "1:3: unknown export 'znGeranApiInterfaceDll_ConfigCh'; did you mean 'ConfigCch'?"},
      {"Journal \"Reset()\"", "1:1: unknown export 'Journal'; did you mean 'journal'?"},
      {"journal Reset()", R"x(1:9: expected "text" or like "pattern" after journal)x"},
      // Binary data: its first control byte ends the check, so the lines after it add no noise.
      {"Reset()\nMZ\x90\0\x03\0\0\0\nReset(\n\x01\x02\n"s,
       "2:4: not a text file: control byte 0x00 (in a string, write \\x00)"},
      // An overlong line fails alone; the lines around it are checked as usual.
      {"Reset()\n" + tooLong + "\nRest()\n",
       "2:1: line too long: 10485775 bytes, at most 65536\n3:1: unknown export 'Rest'; did you mean "
       "'Reset'?"},
      {"ShowText(\"" + std::string(65536 - 15, 'x') + "\", 1)\r\n", ""},  // the longest line
  };
  for (const auto& c : cases) EXPECT_EQ(AllErrors(c.script), c.errors) << c.script.substr(0, 40);
}

}  // namespace
}  // namespace geran::host
