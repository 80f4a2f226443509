// The script language: what every argument form becomes, and where and why bad lines fail.
#include "script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace geran::host {
namespace {

// One value in a canonical form: "int:-1", "float:-85.5", "text:\"a\"", "words:[1,$b]", ...
struct Describe {
  std::string operator()(const Null&) const { return "null"; }
  std::string operator()(std::int32_t value) const { return "int:" + std::to_string(value); }
  std::string operator()(const Reference& reference) const { return "$" + reference.name; }
  std::string operator()(const Word& word) const { return std::visit(*this, word); }
  std::string operator()(float value) const {
    std::ostringstream text;
    text << "float:" << value;
    return text.str();
  }
  std::string operator()(const std::string& text) const { return "text:" + Quote(text); }
  std::string operator()(const OutValue& out) const {
    return "out:" + out.name + (out.size > 0 ? "[" + std::to_string(out.size) + "]" : "");
  }
  template <class Element>
  std::string operator()(const std::vector<Element>& items) const {
    std::ostringstream text;
    text << "[";
    for (std::size_t i = 0; i < items.size(); ++i) text << (i > 0 ? "," : "") << Item(items[i]);
    text << "]";
    return text.str();
  }
  std::string Item(const Word& word) const { return std::visit(*this, word); }
  std::string Item(double value) const {
    std::ostringstream text;
    text << value;
    return text.str();
  }
};

// The last call of a script as "Name int:1 text:\"a\" => -1".
std::string LastCall(const std::string& text) {
  const Script script = ParseScript(text);
  if (!script.errors.empty()) return "error " + script.errors[0].message;
  const Call& call = std::get<Call>(script.steps.back());
  std::string description(call.target->name);
  for (const Argument& argument : call.arguments) description += " " + std::visit(Describe(), argument.value);
  if (call.expected) description += " => " + std::to_string(*call.expected);
  return description;
}

// The first error as "line:column: message".
std::string FirstError(const std::string& text) {
  const Script script = ParseScript(text);
  if (script.errors.empty()) return "no error";
  const ScriptError& error = script.errors[0];
  return std::to_string(error.where.line) + ":" + std::to_string(error.where.column) + ": " + error.message;
}

struct Case {
  const char* script;
  const char* expected;
};

void ExpectAll(const std::vector<Case>& cases, std::string (*parse)(const std::string&)) {
  for (const Case& c : cases) EXPECT_EQ(parse(c.script), c.expected) << c.script;
}

TEST(ParseScript, IntegersAreDecimalHexNegativeAndRaw32BitWords) {
  ExpectAll(
      {
          {"Initialise(0, -1, 0x1F, 0xFFFFFFFF)", "Initialise int:0 int:-1 int:31 int:-1"},
          {"Initialise(2147483647, -2147483648, 4294967295, -0x80000000)",
           "Initialise int:2147483647 int:-2147483648 int:-1 int:-2147483648"},
          {"Initialise(0x80000000, 0X7fffffff, 007, -0)",
           "Initialise int:-2147483648 int:2147483647 int:7 int:0"},
      },
      LastCall);
}

TEST(ParseScript, FloatTakesAnyNumberWithOrWithoutSuffix) {
  ExpectAll(
      {
          {"ChangeTxPower(-85.5f, 1)", "ChangeTxPower float:-85.5 int:1"},
          {"ChangeTxPower(-85, 1)", "ChangeTxPower float:-85 int:1"},
          {"ChangeTxPower(1e2, 1)", "ChangeTxPower float:100 int:1"},
          {"ChangeTxPower(.25F, 1)", "ChangeTxPower float:0.25 int:1"},
          {"ChangeTxPower(2.5e-1, 1)", "ChangeTxPower float:0.25 int:1"},
      },
      LastCall);
}

TEST(ParseScript, ArraysTakeTheirElementTypeFromThePrototype) {
  ExpectAll(
      {
          {"SendSIMsg(2, [1, 0x1F, -1], 3)", "SendSIMsg int:2 [int:1,int:31,int:-1] int:3"},
          {"SendSIMsg(2, [ ], 0)", "SendSIMsg int:2 [] int:0"},
          {"CipherMode(1, 2, 3, [0.5, 255.9, 7], 3, null, 0, 4)",
           "CipherMode int:1 int:2 int:3 [0.5,255.9,7] int:3 null int:0 int:4"},
          {"EnableVoiceSend(1, [1e3, -2.5f], 2, 0)", "EnableVoiceSend int:1 [1000,-2.5] int:2 int:0"},
          {"SetParameter(\"Control ARFCN\", 0, [512], 0)",
           "SetParameter text:\"Control ARFCN\" int:0 [int:512] int:0"},
      },
      LastCall);
}

TEST(ParseScript, StringsKeepTheirEscapedBytes) {
  ExpectAll(
      {
          {R"(ShowText("a\n\t\r\\\"b", 1))", R"(ShowText text:"a\n\t\r\\\"b" int:1)"},
          {R"(ShowText("\x41\x7a\x00\xFF", 1))", R"(ShowText text:"Az\x00\xFF" int:1)"},
          {R"(ShowText("# not a comment", 1) # a comment)", R"(ShowText text:"# not a comment" int:1)"},
          {R"(ShowText("", 1))", R"(ShowText text:"" int:1)"},
          {R"(ShowText(null, 1))", "ShowText null int:1"},
      },
      LastCall);
}

TEST(ParseScript, OutValuesAndReferencesToThem) {
  ExpectAll(
      {
          {"GetAccessBurst(out burst)", "GetAccessBurst out:burst"},
          {"GetAccessBurst(null)", "GetAccessBurst null"},
          {"GetLogFileName(out log[256], 256)", "GetLogFileName out:log[256] int:256"},
          {"GetParameter(\"RX Level\", 0, out level[64], 0)",
           "GetParameter text:\"RX Level\" int:0 out:level[64] int:0"},
          {"GetParameter(\"Radio System\", 0, out system, 0)",
           "GetParameter text:\"Radio System\" int:0 out:system int:0"},
          {"GetAccessBurst(out b)\nWaitTime($b)", "WaitTime $b"},
          {"GetAccessBurst(out b)\nSendMsg(1, 0, [6, $b], 2, 0)",
           "SendMsg int:1 int:0 [int:6,$b] int:2 int:0"},
          {"GetLogFileName(out log[9], 9)\nPutLogFileName($log, 9)", "PutLogFileName $log int:9"},
          {"GetParameter(\"Control ARFCN\", 0, out a, 0)\nSetParameter(\"Control ARFCN\", 0, $a, 0)",
           "SetParameter text:\"Control ARFCN\" int:0 $a int:0"},
      },
      LastCall);
}

TEST(ParseScript, NamesWithOrWithoutPrefixAndExpectations) {
  ExpectAll(
      {
          {"znGeranApiInterfaceDll_Reset()", "Reset"},
          {"  Reset ( )  => -1", "Reset => -1"},
          {"Reset() => 0xFFFFFFFF", "Reset => -1"},
          {"Reset() => any", "Reset"},
          {"Reset() # => 5", "Reset"},
          {"RemoteConnection_Set(4) => -1", "RemoteConnection_Set int:4 => -1"},
      },
      LastCall);
}

TEST(ParseScript, BadNumbersAreReportedWhereTheyStart) {
  ExpectAll(
      {
          {"WaitTime(1.5)", "1:10: '1.5' is not an integer"},
          {"WaitTime(1e3)", "1:10: '1e3' is not an integer"},
          {"WaitTime(0x1FFFFFFFF)", "1:10: '0x1FFFFFFFF' does not fit in 32 bits"},
          {"WaitTime(4294967296)", "1:10: '4294967296' does not fit in 32 bits"},
          {"WaitTime(-2147483649)", "1:10: '-2147483649' does not fit in 32 bits"},
          {"WaitTime(99999999999999999999999)", "1:10: '99999999999999999999999' does not fit in 32 bits"},
          {"WaitTime(12abc)", "1:10: '12abc' is not a number"},
          {"WaitTime(0x)", "1:10: '0x' is not a number"},
          {"WaitTime(0xG1)", "1:10: '0xG1' is not a number"},
          {"WaitTime(-)", "1:10: '-' is not a number"},
          {"ChangeTxPower(1.2.3, 0)", "1:15: '1.2.3' is not a number"},
          {"ChangeTxPower(1e39, 0)", "1:15: '1e39' does not fit in a float"},
          {"CipherMode(1, 2, 3, [0.5, x], 2, null, 0, 4)", "1:27: expected a number"},
          {"SendSIMsg(2, [1, 2.5], 2)", "1:18: '2.5' is not an integer"},
          {"Reset() => 1.0", "1:12: '1.0' is not an integer"},
      },
      FirstError);
}

TEST(ParseScript, BadStringsAreReportedAtTheEscapeOrTheQuote) {
  ExpectAll(
      {
          {R"(ShowText("abc\q", 3))", R"(1:14: unknown escape '\q' (use \n \t \r \\ \" or \xNN))"},
          {R"(ShowText("\x4", 3))", R"(1:11: \x needs two hex digits)"},
          {R"(ShowText("\xZ1", 3))", R"(1:11: \x needs two hex digits)"},
          {R"(ShowText("abc, 3))", "1:10: unterminated string"},
          {R"(ShowText("abc\", 3))", "1:10: unterminated string"},
      },
      FirstError);
}

