// The nineteen cell commands against the simulator: one row per command pins its calls, result,
// stdout and traces on success, on a failing method and without a connection; the departures from
// the rows follow.
#include "command_table.h"

#include <climits>

namespace geran::test {
namespace {

constexpr const char* kAccess = "src/cell/access_and_paging.cpp";
constexpr const char* kControl = "src/cell/control_channel.cpp";
constexpr const char* kDedicated = "src/cell/dedicated_channel.cpp";
constexpr const char* kPower = "src/cell/power_and_timing.cpp";
const int kBytes[] = {20, 300, -1};
const double kKey[] = {1.9, 255.0, 300.7};
const double kRand[] = {-1.5, 256.0};

// The lines an access read writes before its report: the HRESULT and the system's text for it.
std::string AccessLines(const std::string& command) {
  return " znGeranApiInterfaceDll_" + command + " hr: {hr}\n ErrorMessage :{message}\n";
}

// Arguments 4 to 7 are bit patterns the test set gets unchanged; BSIC is traced, never sent. Both
// commands send the ARFCN's low byte; ConfigCch traces the caller's full ARFCN.
const Invoke kConfigCch = GERAN_CALL(ConfigCch, 1, 0, 300, -1, 0x12345678, INT32_MIN, 42, -5, 3, 1);
const Invoke kEnableTrafficMultiframe =
    GERAN_CALL(EnableTrafficMultiframe, 7, -1, 3, 4, 5, 6, -1, 0x12345678, 9, 10, 11, 12);
std::string ConfigCchCall(const std::string& levels) {
  return "ConfigCch(1, " + levels + ", 0, 1, [44], -1, 305419896, -2147483648, 42, 0, 3, 1)";
}
constexpr const char* kInside = "Inside znGeranApiInterfaceDll_ConfigCch";
constexpr const char* kInsideConnected =
    "Inside znGeranApiInterfaceDll_ConfigCchInside znGeranApiInterfaceDll_ConfigCch testSetAPI";
std::string Levels(const char* rx, const char* tx) {
  return std::string("parameterPtr->getRxLevel() = ") + rx + "\nparameterPtr->getTxLevel() = " + tx + "\n";
}
std::string ConfigCchTrace(const std::string& levels, const char* end) {
  return kInsideConnected + levels +
         "CchMode =  1\nSubChannel =  0\nArfcns =  300\nBSIC =  -5\nChannelId =  3\n"
         "BsCcChans =  1\n" +
         end;
}

std::string EnableTrafficMultiframeCall(const std::string& levels) {
  return "EnableTrafficMultiframe(" + levels + ", 7, 1, [255], 3, 4, 5, 6, -1, 305419896, 9, 10, 11, 12)";
}

constexpr const char* kMsPower = "Inside znGeranApiInterfaceDll_ChangeMSPower with MSPower: 5\n";
constexpr const char* kTiming = "znGeranApiInterfaceDll_ChangeTimingAdvance ";

const Command kCommands[] = {
    Row("SendSIMsg", kAccess, GERAN_CALL(SendSIMsg, 3, kBytes, 3), "SendSIMsg(3, 3, [20,44,255])", {-1},
        {0, "SendSIMsg"}, {0, "SendSIMsg"}),
    Row("SendPagingReq", kAccess, GERAN_CALL(SendPagingReq, 1, 2, kBytes, 2, 5),
        "SendPagingReq(1, 2, 2, [20,44], 5)", {-1}, {0, "SendPagingReq"}, {0, "SendPagingReq"}),
    Row("WaitAccessBurst", kAccess, GERAN_CALL(WaitAccessBurst, 1, -7, 2), "WaitAccessBurst(1, int:-7, 2)",
        {-1, nullptr, "", "", "Inside WaitAccessBurst\n"},
        {0, nullptr, " hr: {hr}\n{message}\n", "", "WaitAccessBurst returned {hr}\n"},
        {0, nullptr, "", "", "TestSetAPI = NULL\n"}),
    Row("GetAccessBurst", kAccess, GERAN_CALL(GetAccessBurst, &readBack), "GetAccessBurst()",
        {0, nullptr, " znGeranApiInterfaceDll_GetAccessBurst : 5\n", "",
         "inside znGeranApiInterfaceDll_GetAccessBurst()\naccessBurstValue = 5\n", 5},
        {0, "Getaccess_burst_fn", AccessLines("GetAccessBurst"), "",
         "inside znGeranApiInterfaceDll_GetAccessBurst()\n", kUntouched},
        {0, nullptr, "", "", "inside znGeranApiInterfaceDll_GetAccessBurst()\n", kUntouched}),
    Row("GetchannelRequestMsg", kAccess, GERAN_CALL(GetchannelRequestMsg, &readBack),
        "GetchannelRequestMsg()", {0, nullptr, "", "", "channelRequestNumber = -1\n", -1},
        {0, "Getchannel_req_msg", AccessLines("GetchannelRequestMsg"), "", "", kUntouched},
        {0, "Getchannel_req_msg", AccessLines("GetchannelRequestMsg"), "", "", kUntouched}),
    Row("QueryFrameNumber", kAccess, GERAN_CALL(QueryFrameNumber, &readBack), "QueryFrameNumber()",
        {-1, nullptr, "", "", "", 123456}, {0, "Getchannel_req_msg", "", "", "", kUntouched},
        {0, nullptr, "", "", "", kUntouched}),
    Row("ConfigCch", kControl, kConfigCch, ConfigCchCall("-60.5, -50.25"),
        {-1, nullptr, "", ConfigCchTrace(Levels("-60.500000", "-50.250000"), "configcch Done\n")},
        {0, "ShowText", "",
         ConfigCchTrace(Levels("-60.500000", "-50.250000"), "configcch Faied with hr = {hr}\n")},
        {0, nullptr, "", kInside}),
    Row("DisableCch", kControl, GERAN_CALL(DisableCch, -7), "DisableCch(-7)", {-1}, {0, "DisableCch"}, {0}),
    Row("EnableTrafficMultiframe", kDedicated, kEnableTrafficMultiframe,
        EnableTrafficMultiframeCall("-60.5, -50.25"), {-1}, {0, "EnableTrafficMultiframe"},
        {0, "EnableTrafficMultiframe"}),
    Row("DisableTrafficMultiframe", kDedicated, GERAN_CALL(DisableTrafficMultiframe, 4),
        "DisableTrafficMultiframe(4)", {-1}, {0, "Getaccess_burst_fn"}, {0}),
    Row("CipherMode", kDedicated, GERAN_CALL(CipherMode, 1, 2, 3, kKey, 3, kRand, 2, 9),
        "CipherMode(1, 2, 3, [1,255,44], [255,0], 1, 9)", {-1}, {0, "CipherMode"}, {0, "CipherMode"}),
    Row("SendMsg", kDedicated, GERAN_CALL(SendMsg, 1, 2, kBytes, 3, 4), "SendMsg(1, 2, 3, [20,44,255], 4)",
        {-1}, {0, "SendMsg"}, {0}),
    Row("WaitMsg", kDedicated, GERAN_CALL(WaitMsg, 1, 2, 3, kBytes, 2), "WaitMsg(1, 2, 3, [20,44])", {-1},
        {0, "WaitMsg"}, {-1}),
    Row("ReleaseL2Link", kDedicated, GERAN_CALL(ReleaseL2Link, 1, 2, 3, 4), "ReleaseL2Link(1, 2, 3, 4)", {-1},
        {0, "ReleaseL2Link"}, {0}),
    Row("ChangeTxPower", kPower, GERAN_CALL(ChangeTxPower, 0.1f, 3), "ChangeTxPower(0.100000001, 3)", {-1},
        {0, "ChangeTxPower"}, {0}),
    Row("ChangeMSPower", kPower, GERAN_CALL(ChangeMSPower, 5, 2), "ChangeMSPower(5, 2)",
        {-1, nullptr, "", "", std::string(kMsPower) + "znGeranApiInterfaceDll_ChangeMSPower Successfull\n"},
        {0, "znGeranApiInterfaceDll_ChangeMSPower", "", "",
         std::string(kMsPower) + "znGeranApiInterfaceDll_ChangeMSPower Faied with hr = {hr}\n"},
        {0, nullptr, "", "",
         std::string(kMsPower) + "znGeranApiInterfaceDll_ChangeMSPower testSetAPI is null\n"}),
    Row("ChangeTimingAdvance", kPower, GERAN_CALL(ChangeTimingAdvance, 12, 3), "ChangeTimingAdvance(12, 3)",
        {-1, nullptr, "", std::string(kTiming) + "Successfull\n"},
        {0, "znGeranApiInterfaceDll_ChangeTimingAdvance", "",
         std::string(kTiming) + "Faied with hr = {hr}\n"},
        {0}),
    Row("ShiftRight", kPower, GERAN_CALL(ShiftRight, 1, 2), "ShiftRight(1, 2)", {3}, {0, "B_RIGHT"}, {0}),
    Row("ShiftLeft", kPower, GERAN_CALL(ShiftLeft, 4, -5), "ShiftLeft(4, -5)", {3}, {0, "B_LEFT"}, {0}),
};

class CommandTest : public CommandTableTest {};
class CellTest : public CommandTableTest {};

// Without a connection, then connected: succeeding, and failing.
TEST_P(CommandTest, GivesWhatItsRowSays) { CheckRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cell, CommandTest, ::testing::ValuesIn(kCommands), RowName);

// Without stored levels: 0 and no call, ConfigCch keeping the texts it writes before it needs them.
// Then nothing is cached: each call sends the levels stored at that moment.
TEST_F(CellTest, LevelsAreNeededAndReadAtEachCall) {
  for (const bool connected : {false, true}) {
    if (connected) Connect();
    StdoutCapture out;
    EXPECT_EQ(kConfigCch(module()), 0);
    EXPECT_EQ(kEnableTrafficMultiframe(module()), 0);
    EXPECT_EQ(out.Take(), "");
    EXPECT_EQ(Calls(), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(kTest12), connected ? kInsideConnected : kInside);
  }
  LoadLevels("-60.5", "-50.25");
  ASSERT_EQ(kConfigCch(module()), -1);
  ASSERT_EQ(kEnableTrafficMultiframe(module()), -1);
  LoadLevels("-70", "12.125");
  RemoveTraceFiles();
  const size_t mark = Journal().size();
  EXPECT_EQ(kConfigCch(module()), -1);
  EXPECT_EQ(kEnableTrafficMultiframe(module()), -1);
  EXPECT_EQ(Journal(mark), (std::vector<std::string>{ConfigCchCall("-70, 12.125"),
                                                     EnableTrafficMultiframeCall("-70, 12.125")}));
  EXPECT_EQ(ReadFileBytes(kTest12),
            OnDisk(ConfigCchTrace(Levels("-70.000000", "12.125000"), "configcch Done\n")));
}

}  // namespace
}  // namespace geran::test
