// znGeranApiInterfaceDll_LoadMasterParameterFile through the real ParameterHandler.dll, and
// znGeranApiInterfaceDll_GetParameter / _SetParameter on the store it creates.
#include "parameter_test.h"

namespace geran::test {
namespace {

const std::string kMapSuccess = kBoundAndCalled + "Parameter Map returned success\n";
const std::string kLoadSuccess = "LoadMasterParameter success\n";

const std::string kNext = "Called ParameterList::iterator\nafter ParameterList::iterator\n";
const std::string kGsm = kNext + "Called parameterGroup GSM\n",
                  kGprs = kNext + "Called parameterGroup GPRS\n";

using MasterLoad = ParameterTest;

// Each kind of line once, and keys that belong to the other group (matched only inside their own).
// Only the text "1" marks a timeslot: ULTn2's "01" leaves it out of the mask.
TEST_F(MasterLoad, WritesItsFileAndConsoleLinesInKeyOrder) {
  const Loaded loaded = Load(
      "[GSM]\nRadio System = 300\nRX Level = -60.5\nL3 ARFCN = 6\nUnknown Key = 5\n"
      "[GPRS/EDGE]\nRadio_System = 2\nControl_ARFCN = 20\nRouting Area Code = -1\nCCH Exp Rx Level = "
      "12.3456789\n"
      "Network Mode Of Operation = NMO III\nChannel Request = 11 BIT PACKET CHANNEL REQUEST\nPBCCH = 0\n"
      "Coding Scheme = 300\nN-PDU ARFCN = 40\nTX Level = -5\nDLTn0 = 1\nDLTn7 = 1\n"
      "ULTn2 = 01\nULTn3 = 1\nULTn7 = 0\nN-PDU DLTn7 = 1\nN-PDU ULTn1 = 1\nN-PDU ULTn7 = 1\n");
  EXPECT_EQ(loaded.result, -1);
  const std::string& P = kGprs;  // in key order, each entry's group, then the lines storing its value writes
  EXPECT_EQ(
      ReadFileBytes(kResult),
      OnDisk(kMapSuccess + P + "INFO:  CCH Rx Level : 12.345679\n" +                                     //
             P + "parameterName.compare -- Channel RequestINFO:  ChnReq : 2\nINFO:  ChnRequest : 2\n" +  //
             P + "INFO: Coding Scheme  : 44\n" + P + "INFO:  Control ARFCN GPRS : 20\n" +  // 300: low 8 bits
             P + P + kGsm + P + P + P + P +  // DLTn0, DLTn7, L3 ARFCN, N-PDU ARFCN, DLTn7, ULTn1, ULTn7
             P + "INFO:  NMO : NMO III\nINFO:  NMONum : 2\nINFO:  NMO : 2\n" + P + "INFO: PBCCH  : 1\n" +
             kGsm + kGsm + "Inside parameterPtr->setRadioSystemGSM" +          // RX Level, Radio System
             P + "INFO:  Radio System GPRS : 2\n" + P + "INFO:  RAC : -1\n" +  //
             P + P + P + P + kGsm + kLoadSuccess));  // TX Level, ULTn2, ULTn3, ULTn7, Unknown Key
  EXPECT_EQ(loaded.console,
            "CCH Rx Level :12.3457\nControl ARFCN GPRS:20\nSignalling TN DL:129\nT1_ARFCN :40\n"
            "Signalling TN DL1:128\nSignalling TN UL1:130\nNMO :2\nPBCCH :1\nRadio System GPRS:2\n"
            "RAC :4294967295\nSignalling TN UL:8\n");
  EXPECT_EQ(Get("Radio System").buffer, Buffer(ByteValue(44)));
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-60.500000")));
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("0.000000"))) << "a GSM key in GPRS/EDGE";
}

// Entries before the first one of another group stay applied; group names match byte for byte.
TEST_F(MasterLoad, OtherGroupEndsTheLoadMidWay) {
  for (const char* group : {"Other", "gsm", "GPRS"}) {
    ASSERT_EQ(Load("[GSM]\nCall Scenarios = 1\nControl ARFCN = 10\n").result, -1);
    const Loaded loaded = Load("[GSM]\nCall Scenarios = 7\nControl ARFCN = 99\n[" + std::string(group) +
                               "]\nCoding Scheme = 1\n");
    EXPECT_EQ(loaded.result, 0) << group;
    EXPECT_EQ(loaded.console, "") << group;
    EXPECT_EQ(ReadFileBytes(kResult),
              OnDisk(kMapSuccess + kGsm + kNext + "Group not Supported, Use GSM/GPRS Only\n"))
        << group;
    EXPECT_EQ(Get("Call Scenarios").buffer, Buffer(ByteValue(7))) << group;
    EXPECT_EQ(Get("Control ARFCN").buffer, Buffer(Int32Value(10))) << group;
  }
}

// Each GSM key of the file and each access name reach the same field, read and written; then the edges.
TEST_F(MasterLoad, AccessByName) {
  const auto level = +[](int v) { return TextValue(std::to_string(v) + ".000000"); };  // "%f" text both ways
  const struct {
    const char *key, *name;
    std::string (*value)(int);  // bytes are written as text, integers as themselves
  } fields[] = {
      {"Radio System", "Radio System", ByteValue},
      {"Control ARFCN", "Control ARFCN", Int32Value},
      {"Traffic ARFCN", "Traffic ARFCN", Int32Value},
      {"Tch Timeslot", "TCH Timeslot", ByteValue},
      {"Call Scenarios", "Call Scenarios", ByteValue},
      {"RX Level", "RX Level", level},
      {"TX Level", "TX Level", level},
      {"Ciphering Type", "Ciphering Type", ByteValue},
      {"Ciphering Algorithm", "Ciphering Algo", ByteValue},
      {"SDDCH Timeslot", "SDDCH Timeslot", ByteValue},
      {"Tch Rate", "TCH Rate", ByteValue},
      {"Dedicated Channel", "Dedicated Channel", ByteValue},
  };
  std::string master = "[GSM]\n";
  for (int i = 0; i < 12; ++i) master += fields[i].key + (" = " + std::to_string(i + 1)) + "\n";
  ASSERT_EQ(Load(master).result, -1);
  for (int i = 0; i < 12; ++i) {
    const auto& [key, name, value] = fields[i];
    EXPECT_EQ(Get(name).buffer, Buffer(value(i + 1))) << key;
    EXPECT_EQ(value == Int32Value ? SetInteger(name, 20 + i) : SetText(name, std::to_string(20 + i).c_str()),
              -1);
  }
  for (int i = 0; i < 12; ++i) EXPECT_EQ(Get(fields[i].name).buffer, Buffer(fields[i].value(20 + i))) << i;
  // Edges, after those writes. Before any load there is no store (see the handler failures).
  const struct {
    const char* name;
    const char* text;
    int result;
    std::string read;
  } cases[] = {
      {"TCH Timeslot", "260", -1, ByteValue(4)},
      {"TCH Rate", "x", -1, ByteValue(0)},
      {"TX Level", "-3.4028235e38", -1, TextValue("-340282346638528859811704183484516925440.000000")},
      {"Tch Timeslot", "9", 0, ""},  // the file's key, not the name
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SetText(c.name, c.text), c.result) << c.text;
    const Got got = Get(c.name);
    EXPECT_EQ(std::make_pair(got.result, got.buffer), std::make_pair(c.result, Buffer(c.read))) << c.text;
  }
}

}  // namespace
}  // namespace geran::test
