// Traffic multiframe, ciphering, layer-3 messages and the layer-2 link: each departure.
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSource = "src/cell/dedicated_channel.cpp";
const double kKey[] = {1.9, 255.0, 300.7};
const double kRand[] = {-1.5, 256.0};
const int kMessage[] = {300, -1, 5};

int EnableTrafficMultiframe(const ProductModule& m, int arfcn) {
  return GERAN_EXPORT(m, EnableTrafficMultiframe)(7, arfcn, 3, 4, 5, 6, -1, 0x12345678, 9, 10, 11, 12);
}

const Command kCommands[] = {
    {"EnableTrafficMultiframe",
     kSource,
     "EnableTrafficMultiframe",
     [](const ProductModule& m, int*) { return EnableTrafficMultiframe(m, 20); },
     {"EnableTrafficMultiframe(-60.5, -50.25, 7, 1, [20], 3, 4, 5, 6, -1, 305419896, 9, 10, 11, 12)"},
     {-1, "", nullptr, "", ""},
     {0, "", "EnableTrafficMultiframe", "", ""},
     {0, "", "EnableTrafficMultiframe", "", ""}},
    {"DisableTrafficMultiframe",
     kSource,
     "DisableTrafficMultiframe",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, DisableTrafficMultiframe)(4); },
     {"DisableTrafficMultiframe(4)"},
     {-1, "", nullptr, "", ""},
     {0, "", "Getaccess_burst_fn", "", ""},
     {0, "", nullptr, "", ""}},
    {"CipherMode",
     kSource,
     "CipherMode",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, CipherMode)(1, 2, 3, kKey, 3, kRand, 2, 9); },
     {"CipherMode(1, 2, 3, [1,255,44], [255,0], 1, 9)"},
     {-1, "", nullptr, "", ""},
     {0, "", "CipherMode", "", ""},
     {0, "", "CipherMode", "", ""}},
    {"SendMsg",
     kSource,
     "SendMsg",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendMsg)(1, 2, kMessage, 3, 4); },
     {"SendMsg(1, 2, 3, [44,255,5], 4)"},
     {-1, "", nullptr, "", ""},
     {0, "", "SendMsg", "", ""},
     {0, "", nullptr, "", ""}},
    {"WaitMsg",
     kSource,
     "WaitMsg",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, WaitMsg)(1, 2, 3, kMessage, 2); },
     {"WaitMsg(1, 2, 3, [44,255])"},
     {-1, "", nullptr, "", ""},
     {0, "", "WaitMsg", "", ""},
     {-1, "", nullptr, "", ""}},
    {"ReleaseL2Link",
     kSource,
     "ReleaseL2Link",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ReleaseL2Link)(1, 2, 3, 4); },
     {"ReleaseL2Link(1, 2, 3, 4)"},
     {-1, "", nullptr, "", ""},
     {0, "", "ReleaseL2Link", "", ""},
     {0, "", nullptr, "", ""}},
};

class DedicatedChannelTest : public CellCommandTest {
 protected:
  void SetUp() override {
    CellCommandTest::SetUp();
    LoadLevels("-60.5", "-50.25");
  }
};

TEST_F(DedicatedChannelTest, CommandsSucceed) {
  Connect();
  for (const Command& command : kCommands) ExpectSuccess(command);
}

TEST_F(DedicatedChannelTest, FailingMethodsWithTheServerDescription) {
  Connect();
  for (const Command& command : kCommands) ExpectFailure(command, true);
}

TEST_F(DedicatedChannelTest, FailingMethodsWithoutErrorInformation) {
  Connect();
  for (const Command& command : kCommands) ExpectFailure(command, false);
}

TEST_F(DedicatedChannelTest, CommandsWithoutConnection) {
  for (const Command& command : kCommands) ExpectUnconnected(command);
}

TEST_F(DedicatedChannelTest, FailurePathsLeaveNothingBehind) {
  for (const Command& command : kCommands) ExpectNoGrowth(command);
  Connect();
  for (const Command& command : kCommands) ExpectNoGrowth(command);
}

// Only a count of exactly 0 stops CipherMode; SendMsg and WaitMsg stop at 0 or less.
TEST_F(DedicatedChannelTest, CountsAndByteValuesAtTheirEdges) {
  ExpectQuiet({
      {"CipherMode first count 0 without connection",
       [](const ProductModule& m, int*) {
         return GERAN_EXPORT(m, CipherMode)(1, 2, 3, kKey, 0, kRand, 2, 9);
       },
       0,
       {}},
      {"SendMsg count -2 without connection",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendMsg)(1, 2, kMessage, -2, 4); },
       0,
       {}},
      {"WaitMsg count 0 without connection",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, WaitMsg)(1, 2, 3, kMessage, 0); },
       0,
       {}},
  });
  Connect();
  ExpectQuiet({
      {"CipherMode first count 0",
       [](const ProductModule& m, int*) {
         return GERAN_EXPORT(m, CipherMode)(1, 2, 3, kKey, 0, kRand, -1, 9);
       },
       0,
       {}},
      {"CipherMode second count 0",
       [](const ProductModule& m, int*) {
         return GERAN_EXPORT(m, CipherMode)(1, 2, 3, kKey, 3, kRand, 0, 9);
       },
       0,
       {}},
      {"CipherMode negative count",
       [](const ProductModule& m, int*) {
         return GERAN_EXPORT(m, CipherMode)(5, 6, 7, kKey, -1, kRand, 2, 8);
       },
       -1,
       {"CipherMode(5, 6, 7, [], [255,0], 1, 8)"}},
      {"SendMsg count -2",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendMsg)(1, 2, kMessage, -2, 4); },
       0,
       {}},
      {"WaitMsg count 0",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, WaitMsg)(1, 2, 3, kMessage, 0); },
       0,
       {}},
      {"EnableTrafficMultiframe arfcn 300",
       [](const ProductModule& m, int*) { return EnableTrafficMultiframe(m, 300); },
       -1,
       {"EnableTrafficMultiframe(-60.5, -50.25, 7, 1, [44], 3, 4, 5, 6, -1, 305419896, 9, 10, 11, 12)"}},
      {"EnableTrafficMultiframe arfcn -1",
       [](const ProductModule& m, int*) { return EnableTrafficMultiframe(m, -1); },
       -1,
       {"EnableTrafficMultiframe(-60.5, -50.25, 7, 1, [255], 3, 4, 5, 6, -1, 305419896, 9, 10, 11, 12)"}},
  });
}

class DedicatedChannelBeforeLoadTest : public CellCommandTest {};

// Without the stored levels there is nothing to configure: 0, no call, nothing written.
TEST_F(DedicatedChannelBeforeLoadTest, EnableTrafficMultiframeFailsQuietly) {
  const std::vector<QuietCall> enable = {
      {"EnableTrafficMultiframe",
       [](const ProductModule& m, int*) { return EnableTrafficMultiframe(m, 20); },
       0,
       {}}};
  ExpectQuiet(enable);
  Connect();
  ExpectQuiet(enable);
  EXPECT_EQ(ReadFileBytes(kTest12), "");
}

}  // namespace
}  // namespace geran::test