TEST(ParseScript, ArgumentCountAndKindAreCheckedAgainstThePrototype) {
  ExpectAll(
      {
          {"ConfigCch(1, 2)",
           "1:15: ConfigCch takes 10 arguments, 2 given: ConfigCch(int, int, int, int, int, int, int, int, "
           "int, "
           "int)"},
          {"DisableCch()", "1:12: DisableCch takes 1 argument, 0 given: DisableCch(int)"},
          {"ChangeTxPower(-85.5f, 1, 2)",
           "1:26: ChangeTxPower takes 2 arguments, not more: ChangeTxPower(float, int)"},
          {"Reset(0)", "1:7: Reset takes 0 arguments, not more: Reset()"},
          {"WaitTime(\"x\")", "1:10: argument 1 of WaitTime takes an integer or $name, not a string"},
          {"WaitTime(null)", "1:10: argument 1 of WaitTime takes an integer or $name, not null"},
          {"WaitTime(, 1)", "1:10: argument 1 of WaitTime takes an integer or $name, not ','"},
          {"WaitTime(seven)", "1:10: argument 1 of WaitTime takes an integer or $name, not 'seven'"},
          {"ChangeTxPower($x, 1)", "1:15: argument 1 of ChangeTxPower takes a number, not $name"},
          {"ShowText(7, 1)", "1:10: argument 1 of ShowText takes a string, $name or null, not a number"},
          {"SendSIMsg(1, \"abc\", 3)",
           "1:14: argument 2 of SendSIMsg takes an integer array or null, not a string"},
          {"GetAccessBurst(5)", "1:16: argument 1 of GetAccessBurst takes out name or null, not a number"},
          {"SetParameter(\"TCH Rate\", 0, out x, 0)",
           "1:29: argument 3 of SetParameter takes a string, an integer array, $name or null, not an out "
           "value"},
          {"WaitTime(1", "1:11: expected ',' or ')'"},
          {"WaitTime(1 2)", "1:12: expected ',' or ')'"},
          {"WaitTime 1", "1:10: expected '(' after WaitTime"},
          {"WaitTime(1) extra", "1:13: unexpected text after the call"},
          {"WaitTime(1) => maybe", "1:16: expected a result or 'any' after '=>'"},
          {"42", "1:1: expected an export call, like Reset()"},
      },
      FirstError);
}

