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
      {"WaitTime(0x1FFFFFFFF)", "1:10: '0x1FFFFFFFF' does not fit in 32 bits"},
      {"WaitTime(4294967296)", "1:10: '4294967296' does not fit in 32 bits"},
      {"WaitTime(-2147483649)", "1:10: '-2147483649' does not fit in 32 bits"},
      {"WaitTime(12abc)", "1:10: '12abc' is not a number"},
      {"WaitTime(0x)", "1:10: '0x' is not a number"},
      {"ChangeTxPower(1e39, 0)", "1:15: '1e39' does not fit in a float"},
      {"CipherMode(1, 2, 3, [0.5, x], 2, null, 0, 4)", "1:27: expected a number"},
      {"SendSIMsg(2, [1, 2.5], 2)", "1:18: '2.5' is not an integer"},
      {"Reset() => 1.0", "1:12: '1.0' is not an integer"},
      {R"(ShowText("abc\q", 3))", R"(1:14: unknown escape '\q' (use \n \t \r \\ \" or \xNN))"},
      {R"(ShowText("\x4", 3))", R"(1:11: \x needs two hex digits)"},
      {R"(ShowText("abc, 3))", "1:10: unterminated string"},
      {R"(ShowText("abc\", 3))", "1:10: unterminated string"},
      {"ConfigCch(1, 2)",
       "1:15: ConfigCch takes 10 arguments, 2 given: "
       "ConfigCch(int, int, int, int, int, int, int, int, int, int)"},
      {"ChangeTxPower(-85.5f, 1, 2)",
       "1:26: ChangeTxPower takes 2 arguments, not more: ChangeTxPower(float, int)"},
      {"WaitTime(\"x\")", "1:10: argument 1 of WaitTime takes an integer or $name, not a string"},
      {"WaitTime(seven)", "1:10: argument 1 of WaitTime takes an integer or $name, not 'seven'"},
      {"ChangeTxPower($x, 1)", "1:15: argument 1 of ChangeTxPower takes a number, not $name"},
      {"SendSIMsg(1, \"abc\", 3)",
       "1:14: argument 2 of SendSIMsg takes an integer array or null, not a string"},
      {"GetAccessBurst(5)", "1:16: argument 1 of GetAccessBurst takes out name or null, not a number"},
      {"SetParameter(\"TCH Rate\", 0, out x, 0)",
       "1:29: argument 3 of SetParameter takes a string, an integer array, $name or null, not an out value"},
      {"WaitTime(1 2)", "1:12: expected ',' or ')'"},
      {"WaitTime(1) extra", "1:13: unexpected text after the call"},
      {"WaitTime(1) => maybe", "1:16: expected a result or 'any' after '=>'"},
      {"ShowText($nope, 1)", "1:10: no out value named 'nope' before this line"},
      {"GetAccessBurst(out b)\nShowText($b, 1)",
       "2:10: $b holds an integer; argument 1 of ShowText is a text"},
      {"GetLogFileName(out log[8], 8)\nWaitTime($log)",
       "2:10: $log holds a text; argument 1 of WaitTime is an integer"},
      {"GetLogFileName(out log, 10)",
       "1:20: argument 1 of GetLogFileName is a text buffer: write out log[size]"},
      {"GetAccessBurst(out b[4])",
       "1:20: argument 1 of GetAccessBurst is a 32-bit integer: write out b without a size"},
      {"GetLogFileName(out log[0], 10)", "1:24: a buffer size is 1 to 1048576 bytes"},
      {"Rest()", "1:1: unknown export 'Rest'; did you mean 'Reset'?"},
      {"waittime(1)", "1:1: unknown export 'waittime'; did you mean 'WaitTime'?"},
      {"  znGeranApiInterfaceDll_ConfigCh()",
       "1:3: unknown export 'znGeranApiInterfaceDll_ConfigCh'; did you mean 'ConfigCch'?"},
      {"Frobnicate()", "1:1: unknown export 'Frobnicate' (geranhost --list shows them all)"},
      {"journal Reset()", R"x(1:9: expected "text" or like "pattern" after journal)x"},
      {"journal like Reset()", R"x(1:14: expected "text" or like "pattern" after journal)x"},
      {R"x(journal "Reset()" 2)x", "1:19: unexpected text after the journal line"},
      {R"x(journal "Reset(\q)")x", R"x(1:16: unknown escape '\q' (use \n \t \r \\ \" or \xNN))x"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstError(c.script), c.error) << c.script;
}

TEST(ParseScript, JournalLinesTakeTextOrAPattern) {
  const Script script = ParseScript(
      "Reset()\n  journal \"ShowText(\\\"a\\tb\\\")\"  # a comment\njournal like \"Config*\"\n"
      "WaitTime(journal)\n");
  ASSERT_EQ(script.errors.size(), 1u) << "journal is no value";
  ASSERT_EQ(script.steps.size(), 3u);
  const auto& exact = std::get<JournalCheck>(script.steps[1]);
  EXPECT_EQ(exact.expected, "ShowText(\"a\tb\")");
  EXPECT_FALSE(exact.pattern);
  EXPECT_EQ(exact.spelling, R"x(journal "ShowText(\"a\tb\")")x");
  EXPECT_EQ(exact.where.line, 2);
  EXPECT_EQ(exact.where.column, 3);
  const auto& pattern = std::get<JournalCheck>(script.steps[2]);
  EXPECT_EQ(pattern.expected, "Config*");
  EXPECT_TRUE(pattern.pattern);
  EXPECT_TRUE(script.ChecksJournal());
  EXPECT_FALSE(ParseScript("Reset()\n").ChecksJournal());
  EXPECT_EQ(script.CallCount(), 1u);
}

}  // namespace
}  // namespace geran::host
