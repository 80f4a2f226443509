// znGeranApiInterfaceDll_LoadMasterParameterFile through the real ParameterHandler.dll.
#include "parameter_test.h"

#include <malloc.h>

namespace geran::test {
namespace {

const std::string kMapSuccess = std::string(kBoundAndCalled) + "Parameter Map returned success\n";
const std::string kNextEntry = "Called ParameterList::iterator\nafter ParameterList::iterator\n";
const std::string kGsmEntry = kNextEntry + "Called parameterGroup GSM\n";
const std::string kGprsEntry = kNextEntry + "Called parameterGroup GPRS\n";
const std::string kUnsupported = kNextEntry + "Group not Supported, Use GSM/GPRS Only\n";
const std::string kLoadSuccess = "LoadMasterParameter success\n";

using LoadMasterParameterFile = ParameterTest;

TEST_F(LoadMasterParameterFile, WritesEveryFileLineAndConsoleLineInKeyOrder) {
  const Loaded loaded = Load(
      "[GSM]\nRadio System = 1\nRX Level = -60.5\nUnknown GSM Key = 5\n"
      "[GPRS/EDGE]\nRadio_System = 2\nControl_ARFCN = 20\nL3 ARFCN = 35\nRouting Area Code = -1\n"
      "Location Area Code = 4660\nNetwork Mode Of Operation = NMO III\n"
      "Channel Request = 11 BIT PACKET CHANNEL REQUEST\nCCH Tx Level = -70.25\nCCH Exp Rx Level = "
      "12.3456789\n"
      "PDP IP Address Assigment = 1\nPBCCH = 0\nPBCCH Arfcn = 22\nPBCCH Timeslot = 3\n"
      "DL Signalling Timeslot L3 = 3\nCoding Scheme = 258\nDL Coding Scheme L3 = 2\nUL Timeslot L3 = 4\n"
      "UL Coding Scheme L3 = 1\nL3 Tx Level = -80\nL3 Exp Rx Level = -20\nN-PDU DL Signalling Timeslot = 5\n"
      "N-PDU DL Coding Scheme = 4\nUL Timeslot N-PDU = 6\nUL Coding Scheme N-PDU = 3\nN-PDU ARFCN = 40\n"
      "N-PDU Tx Level = -85.5\nN-PDU Exp. Rx Level = -25\nPacket Data Support = 1\n"
      "DLTn7 = 1\nDLTn0 = 1\nULTn7 = 0\nULTn3 = 1\nN-PDU DLTn7 = 1\nN-PDU ULTn7 = 1\nN-PDU ULTn1 = 1\n");
  EXPECT_EQ(loaded.result, -1);
  EXPECT_EQ(
      ReadFileBytes(kResult),
      OnDisk(kMapSuccess +                                                                 //
             kGprsEntry + "INFO:  CCH Rx Level : 12.345679\n" +                            // CCH Exp Rx Level
             kGprsEntry + "INFO:  CCH Tx Level : -70.250000\n" +                           //
             kGprsEntry + "parameterName.compare -- Channel RequestINFO:  ChnReq : 2\n" +  //
             "INFO:  ChnRequest : 2\n" +                                                   //
             kGprsEntry + "INFO: Coding Scheme  : 2\n" +                                   //
             kGprsEntry + "INFO:  Control ARFCN GPRS : 20\n" +                             //
             kGprsEntry + kGprsEntry + kGprsEntry + kGprsEntry +  // DL Coding, DL Signalling, DLTn0, DLTn7
             kGprsEntry + "INFO:  Traffic ARFCN GPRS : 35\n" +    // L3 ARFCN
             kGprsEntry + kGprsEntry +                            // L3 Exp Rx, L3 Tx
             kGprsEntry + "INFO:  LAC : 4660\n" +                 //
             kGprsEntry + kGprsEntry + kGprsEntry + kGprsEntry +  // N-PDU ARFCN, DL Coding, DL Sig, DLTn7
             kGprsEntry + kGprsEntry + kGprsEntry + kGprsEntry +  // N-PDU Exp, Tx, ULTn1, ULTn7
             kGprsEntry + "INFO:  NMO : NMO III\nINFO:  NMONum : 2\nINFO:  NMO : 2\n" +  //
             kGprsEntry + "INFO: PBCCH  : 1\n" +                                         //
             kGprsEntry + "INFO: PBCCH Arfcn  : 22\n" +                                  //
             kGprsEntry + "INFO: PBCCH TimeSlot  : 3\n" +                                //
             kGprsEntry + "INFO: PDP Assignment  : 1\n" +                                //
             kGprsEntry +                                            // Packet Data Support
             kGsmEntry +                                             // RX Level
             kGsmEntry + "Inside parameterPtr->setRadioSystemGSM" +  //
             kGprsEntry + "INFO:  Radio System GPRS : 2\n" +         //
             kGprsEntry + "INFO:  RAC : -1\n" +                      //
             kGprsEntry + kGprsEntry + kGprsEntry +
             kGprsEntry +               // UL Coding L3, N-PDU, UL Timeslot L3, N-PDU
             kGprsEntry + kGprsEntry +  // ULTn3, ULTn7
             kGsmEntry +                // Unknown GSM Key
             kLoadSuccess));
  EXPECT_EQ(loaded.console,
            "CCH Rx Level :12.3457\n"
            "CCH Tx Level :-70.25\n"
            "Control ARFCN GPRS:20\n"
            "DL Coding Scheme L3:2\n"
            "DL Signalling Timeslot L3:3\n"
            "Signalling TN DL:129\n"
            "Traffic ARFCN GPRS:35\n"
            "L3 Tx Level :-80\n"
            "LAC :4660\n"
            "T1_ARFCN :40\n"
            "N-PDU DL Coding Scheme:4\n"
            "N-PDU DL Signalling Timeslot:5\n"
            "Signalling TN DL1:128\n"
            "N-PDU Tx Level :-85.5\n"
            "Signalling TN UL1:130\n"
            "NMO :2\n"
            "PBCCH :1\n"
            "PBCCH Arfcn:22\n"
            "PBCCH Timeslot:3\n"
            "PDP Assignment :1\n"
            "Radio System GPRS:2\n"
            "RAC :4294967295\n"
            "UL Coding Scheme L3:1\n"
            "UL Coding Scheme N-PDU:3\n"
            "UL Timeslot L3:4\n"
            "UL Timeslot N-PDU:6\n"
            "Signalling TN UL:8\n");
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-60.500000")));
  EXPECT_EQ(Get("Radio System").buffer, Buffer(ByteValue(1)));
}

TEST_F(LoadMasterParameterFile, UnsupportedGroupEndsTheLoadWithEarlierEntriesApplied) {
  ASSERT_EQ(LoadResult("[GSM]\nControl ARFCN = 10\nCall Scenarios = 1\n"), -1);
  const Loaded loaded = Load("[GSM]\nControl ARFCN = 99\nCall Scenarios = 7\n[Other]\nCoding Scheme = 1\n");
  EXPECT_EQ(loaded.result, 0);
  EXPECT_EQ(loaded.console, "");
  EXPECT_EQ(ReadFileBytes(kResult), OnDisk(kMapSuccess + kGsmEntry + kUnsupported));
  EXPECT_EQ(Get("Call Scenarios").buffer, Buffer(ByteValue(7)));
  EXPECT_EQ(Get("Control ARFCN").buffer, Buffer(Int32Value(10)));
}

TEST_F(LoadMasterParameterFile, GroupNamesMatchExactly) {
  for (const char* group : {"gsm", "Gsm", "GPRS", "GPRS/Edge", "GPRS-EDGE"}) {
    const Loaded loaded = Load(std::string("[") + group + "]\nRadio System = 1\n");
    EXPECT_EQ(loaded.result, 0) << group;
    EXPECT_EQ(ReadFileBytes(kResult), OnDisk(kMapSuccess + kUnsupported)) << group;
  }
}

TEST_F(LoadMasterParameterFile, KeysMatchOnlyInsideTheirGroup) {
  ASSERT_EQ(LoadResult("[GSM]\nRadio System = 1\nTX Level = -50\n"), -1);
  const Loaded loaded =
      Load("[GSM]\nRadio_System = 5\nL3 ARFCN = 6\n[GPRS/EDGE]\nRadio System = 7\nTX Level = 8\n");
  EXPECT_EQ(loaded.result, -1);
  EXPECT_EQ(loaded.console, "");
  EXPECT_EQ(ReadFileBytes(kResult),
            OnDisk(kMapSuccess + kGsmEntry + kGprsEntry + kGsmEntry + kGprsEntry + kLoadSuccess));
  EXPECT_EQ(Get("Radio System").buffer, Buffer(ByteValue(1)));
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("-50.000000")));
}