TEST(ParseScript, OutValuesMustBeDeclaredBeforeUseAndFitTheirArgument) {
  ExpectAll(
      {
          {"ShowText($nope, 1)", "1:10: no out value named 'nope' before this line"},
          {"GetAccessBurst(out b)\nShowText($b, 1)",
           "2:10: $b holds an integer; argument 1 of ShowText is a text"},
          {"GetLogFileName(out log[8], 8)\nWaitTime($log)",
           "2:10: $log holds a text; argument 1 of WaitTime is an integer"},
          {"GetLogFileName(out log[8], 8)\nSendSIMsg(1, [$log], 1)",
           "2:15: $log holds a text; an array element is an integer"},
          {"GetLogFileName(out log, 10)",
           "1:20: argument 1 of GetLogFileName is a text buffer: write out log[size]"},
          {"GetAccessBurst(out b[4])",
           "1:20: argument 1 of GetAccessBurst is a 32-bit integer: write out b without a size"},
          {"GetLogFileName(out log[0], 10)", "1:24: a buffer size is 1 to 1048576 bytes"},
          {"GetLogFileName(out log[12, 10)", "1:26: expected ']'"},
          {"GetAccessBurst(out null)", "1:20: expected a name after 'out'"},
          {"WaitTime($)", "1:11: expected a name after '$'"},
          {"GetAccessBurst(out b) => 0\nReset() => $b", "2:12: expected a result or 'any' after '=>'"},
      },
      FirstError);
}

