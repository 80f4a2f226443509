#include "command_table.h"

#include <psapi.h>

#include <algorithm>
#include <climits>
#include <fstream>

namespace geran::test {
namespace {

constexpr int kWarmUpRounds = 200;
constexpr int kWindows = 3;
constexpr int kRoundsPerWindow = 2000;
// A leak of even one small heap block per round (2000 rounds of at least 16 bytes) grows the memory
// in every window; heap noise (a new heap segment now and then) stays below this in most of them.
constexpr long long kAllowedGrowth = 32 * 1024;

std::string Fill(std::string text, HRESULT hr) {
  const std::pair<std::string, std::string> placeholders[] = {{"{hr}", std::to_string(static_cast<long>(hr))},
                                                              {"{message}", MessageTextFor(hr)}};
  for (const auto& [name, value] : placeholders)
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
      text.replace(at, name.size(), value);
  return text;
}

// The process's committed private memory (PagefileUsage, which Windows also reports as
// PrivateUsage; Wine fills only the former).
long long PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long long>(counters.PagefileUsage);
}

}  // namespace

std::vector<std::string> JournalSince(size_t mark) {
  std::vector<std::string> entries = Journal();
  entries.erase(entries.begin(), entries.begin() + static_cast<long>(std::min(mark, entries.size())));
  return entries;
}

void CellCommandTest::ConnectWithReadBackValues() {
  Connect();
  TestSetSim_SetValue("AccessBurst", 5);
  TestSetSim_SetValue("ChannelRequest", 0xFFFF);
  TestSetSim_SetValue("FrameNumber", 123456);
  TestSetSim_SetValue("ShiftAnswer", 3);
}

void CellCommandTest::LoadLevels(const char* rxLevel, const char* txLevel) {
  const char* path = "C:\\cell_levels.ini";
  std::ofstream(path) << "[GSM]\nRX Level = " << rxLevel << "\nTX Level = " << txLevel << "\n";
  ASSERT_TRUE(SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", path));
  StdoutCapture console;  // the load's console lines are not under test here
  ASSERT_EQ(GERAN_EXPORT(module(), LoadMasterParameterFile)(0, 0), -1);
  DeleteFileA(path);  // the store keeps the levels; the prefix keeps no file of these tests
}

void CellCommandTest::ExpectSuccess(const Command& command) {
  Check(command, command.success, command.calls, S_OK, "");
}

void CellCommandTest::ExpectFailure(const Command& command, bool serverDescribes) {
  TestSetSim_FailMethod(command.method, kRefused, serverDescribes ? kRefusedDescription : nullptr, 1);
  Check(command, command.failure, command.calls, kRefused,
        serverDescribes ? kRefusedDescriptionText : MessageTextFor(kRefused));
  TestSetSim_FailMethod(command.method, 0, nullptr, 0);
}

void CellCommandTest::ExpectUnconnected(const Command& command) {
  Check(command, command.unconnected, {}, E_POINTER, MessageTextFor(E_POINTER));
}

void CellCommandTest::Check(const Command& command, const Outcome& expected,
                            const std::vector<std::string>& calls, HRESULT hr,
                            const std::string& reportText) {
  SCOPED_TRACE(command.name);
  RemoveTraceFiles();
  const size_t mark = Journal().size();
  int value = kUntouched;
  StdoutCapture capture;
  const int result = command.invoke(module(), &value);
  const std::string out = capture.Take();

  EXPECT_EQ(JournalSince(mark), calls);
  EXPECT_EQ(result, expected.result);
  const std::string lines = Fill(expected.out, hr);
  if (expected.label == nullptr) {
    EXPECT_EQ(out, lines);
  } else {
    EXPECT_EQ(out.substr(0, lines.size()), lines);
    EXPECT_TRUE(IsFailureReport(out.substr(std::min(lines.size(), out.size())), command.source,
                                expected.label, reportText));
  }
  EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(Fill(expected.test12, hr)));
  EXPECT_EQ(ReadFileBytes(kRemoteApi), OnDisk(Fill(expected.remoteApi, hr)));
  if (expected.value) {
    EXPECT_EQ(value, *expected.value);
  }
}

void CellCommandTest::ExpectQuiet(const std::vector<QuietCall>& cases) {
  for (const QuietCall& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t mark = Journal().size();
    int value = kUntouched;
    StdoutCapture out;
    EXPECT_EQ(c.invoke(module(), &value), c.result);
    EXPECT_EQ(JournalSince(mark), c.calls);
    EXPECT_EQ(out.Take(), "");
  }
}

void CellCommandTest::ExpectNoGrowth(const Command& command) {
  SCOPED_TRACE(command.name);
  StdoutCapture reports;  // many reports: into the capture file, not the console
  int value = kUntouched;
  const auto round = [&] {
    TestSetSim_Reset();  // the journal would grow with every call
    TestSetSim_FailMethod(command.method, kRefused, kRefusedDescription, 1);
    command.invoke(module(), &value);
  };
  for (int i = 0; i < kWarmUpRounds; ++i) round();
  long long smallestGrowth = LLONG_MAX;
  for (int window = 0; window < kWindows; ++window) {
    const long long before = PrivateBytes();
    for (int i = 0; i < kRoundsPerWindow; ++i) round();
    smallestGrowth = std::min(smallestGrowth, PrivateBytes() - before);
  }
  EXPECT_LT(smallestGrowth, kAllowedGrowth)
      << "bytes over " << kRoundsPerWindow << " rounds, in every window";
  RemoveTraceFiles();
}

}  // namespace geran::test