// Slot keys are observed through the family's mask, shown when timeslot 7 is loaded (always "0" here).
TEST_F(LoadMasterParameterFile, SlotKeysMarkTheirTimeslotOnlyForTheExactText1) {
  const struct {
    const char* text;
    const char* mask;
  } cases[] = {{"1", "8"}, {"01", "0"}, {"true", "0"}, {"1.0", "0"}, {"+1", "0"}, {"11", "0"}, {"2", "0"}};
  for (const auto& c : cases) {
    const Loaded loaded = Load(std::string("[GPRS/EDGE]\nDLTn3 = ") + c.text + "\nDLTn7 = 0\n");
    EXPECT_EQ(loaded.result, -1);
    EXPECT_EQ(loaded.console, std::string("Signalling TN DL:") + c.mask + "\n") << c.text;
  }
}

TEST_F(LoadMasterParameterFile, MaskIsRecomputedOnlyWhenTimeslot7IsLoaded) {
  EXPECT_EQ(Load("[GPRS/EDGE]\nULTn2 = 1\nULTn7 = 0\n").console, "Signalling TN UL:4\n");
  EXPECT_EQ(Load("[GPRS/EDGE]\nULTn5 = 1\nULTn2 = 0\nULTn0 = 1\n").console, "") << "no timeslot 7: mask kept";
  EXPECT_EQ(Load("[GPRS/EDGE]\nULTn7 = 1\n").console, "Signalling TN UL:161\n")
      << "elements kept across loads";
}

