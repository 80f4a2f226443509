// The control channel: ConfigCch's trace sequence and thirteen arguments, DisableCch.
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSource = "src/cell/control_channel.cpp";
constexpr const char* kInside = "Inside znGeranApiInterfaceDll_ConfigCch";
constexpr const char* kInsideConnected =
    "Inside znGeranApiInterfaceDll_ConfigCchInside znGeranApiInterfaceDll_ConfigCch testSetAPI";

// Arguments 4 to 7 are bit patterns the test set gets unchanged; BSIC 7 is traced, never sent.
int ConfigCch(const ProductModule& m, int arfcns, int bsic) {
  return GERAN_EXPORT(m, ConfigCch)(1, 0, arfcns, -1, 0x12345678, INT32_MIN, 42, bsic, 3, 1);
}

std::string ConfigCchCall(const char* levels, const char* arfcnByte) {
  return std::string("ConfigCch(1, ") + levels + ", 0, 1, [" + arfcnByte +
         "], -1, 305419896, -2147483648, 42, 0, 3, 1)";
}

std::string ConfigCchTrace(const char* levels, int arfcns, int bsic) {
  return std::string(kInsideConnected) + levels +
         "CchMode =  1\nSubChannel =  0\nArfcns =  " + std::to_string(arfcns) +
         "\nBSIC =  " + std::to_string(bsic) + "\nChannelId =  3\nBsCcChans =  1\n";
}

constexpr const char* kLevelTrace =
    "parameterPtr->getRxLevel() = -60.500000\nparameterPtr->getTxLevel() = -50.250000\n";

const Command kCommands[] = {
    {"ConfigCch",
     kSource,
     "ConfigCch",
     [](const ProductModule& m, int*) { return ConfigCch(m, 20, 7); },
     {ConfigCchCall("-60.5, -50.25", "20")},
     {-1, "", nullptr, ConfigCchTrace(kLevelTrace, 20, 7) + "configcch Done\n", ""},
     {0, "", "ShowText", ConfigCchTrace(kLevelTrace, 20, 7) + "configcch Faied with hr = {hr}\n", ""},
     {0, "", nullptr, kInside, ""}},
    {"DisableCch",
     kSource,
     "DisableCch",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, DisableCch)(-7); },
     {"DisableCch(-7)"},
     {-1, "", nullptr, "", ""},
     {0, "", "DisableCch", "", ""},
     {0, "", nullptr, "", ""}},
};

class ControlChannelTest : public CellCommandTest {
 protected:
  void SetUp() override {
    CellCommandTest::SetUp();
    LoadLevels("-60.5", "-50.25");
  }
};

TEST_F(ControlChannelTest, CommandsSucceed) {
  Connect();
  for (const Command& command : kCommands) ExpectSuccess(command);
}

TEST_F(ControlChannelTest, FailingMethodsWithTheServerDescription) {
  Connect();
  for (const Command& command : kCommands) ExpectFailure(command, true);
}

TEST_F(ControlChannelTest, FailingMethodsWithoutErrorInformation) {
  Connect();
  for (const Command& command : kCommands) ExpectFailure(command, false);
}

TEST_F(ControlChannelTest, CommandsWithoutConnection) {
  for (const Command& command : kCommands) ExpectUnconnected(command);
}

TEST_F(ControlChannelTest, FailurePathsLeaveNothingBehind) {
  for (const Command& command : kCommands) ExpectNoGrowth(command);
  Connect();
  for (const Command& command : kCommands) ExpectNoGrowth(command);
}

// The trace shows the caller's full Arfcns and BSIC; the test set gets the low byte and a 0.
TEST_F(ControlChannelTest, ArfcnsAndBsicAreTracedAsGiven) {
  Connect();
  const struct {
    int arfcns;
    int bsic;
    const char* byte;
  } cases[] = {{300, 7, "44"}, {-1, 63, "255"}, {256, -5, "0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arfcns);
    RemoveTraceFiles();
    const size_t mark = Journal().size();
    EXPECT_EQ(ConfigCch(module(), c.arfcns, c.bsic), -1);
    EXPECT_EQ(JournalSince(mark), std::vector<std::string>{ConfigCchCall("-60.5, -50.25", c.byte)});
    EXPECT_EQ(ReadFileBytes(kTest12),
              OnDisk(ConfigCchTrace(kLevelTrace, c.arfcns, c.bsic) + "configcch Done\n"));
  }
}

// Nothing is cached: each call sends and traces the levels stored at that moment.
TEST_F(ControlChannelTest, LevelsAreReadAtEachCall) {
  Connect();
  LoadLevels("-70", "12.125");
  RemoveTraceFiles();
  const size_t mark = Journal().size();
  EXPECT_EQ(ConfigCch(module(), 20, 7), -1);
  EXPECT_EQ(JournalSince(mark), std::vector<std::string>{ConfigCchCall("-70, 12.125", "20")});
  EXPECT_EQ(
      ReadFileBytes(kTest12),
      OnDisk(ConfigCchTrace(
                 "parameterPtr->getRxLevel() = -70.000000\nparameterPtr->getTxLevel() = 12.125000\n", 20, 7) +
             "configcch Done\n"));
}

class ControlChannelBeforeLoadTest : public CellCommandTest {};

// Without the stored levels: 0 and no call; the texts written before the levels are needed stay.
TEST_F(ControlChannelBeforeLoadTest, ConfigCchStopsBeforeTheLevels) {
  const std::vector<QuietCall> configure = {
      {"ConfigCch", [](const ProductModule& m, int*) { return ConfigCch(m, 20, 7); }, 0, {}}};
  ExpectQuiet(configure);
  EXPECT_EQ(ReadFileBytes(kTest12), kInside);
  Connect();
  ExpectQuiet(configure);
  EXPECT_EQ(ReadFileBytes(kTest12), kInsideConnected);
}

}  // namespace
}  // namespace geran::test
