// System information, paging, access bursts, channel request and frame number: each departure.
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSource = "src/cell/access_and_paging.cpp";
const int kBytes[] = {20, 300, -1};
const int kEdges[] = {256, 300, -1};

// The lines an access read writes before its report: the HRESULT and the system's text for it.
std::string AccessLines(const std::string& command) {
  return " znGeranApiInterfaceDll_" + command + " hr: {hr}\n ErrorMessage :{message}\n";
}

const Command kCommands[] = {
    {"SendSIMsg",
     kSource,
     "SendSIMsg",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendSIMsg)(3, kBytes, 3); },
     {"SendSIMsg(3, 3, [20,44,255])"},
     {-1, "", nullptr, "", ""},
     {0, "", "SendSIMsg", "", ""},
     {0, "", "SendSIMsg", "", ""}},
    {"SendPagingReq",
     kSource,
     "SendPagingReq",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendPagingReq)(1, 2, kBytes, 2, 5); },
     {"SendPagingReq(1, 2, 2, [20,44], 5)"},
     {-1, "", nullptr, "", ""},
     {0, "", "SendPagingReq", "", ""},
     {0, "", "SendPagingReq", "", ""}},
    {"WaitAccessBurst",
     kSource,
     "WaitAccessBurst",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, WaitAccessBurst)(1, 5, 2); },
     {"WaitAccessBurst(1, int:5, 2)"},
     {-1, "", nullptr, "", "Inside WaitAccessBurst\n"},
     {0, " hr: {hr}\n{message}\n", nullptr, "", "WaitAccessBurst returned {hr}\n"},
     {0, "", nullptr, "", "TestSetAPI = NULL\n"}},
    {"GetAccessBurst",
     kSource,
     "GetAccessBurst",
     [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, GetAccessBurst)(value); },
     {"GetAccessBurst()"},
     {0, " znGeranApiInterfaceDll_GetAccessBurst : 5\n", nullptr, "",
      "inside znGeranApiInterfaceDll_GetAccessBurst()\naccessBurstValue = 5\n", 5},
     {0, AccessLines("GetAccessBurst"), "Getaccess_burst_fn", "",
      "inside znGeranApiInterfaceDll_GetAccessBurst()\n", kUntouched},
     {0, "", nullptr, "", "inside znGeranApiInterfaceDll_GetAccessBurst()\n", kUntouched}},
    {"GetchannelRequestMsg",
     kSource,
     "GetchannelRequestMsg",
     [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, GetchannelRequestMsg)(value); },
     {"GetchannelRequestMsg()"},
     {0, "", nullptr, "", "channelRequestNumber = -1\n", -1},
     {0, AccessLines("GetchannelRequestMsg"), "Getchannel_req_msg", "", "", kUntouched},
     {0, AccessLines("GetchannelRequestMsg"), "Getchannel_req_msg", "", "", kUntouched}},
    {"QueryFrameNumber",
     kSource,
     "QueryFrameNumber",
     [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, QueryFrameNumber)(value); },
     {"QueryFrameNumber()"},
     {-1, "", nullptr, "", "", 123456},
     {0, "", "Getchannel_req_msg", "", "", kUntouched},
     {0, "", nullptr, "", "", kUntouched}},
};

class AccessAndPagingTest : public CellCommandTest {};

TEST_F(AccessAndPagingTest, CommandsSucceed) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectSuccess(command);
}

TEST_F(AccessAndPagingTest, FailingMethodsWithTheServerDescription) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectFailure(command, true);
}

TEST_F(AccessAndPagingTest, FailingMethodsWithoutErrorInformation) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectFailure(command, false);
}

TEST_F(AccessAndPagingTest, CommandsWithoutConnection) {
  for (const Command& command : kCommands) ExpectUnconnected(command);
}

TEST_F(AccessAndPagingTest, FailurePathsLeaveNothingBehind) {
  for (const Command& command : kCommands) ExpectNoGrowth(command);
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectNoGrowth(command);
}

// Counts and byte values at their edges; none of these writes to standard output.
TEST_F(AccessAndPagingTest, ByteListsAndCountsAtTheirEdges) {
  ExpectQuiet(
      {{"SendPagingReq count 0 without connection",
        [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendPagingReq)(1, 2, kEdges, 0, 5); },
        0,
        {}}});
  Connect();
  ExpectQuiet({
      {"SendSIMsg low bytes",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendSIMsg)(9, kEdges, 3); },
       -1,
       {"SendSIMsg(9, 3, [0,44,255])"}},
      {"SendSIMsg count 0",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendSIMsg)(9, kEdges, 0); },
       -1,
       {"SendSIMsg(9, 0, [])"}},
      {"SendSIMsg count -3",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendSIMsg)(9, kEdges, -3); },
       -1,
       {"SendSIMsg(9, 0, [])"}},
      {"SendPagingReq count 0",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendPagingReq)(1, 2, kEdges, 0, 5); },
       0,
       {}},
      {"SendPagingReq count -1",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, SendPagingReq)(1, 2, kEdges, -1, 5); },
       0,
       {}},
      {"WaitAccessBurst negative wait",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, WaitAccessBurst)(0, -7, 0); },
       -1,
       {"WaitAccessBurst(0, int:-7, 0)"}},
  });
}

// The 16-bit channel request keeps its sign; the frame number and access burst pass as they are.
TEST_F(AccessAndPagingTest, ReadBackValuesReachTheCaller) {
  const struct {
    const char* setting;
    long value;
    Invoke invoke;
    int expected;
    std::string trace;
  } cases[] = {
      {"ChannelRequest", 0x7FFF,
       [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, GetchannelRequestMsg)(value); }, 32767,
       "channelRequestNumber = 32767\n"},
      {"ChannelRequest", 0x18000,
       [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, GetchannelRequestMsg)(value); },
       -32768, "channelRequestNumber = -32768\n"},
      {"AccessBurst", -2,
       [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, GetAccessBurst)(value); }, -2,
       "inside znGeranApiInterfaceDll_GetAccessBurst()\naccessBurstValue = -2\n"},
      {"FrameNumber", 0,
       [](const ProductModule& m, int* value) { return GERAN_EXPORT(m, QueryFrameNumber)(value); }, 0, ""},
  };
  Connect();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting);
    RemoveTraceFiles();
    TestSetSim_SetValue(c.setting, c.value);
    StdoutCapture out;
    int value = kUntouched;
    c.invoke(module(), &value);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(ReadFileBytes(kRemoteApi), OnDisk(c.trace));
  }
}

}  // namespace
}  // namespace geran::test