TEST_F(LoadMasterParameterFile, IntegerTextsKeepTheLow8BitsOfAtoi) {
  const struct {
    const char* text;
    int stored;
  } cases[] = {{"300", 44}, {"-1", 255}, {"radio", 0}, {"12abc", 12}, {"256", 0}, {"", 0}};
  for (const auto& c : cases) {
    ASSERT_EQ(LoadResult(std::string("[GSM]\nRadio System = ") + c.text + "\n"), -1) << c.text;
    EXPECT_EQ(Get("Radio System").buffer, Buffer(ByteValue(c.stored))) << c.text;
  }
}

TEST_F(LoadMasterParameterFile, MappedTextsGiveTheirPositionAndAnyOtherTextZero) {
  const struct {
    const char* key;
    const char* text;
    const char* traced;  // the file line after storing
  } cases[] = {
      {"Network Mode Of Operation", "NMO I", "INFO:  NMO : 0\n"},
      {"Network Mode Of Operation", "NMO II", "INFO:  NMO : 1\n"},
      {"Network Mode Of Operation", "NMO III", "INFO:  NMO : 2\n"},
      {"Network Mode Of Operation", "nmo ii", "INFO:  NMO : 0\n"},
      {"Network Mode Of Operation", "NMO IV", "INFO:  NMO : 0\n"},
      {"Channel Request", "8 BIT CHANNEL REQUEST", "INFO:  ChnRequest : 0\n"},
      {"Channel Request", "8 BIT PACKET CHANNEL REQUEST", "INFO:  ChnRequest : 1\n"},
      {"Channel Request", "11 BIT PACKET CHANNEL REQUEST", "INFO:  ChnRequest : 2\n"},
      {"Channel Request", "11 bit packet channel request", "INFO:  ChnRequest : 0\n"},
      {"Channel Request", "2", "INFO:  ChnRequest : 0\n"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(LoadResult(std::string("[GPRS/EDGE]\n") + c.key + " = " + c.text + "\n"), -1);
    const std::string trace = ReadFileBytes(kResult);
    const std::string expectedEnd = OnDisk(std::string(c.traced) + kLoadSuccess);
    EXPECT_EQ(trace.substr(trace.size() - std::min(trace.size(), expectedEnd.size())), expectedEnd) << c.text;
  }
}

TEST_F(LoadMasterParameterFile, PbcchIsOneWhateverItsText) {
  for (const char* text : {"0", "1", "off", ""}) {
    const Loaded loaded = Load(std::string("[GPRS/EDGE]\nPBCCH = ") + text + "\n");
    EXPECT_EQ(loaded.console, "PBCCH :1\n") << text;
  }
}

TEST_F(LoadMasterParameterFile, SecondLoadKeepsFieldsItDoesNotList) {
  ASSERT_EQ(LoadResult("[GSM]\nRX Level = -60.5\nTX Level = -50\n"), -1);
  ASSERT_EQ(LoadResult("[GSM]\nRX Level = -70\n"), -1);
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-70.000000")));
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("-50.000000")));
}

