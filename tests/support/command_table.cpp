#include "command_table.h"

#include "failure_report.h"
#include "temp_master_file.h"

#include <algorithm>
#include <utility>

namespace geran::test {

int readBack = kUntouched;
char nameBack[16];

void PrintTo(const Command& command, std::ostream* os) { *os << command.name; }
std::string RowName(const ::testing::TestParamInfo<Command>& info) { return info.param.name; }

Command Row(const char* name, const char* source, Invoke invoke, std::string call, Outcome success,
            Outcome failure, Outcome unconnected) {
  return {name, source, invoke, call, success, failure, unconnected};
}

std::string Fill(std::string text, HRESULT hr) {
  const std::pair<std::string, std::string> placeholders[] = {{"{hr}", std::to_string(static_cast<long>(hr))},
                                                              {"{message}", MessageTextFor(hr)}};
  for (const auto& [name, value] : placeholders)
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
      text.replace(at, name.size(), value);
  return text;
}

void CommandTableTest::LoadLevels(const char* rxLevel, const char* txLevel) {
  const TempMasterFile file(std::string("[GSM]\nRX Level = ") + rxLevel + "\nTX Level = " + txLevel + "\n");
  StdoutCapture console;
  ASSERT_EQ(GERAN_EXPORT(module(), LoadMasterParameterFile)(0, 0), -1);
}

void CommandTableTest::CheckRow(const Command& command) {
  LoadLevels("-60.5", "-50.25");
  Check("without connection", command, command.unconnected, {}, E_POINTER, MessageTextFor(E_POINTER));
  Connect();
  TestSetSim_SetValue(sim::value::kAccessBurst, 5);
  TestSetSim_SetValue(sim::value::kChannelRequest, 0xFFFF);
  TestSetSim_SetValue(sim::value::kFrameNumber, 123456);
  TestSetSim_SetValue(sim::value::kShiftAnswer, 3);
  TestSetSim_SetText(sim::text::kLogFileName, L"trace.log");
  Check("success", command, command.success, {command.call}, S_OK, "");
  const std::string method = command.call.substr(0, command.call.find('('));
  TestSetSim_FailMethod(method.c_str(), kRefused, L"refused by the test set", 1);
  Check("failure", command, command.failure, {command.call}, kRefused, "refused by the test set");
}

void CommandTableTest::Check(const char* what, const Command& command, const Outcome& expected,
                             const std::vector<std::string>& calls, HRESULT hr,
                             const std::string& reportText) {
  SCOPED_TRACE(what);
  readBack = kUntouched;
  std::fill(std::begin(nameBack), std::end(nameBack) - 1, 'x');
  const CallEffect effect = ObserveCall([&] { return command.invoke(module()); });
  EXPECT_EQ(effect.result, expected.result);
  EXPECT_EQ(effect.calls, calls);
  EXPECT_TRUE(IsOutput(effect.out, Fill(expected.out, hr), command.source, expected.label, reportText));
  EXPECT_EQ(effect.test12, OnDisk(Fill(expected.test12, hr)));
  EXPECT_EQ(effect.remoteApi, OnDisk(Fill(expected.remoteApi, hr)));
  EXPECT_EQ(effect.callBox, "");
  if (expected.value) {
    EXPECT_EQ(readBack, *expected.value);
  }
  if (expected.name != nullptr) {
    EXPECT_STREQ(nameBack, expected.name);
  }
}

}  // namespace geran::test
