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
    for (const SimFault& f : o.faults) {
      text << " fault=" << f.method << (f.call > 0 ? "@" + std::to_string(f.call) : "")
           << (f.times > 0 ? "*" + std::to_string(f.times) : "") << ":";
      if (f.crash)
        text << "crash";
      else
        text << std::hex << static_cast<unsigned long>(f.hresult) << std::dec
             << (f.description ? ":'" + *f.description + "'" : "");
    }
    for (const SimValue& value : o.values) text << " value=" << value.name << ":" << value.value;
    for (const std::string& compared : o.compare) text << " compare=" << compared;
    return text.str();
  } catch (const UsageError& error) {
    return std::string("error: ") + error.what();
  }
}

TEST(ParseCommandLine, OptionsFaultsValuesAndTheScript) {
  const std::string badFault =
      "error: --sim-fail needs Method[@N][*K]=0xHRESULT[:\"description\"] or Method[@N]=crash, not ";
  const struct {
    std::vector<std::string> args;
    std::string options;
  } cases[] = {
      {{"--dll", "C:\\x.dll", "-q", "demo.gts", "-x"}, "demo.gts dll=C:\\x.dll quiet stop"},
      {{"--sim-fail", "ConfigCch=0x80004005:\"cell busy\"", "--sim-fail=Reset=-2147467259", "a.gts"},
       "a.gts dll= fault=ConfigCch:80004005:'cell busy' fault=Reset:80004005"},
      {{"--sim-fail", "ConfigCch@2*3=1", "--sim-fail=WaitTime@0x2=1", "a.gts"},
       "a.gts dll= fault=ConfigCch@2*3:1 fault=WaitTime@2*1:1"},
      {{"--sim-fail", "GetAccessBurst=crash", "--sim-fail", "StopBer@3=crash", "a.gts"},
       "a.gts dll= fault=GetAccessBurst:crash fault=StopBer@3:crash"},
      {{"--sim-fail", "Reset*0=1", "a.gts"}, badFault + "'Reset*0=1'"},
      // Names the simulator does not know, with the nearest one it does.
      {{"--sim-fail", "berCounterSet.GetEvent@2=crash", "a.gts"},
       "error: the test-set simulator has no method 'berCounterSet.GetEvent'; did you mean "
       "BerCounterSet.GetEvents? (docs/simulator.md lists them)"},
      {{"--sim-value", "RealTimeWait=1", "--sim-value=FerPermille=0x14", "a.gts"},
       "a.gts dll= value=RealTimeWait:1 value=FerPermille:20"},
      {{"--replay", "rec.txt", "--sim-value", "AccessBurst=1", "a.gts"},
       "error: --replay answers every call as recorded: it takes no --sim-fail or --sim-value"},
      {{"--verbose", "a.gts"}, "error: unknown option '--verbose'"},
      {{"--compare", "a.txt", "b.txt"}, " dll= compare=a.txt compare=b.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.args), c.options);
}

}  // namespace
}  // namespace geran::host
