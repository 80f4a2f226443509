// znGeranApiInterfaceDll_LoadMasterParameterFile through the real ParameterHandler.dll, and
// znGeranApiInterfaceDll_GetParameter / _SetParameter on the store it creates.
#include "parameter_test.h"

#include <parameters/parameter_table.h>
#include <parameters_doc.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

namespace geran::test {
namespace {

const std::string kMapSuccess = kBoundAndCalled + "Parameter Map returned success\n";
const std::string kLoadSuccess = "LoadMasterParameter success\n";

const std::string kNext = "Called ParameterList::iterator\nafter ParameterList::iterator\n";
const std::string kGsm = kNext + "Called parameterGroup GSM\n",
                  kGprs = kNext + "Called parameterGroup GPRS\n";

using MasterLoad = ParameterTest;

// Every key the library reads, each in its group, in the list's key order: the lines it writes.
TEST_F(MasterLoad, WritesEachKeysFileAndConsoleLines) {
  const char *G = "GSM", *P = "GPRS/EDGE";
  const struct {
    const char *group, *key, *value, *file, *console;
  } keys[] = {
      {P, "CCH Exp Rx Level", "3.25", "INFO:  CCH Rx Level : 3.250000\n", "CCH Rx Level :3.25\n"},
      {P, "CCH Tx Level", "-12.3456789", "INFO:  CCH Tx Level : -12.345679\n", "CCH Tx Level :-12.3457\n"},
      {G, "Call Scenarios", "2", "", ""},
      {P, "Channel Request", "8 BIT PACKET CHANNEL REQUEST",
       "parameterName.compare -- Channel RequestINFO:  ChnReq : 1\nINFO:  ChnRequest : 1\n", ""},
      {G, "Ciphering Algorithm", "3", "", ""},
      {G, "Ciphering Type", "1", "", ""},
      {P, "Coding Scheme", "300", "INFO: Coding Scheme  : 44\n", ""},
      {G, "Control ARFCN", "10", "", ""},
      {P, "Control_ARFCN", "20", "INFO:  Control ARFCN GPRS : 20\n", "Control ARFCN GPRS:20\n"},
      {P, "DL Coding Scheme L3", "3", "", "DL Coding Scheme L3:3\n"},
      {P, "DL Signalling Timeslot L3", "4", "", "DL Signalling Timeslot L3:4\n"},
      {P, "DLTn#", "1 0 true 0 0 0 0 1", "", "Signalling TN DL:129\n"},  // timeslots 0 to 7
      {G, "Dedicated Channel", "1", "", ""},
      {P, "L3 ARFCN", "6", "INFO:  Traffic ARFCN GPRS : 6\n", "Traffic ARFCN GPRS:6\n"},
      {P, "L3 Exp Rx Level", "-80", "", ""},
      {P, "L3 Tx Level", "-7.5", "", "L3 Tx Level :-7.5\n"},
      {P, "Location Area Code", "7", "INFO:  LAC : 7\n", "LAC :7\n"},
      {G, "Loopback", "1", "", ""},
      {G, "Mobile Identity", "2", "", ""},
      {P, "N-PDU ARFCN", "40", "", "T1_ARFCN :40\n"},
      {P, "N-PDU DL Coding Scheme", "4", "", "N-PDU DL Coding Scheme:4\n"},
      {P, "N-PDU DL Signalling Timeslot", "6", "", "N-PDU DL Signalling Timeslot:6\n"},
      {P, "N-PDU DLTn#", "0 0 0 0 0 0 0 1", "", "Signalling TN DL1:128\n"},
      {P, "N-PDU Exp. Rx Level", "-90", "", ""},
      {P, "N-PDU Tx Level", "-20.25", "", "N-PDU Tx Level :-20.25\n"},
      {P, "N-PDU ULTn#", "0 1 0 0 0 0 0 1", "", "Signalling TN UL1:130\n"},
      {P, "Network Mode Of Operation", "NMO II", "INFO:  NMO : NMO II\nINFO:  NMONum : 1\nINFO:  NMO : 1\n",
       "NMO :1\n"},
      {P, "PBCCH", "0", "INFO: PBCCH  : 1\n", "PBCCH :1\n"},
      {P, "PBCCH Arfcn", "30", "INFO: PBCCH Arfcn  : 30\n", "PBCCH Arfcn:30\n"},
      {P, "PBCCH Timeslot", "5", "INFO: PBCCH TimeSlot  : 5\n", "PBCCH Timeslot:5\n"},
      {P, "PDP IP Address Assigment", "3", "INFO: PDP Assignment  : 3\n", "PDP Assignment :3\n"},
      {P, "Packet Data Support", "1", "", ""},
      {G, "RX Level", "-60.5", "", ""},
      {G, "Radio System", "300", "Inside parameterPtr->setRadioSystemGSM", ""},
      {P, "Radio_System", "258", "INFO:  Radio System GPRS : 2\n", "Radio System GPRS:2\n"},
      {P, "Routing Area Code", "-1", "INFO:  RAC : -1\n", "RAC :4294967295\n"},
      {G, "SDDCH Timeslot", "1", "", ""},
      {G, "Samples", "100", "", ""},
      {G, "TX Level", "-50.25", "", ""},
      {G, "Tch Rate", "1", "", ""},
      {G, "Tch Timeslot", "3", "", ""},
      {G, "Traffic ARFCN", "12", "", ""},
      {P, "UL Coding Scheme L3", "2", "", "UL Coding Scheme L3:2\n"},
      {P, "UL Coding Scheme N-PDU", "1", "", "UL Coding Scheme N-PDU:1\n"},
      {P, "UL Timeslot L3", "1", "", "UL Timeslot L3:1\n"},
      {P, "UL Timeslot N-PDU", "2", "", "UL Timeslot N-PDU:2\n"},
      {P, "ULTn#", "0 0 01 1 0 0 0 0", "", "Signalling TN UL:8\n"},
  };
  // A key ending in '#' stands for its family's timeslots 0 to 7, with a value each; its console line is
  // timeslot 7's.
  std::string master[2], file = kMapSuccess, console;
  const auto add = [&](const auto& k, const std::string& key, const std::string& value) {
    master[k.group == P] += key + " = " + value + "\n";
    file += (k.group == G ? kGsm : kGprs) + k.file;
  };
  for (const auto& k : keys) {
    const std::string key = k.key;
    std::istringstream slotValues(k.value);
    if (key.back() != '#') add(k, key, k.value);
    for (char slot = '0'; key.back() == '#' && slot < '8'; ++slot) {
      std::string value;
      slotValues >> value;
      add(k, key.substr(0, key.size() - 1) + slot, value);
    }
    console += k.console;
  }
  const Loaded loaded = Load("[GSM]\n" + master[0] + "[GPRS/EDGE]\n" + master[1]);
  EXPECT_EQ(loaded.result, -1);
  EXPECT_EQ(ReadFileBytes(kResult), OnDisk(file + kLoadSuccess));
  EXPECT_EQ(loaded.console, console);
}

// Keys are matched only inside their own group; a key that matches nothing writes no key trace.
TEST_F(MasterLoad, KeysOfTheOtherGroupChangeNothing) {
  const Loaded loaded =
      Load("[GSM]\nL3 ARFCN = 6\nUnknown Key = 5\n[GPRS/EDGE]\nRadio System = 2\nTX Level = -5\n");
  EXPECT_EQ(loaded.result, -1);
  EXPECT_EQ(ReadFileBytes(kResult), OnDisk(kMapSuccess + kGsm + kGprs + kGprs + kGsm + kLoadSuccess));
  EXPECT_EQ(loaded.console, "");
  EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue("0.000000")));
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

// docs/parameters.md's table of names, "| `name` | kind | `master-file key` |" a row.
struct DocumentedName {
  std::string name, kind, key;
};
std::vector<DocumentedName> DocumentedNames() {
  std::vector<DocumentedName> rows;
  std::istringstream doc(kParametersDoc);
  for (std::string line; std::getline(doc, line);) {
    char name[64], kind[16], key[64];
    if (std::sscanf(line.c_str(), "| `%63[^`]` | %15s | `%63[^`]` |", name, kind, key) == 3)
      rows.push_back({name, kind, key});
  }
  return rows;
}

// Each GSM key of the file and each access name reach the same field, read and written, as the docs
// list them, every named field of the table; then the edges.
TEST_F(MasterLoad, AccessByName) {
  const auto level = +[](int v) { return TextValue(std::to_string(v) + ".000000"); };  // "%f" text both ways
  // Bytes are written as text, integers as themselves.
  const std::map<std::string, std::string (*)(int)> values = {
      {"byte", ByteValue}, {"integer", Int32Value}, {"level", level}};
  const std::vector<DocumentedName> fields = DocumentedNames();
  ASSERT_EQ(static_cast<std::ptrdiff_t>(fields.size()),
            std::count_if(std::begin(parameters::kFields), std::end(parameters::kFields),
                          [](const parameters::Field& field) { return !field.name.empty(); }));
  const int count = static_cast<int>(fields.size());
  std::string master = "[GSM]\n";
  for (int i = 0; i < count; ++i) master += fields[i].key + " = " + std::to_string(i + 1) + "\n";
  ASSERT_EQ(Load(master).result, -1);
  for (int i = 0; i < count; ++i) {
    const auto& [name, kind, key] = fields[i];
    EXPECT_EQ(Get(name.c_str()).buffer, Buffer(values.at(kind)(i + 1))) << key;
    EXPECT_EQ(kind == "integer" ? SetInteger(name.c_str(), 20 + i)
                                : SetText(name.c_str(), std::to_string(20 + i).c_str()),
              -1);
  }
  for (int i = 0; i < count; ++i)
    EXPECT_EQ(Get(fields[i].name.c_str()).buffer, Buffer(values.at(fields[i].kind)(20 + i))) << i;
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
