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
    text << o.script << " dll=" << o.dll << (o.quiet ? " quiet" : "") << (o.stopOnFailure ? " stop" : "")
         << (o.noConnectWait ? " nowait" : "") << (o.junit.empty() ? "" : " junit=" + o.junit)
         << (o.checkMaster.empty() ? "" : " master=" + o.checkMaster);
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
      {{"--sim-fail", "Reset=crashed", "a.gts"}, badFault + "'Reset=crashed'"},
      // Names the simulator does not know, with the nearest one it does.
      {{"--sim-fail", "berCounterSet.GetEvent@2=crash", "a.gts"},
       "error: the test-set simulator has no method 'berCounterSet.GetEvent'; did you mean "
       "BerCounterSet.GetEvents? (docs/simulator.md lists them)"},
      {{"--sim-value", "Nothing=5", "a.gts"},
       "error: the test-set simulator has no value 'Nothing' (docs/simulator.md lists them)"},
      {{"--sim-value", "RealTimeWait=1", "--sim-value=FerPermille=0x14", "a.gts"},
       "a.gts dll= value=RealTimeWait:1 value=FerPermille:20"},
      {{"--sim-value", "BerSeed=-3:x", "a.gts"}, "error: --sim-value needs Name=number, not 'BerSeed=-3:x'"},
      {{"--junit", "out.xml", "--no-connect-wait", "a.gts"}, "a.gts dll= nowait junit=out.xml"},
      {{"--check-master=M.ini"}, " dll= master=M.ini"},
      {{"--replay", "rec.txt", "--sim-value", "AccessBurst=1", "a.gts"},
       "error: --replay answers every call as recorded: it takes no --sim-fail or --sim-value"},
      {{"a.gts", "b.gts"}, "error: one script at a time ('b.gts' is a second one)"},
      {{}, "error: no script given"},
      {{"--verbose", "a.gts"}, "error: unknown option '--verbose'"},
      {{"--compare", "a.txt", "b.txt"}, " dll= compare=a.txt compare=b.txt"},
      {{"--compare", "a.txt"}, "error: --compare needs two journals"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.args), c.options);
}

}  // namespace
}  // namespace geran::host