TEST(ParseScript, UnknownExportSuggestsTheNearestName) {
  ExpectAll(
      {
          {"Rest()", "1:1: unknown export 'Rest'; did you mean 'Reset'?"},
          {"GetChannelRequestMsg(out x)",
           "1:1: unknown export 'GetChannelRequestMsg'; did you mean 'GetchannelRequestMsg'?"},
          {"  znGeranApiInterfaceDll_ConfigCh()",
           "1:3: unknown export 'znGeranApiInterfaceDll_ConfigCh'; did you mean 'ConfigCch'?"},
          {"Frobnicate()", "1:1: unknown export 'Frobnicate' (geranhost --list shows them all)"},
      },
      FirstError);
}

TEST(ParseScript, EveryBadLineReportsItsFirstErrorAndGoodLinesStillParse) {
  const Script script = ParseScript("Reset()\nWaitTime(x, y)\n\nRest()\nShutdown()\n");
  ASSERT_EQ(script.errors.size(), 2u);
  EXPECT_EQ(script.errors[0].where.line, 2);
  EXPECT_EQ(script.errors[1].where.line, 4);
  EXPECT_EQ(script.CallCount(), 2u);
}

TEST(ParseScript, CommentsBlankLinesHeadingsCrLfAndByteOrderMark) {
  const Script script =
      ParseScript("\xEF\xBB\xBF# setup\r\n\r\n  ## Control channel  \r\nReset() => -1\r\n\t# end");
  ASSERT_TRUE(script.errors.empty()) << script.errors[0].message;
  ASSERT_EQ(script.steps.size(), 2u);
  EXPECT_EQ(std::get<Heading>(script.steps[0]).text, "Control channel");
  const Call& call = std::get<Call>(script.steps[1]);
  EXPECT_EQ(call.target->name, "Reset");
  EXPECT_EQ(call.where.line, 4);
  EXPECT_EQ(call.expected, -1);
}

TEST(FormatError, NamesFileLineColumnAndPointsAtTheColumn) {
  const Script script = ParseScript("Reset()\n\tWaitTime(1.5)\n");
  ASSERT_EQ(script.errors.size(), 1u);
  EXPECT_EQ(FormatError(script, "demo.gts", script.errors[0]),
            "demo.gts:2:11: '1.5' is not an integer\n"
            "    \tWaitTime(1.5)\n"
            "    \t         ^\n");
}

TEST(Quote, EscapesWhatAStringLiteralNeeds) {
  EXPECT_EQ(Quote(std::string("a\"\\\n\t\r\x01\x7f\xff z", 11)), R"("a\"\\\n\t\r\x01\x7F\xFF z")");
}

}  // namespace
}  // namespace geran::host
