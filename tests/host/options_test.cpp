// geranhost's command line, simulator faults and values included.
#include "options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace geran::host {
namespace {

std::string Parse(const std::vector<std::string>& args) {
  try {
    const Options o = ParseCommandLineOrThrow(args);
    std::ostringstream text;
    text << o.script << " dll=" << o.dll << (o.quiet ? " quiet" : "") << (o.stopOnFailure ? " stop" : "");
    for (const SimFault& f : o.faults)
      text << " fault=" << f.method << (f.call > 0 ? "@" + std::to_string(f.call) : "")
           << (f.times > 0 ? "*" + std::to_string(f.times) : "") << ":" << std::hex
           << static_cast<unsigned long>(f.hresult) << std::dec
           << (f.description ? ":'" + *f.description + "'" : "");
    for (const SimValue& value : o.values) text << " value=" << value.name << ":" << value.value;
    return text.str();
  } catch (const UsageError& error) {
    return std::string("error: ") + error.what();
  }
}

TEST(ParseCommandLine, OptionsFaultsValuesAndTheScript) {
  const std::string badFault =
      "error: --sim-fail needs Method[@N][*K]=0xHRESULT[:\"description\"] or Method[@N]=crash, not ";
  const std::string noFailure =
      "error: --sim-fail needs a failure code, an HRESULT with bit 31 set, as 0x hex or a negative decimal, "
      "not ";
  const struct {
    std::vector<std::string> args;
    std::string options;
  } cases[] = {
      {{"--dll", "C:\\x.dll", "-q", "demo.gts", "-x"}, "demo.gts dll=C:\\x.dll quiet stop"},
      {{"--sim-fail", "ConfigCch@2*3=0x80004005", "--sim-fail=WaitTime@0x2=-2147467259:x", "a.gts"},
       "a.gts dll= fault=ConfigCch@2*3:80004005 fault=WaitTime@2*1:80004005:'x'"},
      {{"--sim-fail", "Reset*0=0x80004005", "a.gts"}, badFault + "'Reset*0=0x80004005'"},
      // Only a failure code arms a fault: a decimal reads as a success code.
      {{"--sim-fail", "SendSIMsg=80004005", "a.gts"}, noFailure + "'80004005'; did you mean 0x80004005?"},
      {{"--sim-fail", "Reset=0x0", "a.gts"}, noFailure + "'0x0'"},
      // Names the simulator does not know, with the nearest one it does.
      {{"--sim-fail", "berCounterSet.GetEvent@2=crash", "a.gts"},
       "error: the test-set simulator has no method 'berCounterSet.GetEvent'; did you mean "
       "BerCounterSet.GetEvents? (docs/simulator.md lists them)"},
      {{"a.gts", "--junti", "r.xml"}, "error: unknown option '--junti'; did you mean --junit?"},
      {{"--sim-value", "RealTimeWait=1", "--sim-value=FerPermille=0x14", "a.gts"},
       "a.gts dll= value=RealTimeWait:1 value=FerPermille:20"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.args), c.options);
}

}  // namespace
}  // namespace geran::host