TEST_F(LoadMasterParameterFile, FileKeysReachTheFieldsOfTheirAccessNames) {
  ASSERT_EQ(LoadResult("[GSM]\nRadio System = 1\nControl ARFCN = 62\nTraffic ARFCN = 70\nTch Timeslot = 2\n"
                       "Call Scenarios = 3\nRX Level = -60.5\nTX Level = -50\nCiphering Type = 4\n"
                       "Ciphering Algorithm = 5\nSDDCH Timeslot = 6\nTch Rate = 7\nDedicated Channel = 8\n"),
            -1);
  const struct {
    const char* name;
    std::string value;
  } cases[] = {
      {"Radio System", ByteValue(1)},
      {"Control ARFCN", Int32Value(62)},
      {"Traffic ARFCN", Int32Value(70)},
      {"TCH Timeslot", ByteValue(2)},
      {"Call Scenarios", ByteValue(3)},
      {"RX Level", TextValue("-60.500000")},
      {"TX Level", TextValue("-50.000000")},
      {"Ciphering Type", ByteValue(4)},
      {"Ciphering Algo", ByteValue(5)},
      {"SDDCH Timeslot", ByteValue(6)},
      {"TCH Rate", ByteValue(7)},
      {"Dedicated Channel", ByteValue(8)},
  };
  for (const auto& c : cases) {
    const Got got = Get(c.name);
    EXPECT_EQ(got.result, -1) << c.name;
    EXPECT_EQ(got.buffer, Buffer(c.value)) << c.name;
  }
}

TEST_F(LoadMasterParameterFile, TenThousandEntriesAllApplied) {
  std::string text = "[GSM]\n";
  for (int i = 0; i < 9998; ++i) text += "Unused key " + std::to_string(i) + " = " + std::to_string(i) + "\n";
  text += "RX Level = -61.25\nTX Level = -49\n";
  const Loaded loaded = Load(text);
  EXPECT_EQ(loaded.result, -1);
  const std::string trace = ReadFileBytes(kResult);
  size_t entries = 0;
  for (size_t at = trace.find("Called parameterGroup GSM"); at != std::string::npos;
       at = trace.find("Called parameterGroup GSM", at + 1))
    ++entries;
  EXPECT_EQ(entries, 10000u);
  EXPECT_EQ(trace.substr(trace.size() - kLoadSuccess.size() - 1), OnDisk(kLoadSuccess));
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-61.250000")));
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("-49.000000")));
}

TEST_F(LoadMasterParameterFile, ListsAreFreedAcrossTheTwoModulesLoadAfterLoad) {
  const std::string longText(100, '7');  // long enough to live on the heap
  for (int round = 0; round < 200; ++round) {
    ASSERT_EQ(LoadResult("[GSM]\nA key well beyond sixteen characters = " + longText +
                         "\nCall Scenarios = " + std::to_string(round) + "\n"),
              -1);
    ASSERT_EQ(Get("Call Scenarios").buffer, Buffer(ByteValue(round)));
  }
  EXPECT_EQ(_heapchk(), _HEAPOK);
}

TEST_F(LoadMasterParameterFile, WithoutTheVariableLoadsTheShippedExample) {
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", nullptr);
  StdoutCapture console;
  EXPECT_EQ(GERAN_EXPORT(module(), LoadMasterParameterFile)(0, 0), -1);
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-60.500000")));
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("-50.000000")));
  const std::string trace = ReadFileBytes(kResult);
  EXPECT_EQ(trace.find("Group not Supported"), std::string::npos);
  EXPECT_NE(console.Take().find("Signalling TN UL1:"), std::string::npos)
      << "the example lists every slot key";
}

}  // namespace
}  // namespace geran::test
