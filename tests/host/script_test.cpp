// Bad script lines: where (line:column) and why they fail. What good lines pass: runner_test.cpp.
#include "script.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

// The first error as "line:column: message".
std::string FirstError(const std::string& text) {
  const Script script = ParseScript(text);
  if (script.errors.empty()) return "no error";
  const ScriptError& error = script.errors[0];
  return std::to_string(error.where.line) + ":" + std::to_string(error.where.column) + ": " + error.message;
}

TEST(ParseScript, BadLinesReportLineColumnAndWhy) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"WaitTime(1.5)", "1:10: '1.5' is not an integer"},
      {"WaitTime(4294967296)", "1:10: '4294967296' does not fit in 32 bits"},
      {"WaitTime(-2147483649)", "1:10: '-2147483649' does not fit in 32 bits"},
      {"WaitTime(12abc)", "1:10: '12abc' is not a number"},
      {"ChangeTxPower(1e39, 0)", "1:15: '1e39' does not fit in a float"},
      {"CipherMode(1, 2, 3, [0.5, x], 2, null, 0, 4)", "1:27: expected a number"},
      {R"(ShowText("abc\q", 3))", R"(1:14: unknown escape '\q' (use \n \t \r \\ \" or \xNN))"},
      {R"(ShowText("\x4", 3))", R"(1:11: \x needs two hex digits)"},
      {R"(ShowText("abc, 3))", "1:10: unterminated string"},
      {"ConfigCch(1, 2)",
       "1:15: ConfigCch takes 10 arguments, 2 given: "
       "ConfigCch(int, int, int, int, int, int, int, int, int, int)"},
      {"ChangeTxPower(-85.5f, 1, 2)",
       "1:26: ChangeTxPower takes 2 arguments, not more: ChangeTxPower(float, int)"},
      {"WaitTime(\"x\")", "1:10: argument 1 of WaitTime takes an integer or $name, not a string"},
      {"ChangeTxPower($x, 1)", "1:15: argument 1 of ChangeTxPower takes a number, not $name"},
      {"SendSIMsg(1, \"abc\", 3)",
       "1:14: argument 2 of SendSIMsg takes an integer array or null, not a string"},
      {"WaitTime(1 2)", "1:12: expected ',' or ')'"},
      {"Reset(", "1:7: missing ')' at the end of the call"},
      {"GetParameter(\"RX Level\", 0, out lvl, 0)",
       "1:29: parameter 'RX Level' is a text: write out lvl[64]"},
      {"WaitTime(1) extra", "1:13: unexpected text after the call"},
      {"WaitTime(1) => maybe", "1:16: expected a result or 'any' after '=>'"},
      {"ShowText($nope, 1)", "1:10: no out value named 'nope' before this line"},
      {"GetAccessBurst(out b)\nShowText($b, 1)",
       "2:10: $b holds an integer; argument 1 of ShowText is a text"},
      {"GetLogFileName(out log, 10)",
       "1:20: argument 1 of GetLogFileName is a text buffer: write out log[size]"},
      {"GetAccessBurst(out b[4])",
       "1:20: argument 1 of GetAccessBurst is a 32-bit integer: write out b without a size"},
      {"GetLogFileName(out log[0], 10)", "1:24: a buffer size is 1 to 1048576 bytes"},
      {"GetLogFileName(out log[16], 0x11)",
       "1:29: length 17 is larger than the buffer: out log[16] holds 16 bytes"},
      {"GetAccessBurst(out n)\nGetLogFileName(out log[16], $n)",
       "2:29: write the length of the buffer as a number: out log[16] holds 16 bytes"},
      {"  znGeranApiInterfaceDll_ConfigCh()",
       "1:3: unknown export 'znGeranApiInterfaceDll_ConfigCh'; did you mean 'ConfigCch'?"},
      {"Frobnicate()", "1:1: unknown export 'Frobnicate' (geranhost --list shows them all)"},
      {"journal Reset()", R"x(1:9: expected "text" or like "pattern" after journal)x"},
      {R"x(journal "Reset()" 2)x", "1:19: unexpected text after the journal line"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstError(c.script), c.error) << c.script;
}

// Every error as "line:column: message", one a line.
std::string AllErrors(const std::string& text) {
  std::string errors;
  for (const ScriptError& error : ParseScript(text).errors)
    errors += std::to_string(error.where.line) + ":" + std::to_string(error.where.column) + ": " +
              error.message + "\n";
  return errors;
}

TEST(ParseScript, TextThatIsNoScriptFailsWhereItShows) {
  using namespace std::string_literals;
  const std::string tooLong = "ShowText(\"" + std::string(10 << 20, 'x') + "\", 1)";
  const struct {
    std::string script;
    std::string errors;
  } cases[] = {
      {"\xFF\xFER\0e\0s\0e\0t\0(\0)\0"s, "1:1: not a text file: UTF-16; save the script as ANSI or UTF-8\n"},
      // Binary data: its first control byte ends the check, so the lines after it add no noise.
      {"Reset()\nMZ\x90\0\x03\0\0\0\nReset(\n\x01\x02\n"s,
       "2:4: not a text file: control byte 0x00 (in a string, write \\x00)\n"},
      // An overlong line fails alone; the lines around it are checked as usual.
      {"Reset()\n" + tooLong + "\nRest()\n",
       "2:1: line too long: 10485775 bytes, at most 65536\n3:1: unknown export 'Rest'; did you mean "
       "'Reset'?\n"},
      {"ShowText(\"" + std::string(65536 - 15, 'x') + "\", 1)\r\n", ""},  // the longest line
  };
  for (const auto& c : cases) EXPECT_EQ(AllErrors(c.script), c.errors) << c.script.substr(0, 40);
}

}  // namespace
}  // namespace geran::host
