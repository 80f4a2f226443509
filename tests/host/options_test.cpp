// geranhost's command line.
#include "options.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

std::string Describe(const Options& options) {
  std::string text = "script=" + options.script + " dll=" + options.dll;
  for (const auto& [flag, name] : {std::pair{options.check, "check"},
                                   {options.quiet, "quiet"},
                                   {options.stopOnFailure, "stop"},
                                   {options.noProgress, "no-progress"},
                                   {options.list, "list"},
                                   {options.help, "help"},
                                   {options.version, "version"}})
    if (flag) text += std::string(" ") + name;
  for (const SimFault& fault : options.faults) text += " fault=" + fault.method;
  for (const SimValue& value : options.values)
    text += " value=" + value.name + ":" + std::to_string(value.value);
  return text;
}

std::string Parse(const std::vector<std::string>& args) {
  try {
    return Describe(ParseCommandLineOrThrow(args));
  } catch (const UsageError& error) {
    return std::string("error: ") + error.what();
  }
}

TEST(ParseCommandLine, OptionsFlagsAndTheScript) {
  const struct {
    std::vector<std::string> args;
    const char* options;
  } cases[] = {
      {{"demo.gts"}, "script=demo.gts dll="},
      {{"--dll", "C:\\x.dll", "-q", "demo.gts", "-x"}, "script=demo.gts dll=C:\\x.dll quiet stop"},
      {{"--dll=y.dll", "--check", "--no-progress", "a.gts"}, "script=a.gts dll=y.dll check no-progress"},
      {{"--sim-fail", "Reset=0x80004005", "--sim-fail=ConfigCch=1:busy", "a.gts"},
       "script=a.gts dll= fault=Reset fault=ConfigCch"},
      {{"--sim-value", "RealTimeWait=1", "--sim-value=FerPermille=0x14", "a.gts"},
       "script=a.gts dll= value=RealTimeWait:1 value=FerPermille:20"},
      {{"--sim-value", "Seed=-3:x", "a.gts"}, "error: --sim-value needs Name=number, not 'Seed=-3:x'"},
      {{"--help"}, "script= dll= help"},
      {{"--version"}, "script= dll= version"},
      {{"--list"}, "script= dll= list"},
      {{"a.gts", "b.gts"}, "error: one script at a time ('b.gts' is a second one)"},
      {{}, "error: no script given"},
      {{"--verbose", "a.gts"}, "error: unknown option '--verbose'"},
      {{"a.gts", "--dll"}, "error: --dll needs a value"},
      {{"--sim-fail", "Reset", "a.gts"},
       "error: --sim-fail needs Method=0xHRESULT[:\"description\"], not 'Reset'"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.args), c.options) << c.args.size();
}

TEST(ParseSimFault, MethodHresultAndOptionalDescription) {
  const struct {
    const char* text;
    const char* method;
    long hresult;
    std::optional<std::string> description;
  } cases[] = {
      {"ConfigCch=0x80004005:\"cell busy\"", "ConfigCch", static_cast<long>(0x80004005), "cell busy"},
      {"ConfigCch=0x80004005:cell busy", "ConfigCch", static_cast<long>(0x80004005), "cell busy"},
      {"Reset=-2147467259", "Reset", static_cast<long>(0x80004005), std::nullopt},
      {"Reset=0", "Reset", 0, std::nullopt},
      {"Reset=0xFFFFFFFF:", "Reset", -1, ""},
      {"Reset=0x8000FFFF:a:b", "Reset", static_cast<long>(0x8000FFFF), "a:b"},
  };
  for (const auto& c : cases) {
    const SimFault fault = ParseSimFaultOrThrow(c.text);
    EXPECT_EQ(fault.method, c.method) << c.text;
    EXPECT_EQ(fault.hresult, c.hresult) << c.text;
    EXPECT_EQ(fault.description, c.description) << c.text;
  }
}

TEST(ParseSimFault, RejectsWhatIsNoFault) {
  for (const char* text : {"Reset", "=0x80004005", "Reset=", "Reset=busy", "Reset=0x1FFFFFFFF", "Reset=0x"})
    EXPECT_THROW(ParseSimFaultOrThrow(text), UsageError) << text;
}

}  // namespace
}  // namespace geran::host
