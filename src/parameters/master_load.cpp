// znGeranApiInterfaceDll_LoadMasterParameterFile: the master parameter list copied into the store.
#include "api/result.h"
#include "parameters/handler_binding.h"
#include "parameters/parameter_store.h"
#include "testset/command.h"
#include "testset/trace.h"

#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <type_traits>

namespace geran {
namespace {

using Store = ParameterStore;
using Text = std::string;

// Value texts are never rejected: what is not a number converts to 0, 8-bit fields keep the low bits.
std::int32_t Integer(const Text& text) { return std::atoi(text.c_str()); }
std::uint32_t Unsigned(const Text& text) { return static_cast<std::uint32_t>(Integer(text)); }
std::uint8_t Byte(const Text& text) { return static_cast<std::uint8_t>(Integer(text)); }
float Real(const Text& text) { return static_cast<float>(std::atof(text.c_str())); }

// The position of text in texts, or 0 for any other text.
template <size_t N>
std::uint8_t Mapped(const char* const (&texts)[N], const Text& text) {
  const auto found = std::find(std::begin(texts), std::end(texts), text);
  return found == std::end(texts) ? 0 : static_cast<std::uint8_t>(found - std::begin(texts));
}
const char* const kNetworkModes[] = {"NMO I", "NMO II", "NMO III"};
const char* const kChannelRequestTypes[] = {"8 BIT CHANNEL REQUEST", "8 BIT PACKET CHANNEL REQUEST",
                                            "11 BIT PACKET CHANNEL REQUEST"};

// A console line: label and value, a line end and a flush. The unary + shows 8-bit fields as
// numbers rather than characters.
template <class Value>
void Show(const char* label, Value value) {
  std::cout << label << +value << std::endl;
}

// A value as the file lines' "%ld" or "%f" takes it.
template <class Value>
auto Widened(Value value) {
  if constexpr (std::is_floating_point_v<Value>)
    return static_cast<double>(value);
  else
    return static_cast<long>(value);
}

template <class Value>
void ShowAndTrace(const char* label, Value value, const char* format) {
  Show(label, value);
  Trace(kResultTrace, format, Widened(value));
}

// One key of a group and what storing its value writes.
struct KeyRule {
  const char* key;
  void (*apply)(Store& store, const Text& text);
};

const KeyRule kGsmKeys[] = {
    {"Radio System",
     [](Store& s, const Text& t) {
       s.setRadioSystemGSM(Byte(t));
       Trace(kResultTrace, "Inside parameterPtr->setRadioSystemGSM");
     }},
    {"Control ARFCN", [](Store& s, const Text& t) { s.setControlArfcnGSM(Integer(t)); }},
    {"Traffic ARFCN", [](Store& s, const Text& t) { s.setTrafficArfcnGSM(Integer(t)); }},
    {"Tch Timeslot", [](Store& s, const Text& t) { s.setTchTimeslot(Byte(t)); }},
    {"Call Scenarios", [](Store& s, const Text& t) { s.setCallScenario(Byte(t)); }},
    {"RX Level", [](Store& s, const Text& t) { s.setRxLevel(Real(t)); }},
    {"TX Level", [](Store& s, const Text& t) { s.setTxLevel(Real(t)); }},
    {"Ciphering Type", [](Store& s, const Text& t) { s.setCipheringType(Byte(t)); }},
    {"Ciphering Algorithm", [](Store& s, const Text& t) { s.setCipheringAlgorithm(Byte(t)); }},
    {"SDDCH Timeslot", [](Store& s, const Text& t) { s.setSdcchTimeslot(Byte(t)); }},
    {"Tch Rate", [](Store& s, const Text& t) { s.setTchRate(Byte(t)); }},
    {"Dedicated Channel", [](Store& s, const Text& t) { s.setDedicatedChannel(Byte(t)); }},
    {"Mobile Identity", [](Store& s, const Text& t) { s.setMobileIdentity(Byte(t)); }},
    {"Loopback", [](Store& s, const Text& t) { s.setLoopback(Byte(t)); }},
    {"Samples", [](Store& s, const Text& t) { s.setSampleCount(Integer(t)); }},
};

// Each key stores, then writes its console line, then its file lines. "Packet Data Support" is a
// known key that the store has no field for, so like an unknown key it changes nothing.
const KeyRule kGprsKeys[] = {
    {"Radio_System",
     [](Store& s, const Text& t) {
       s.setRadioSystemGPRS(Byte(t));
       Show("Radio System GPRS:", s.getRadioSystemGPRS());
       Trace(kResultTrace, "INFO:  Radio System GPRS : %d\n", static_cast<int>(s.getRadioSystemGPRS()));
     }},
    {"Control_ARFCN",
     [](Store& s, const Text& t) {
       s.setControlArfcnGPRS(Integer(t));
       ShowAndTrace("Control ARFCN GPRS:", s.getControlArfcnGPRS(), "INFO:  Control ARFCN GPRS : %ld\n");
     }},
    {"L3 ARFCN",
     [](Store& s, const Text& t) {
       s.setTrafficArfcnGPRS(Integer(t));
       ShowAndTrace("Traffic ARFCN GPRS:", s.getTrafficArfcnGPRS(), "INFO:  Traffic ARFCN GPRS : %ld\n");
     }},
    {"Routing Area Code",
     [](Store& s, const Text& t) {
       s.setRoutingAreaCode(Unsigned(t));
       ShowAndTrace("RAC :", s.getRoutingAreaCode(), "INFO:  RAC : %ld\n");
     }},
    {"Location Area Code",
     [](Store& s, const Text& t) {
       s.setLocationAreaCode(Unsigned(t));
       ShowAndTrace("LAC :", s.getLocationAreaCode(), "INFO:  LAC : %ld\n");
     }},
    {"Network Mode Of Operation",
     [](Store& s, const Text& t) {
       Trace(kResultTrace, "INFO:  NMO : %s\n", t.c_str());
       const std::uint8_t mode = Mapped(kNetworkModes, t);
       Trace(kResultTrace, "INFO:  NMONum : %ld\n", Widened(mode));
       s.setNetworkModeOfOperation(mode);
       ShowAndTrace("NMO :", s.getNetworkModeOfOperation(), "INFO:  NMO : %ld\n");
     }},
    {"Channel Request",
     [](Store& s, const Text& t) {
       Trace(kResultTrace, "parameterName.compare -- Channel Request");
       const std::uint8_t type = Mapped(kChannelRequestTypes, t);
       Trace(kResultTrace, "INFO:  ChnReq : %ld\n", Widened(type));
       s.setChannelRequestType(type);
       Trace(kResultTrace, "INFO:  ChnRequest : %ld\n", Widened(s.getChannelRequestType()));
     }},
    {"CCH Tx Level",
     [](Store& s, const Text& t) {
       s.setCchTxLevel(Real(t));
       ShowAndTrace("CCH Tx Level :", s.getCchTxLevel(), "INFO:  CCH Tx Level : %f\n");
     }},
    {"CCH Exp Rx Level",
     [](Store& s, const Text& t) {
       s.setCchExpRxLevel(Real(t));
       ShowAndTrace("CCH Rx Level :", s.getCchExpRxLevel(), "INFO:  CCH Rx Level : %f\n");
     }},
    {"PDP IP Address Assigment",
     [](Store& s, const Text& t) {
       s.setPdpAddressAssignment(Byte(t));
       ShowAndTrace("PDP Assignment :", s.getPdpAddressAssignment(), "INFO: PDP Assignment  : %ld\n");
     }},
    {"PBCCH",  // always on once listed: its value text is not read
     [](Store& s, const Text&) {
       s.setPbcch(1);
       ShowAndTrace("PBCCH :", s.getPbcch(), "INFO: PBCCH  : %ld\n");
     }},
    {"PBCCH Arfcn",
     [](Store& s, const Text& t) {
       s.setPbcchArfcn(Integer(t));
       ShowAndTrace("PBCCH Arfcn:", s.getPbcchArfcn(), "INFO: PBCCH Arfcn  : %ld\n");
     }},
    {"PBCCH Timeslot",
     [](Store& s, const Text& t) {
       s.setPbcchTimeslot(Byte(t));
       ShowAndTrace("PBCCH Timeslot:", s.getPbcchTimeslot(), "INFO: PBCCH TimeSlot  : %ld\n");
     }},
    {"DL Signalling Timeslot L3",
     [](Store& s, const Text& t) {
       s.setDlSignallingTimeslotL3(Byte(t));
       Show("DL Signalling Timeslot L3:", s.getDlSignallingTimeslotL3());
     }},
    {"Coding Scheme",
     [](Store& s, const Text& t) {
       s.setCodingScheme(Byte(t));
       Trace(kResultTrace, "INFO: Coding Scheme  : %ld\n", Widened(s.getCodingScheme()));
     }},
    {"DL Coding Scheme L3",
     [](Store& s, const Text& t) {
       s.setDlCodingSchemeL3(Byte(t));
       Show("DL Coding Scheme L3:", s.getDlCodingSchemeL3());
     }},
    {"UL Timeslot L3",
     [](Store& s, const Text& t) {
       s.setUlTimeslotL3(Byte(t));
       Show("UL Timeslot L3:", s.getUlTimeslotL3());
     }},
    {"UL Coding Scheme L3",
     [](Store& s, const Text& t) {
       s.setUlCodingSchemeL3(Byte(t));
       Show("UL Coding Scheme L3:", s.getUlCodingSchemeL3());
     }},
    {"L3 Tx Level",
     [](Store& s, const Text& t) {
       s.setL3TxLevel(Real(t));
       Show("L3 Tx Level :", s.getL3TxLevel());
     }},
    {"L3 Exp Rx Level", [](Store& s, const Text& t) { s.setL3ExpRxLevel(Real(t)); }},
    {"N-PDU DL Signalling Timeslot",
     [](Store& s, const Text& t) {
       s.setNpduDlSignallingTimeslot(Byte(t));
       Show("N-PDU DL Signalling Timeslot:", s.getNpduDlSignallingTimeslot());
     }},
    {"N-PDU DL Coding Scheme",
     [](Store& s, const Text& t) {
       s.setNpduDlCodingScheme(Byte(t));
       Show("N-PDU DL Coding Scheme:", s.getNpduDlCodingScheme());
     }},
    {"UL Timeslot N-PDU",
     [](Store& s, const Text& t) {
       s.setNpduUlTimeslot(Byte(t));
       Show("UL Timeslot N-PDU:", s.getNpduUlTimeslot());
     }},
    {"UL Coding Scheme N-PDU",
     [](Store& s, const Text& t) {
       s.setNpduUlCodingScheme(Byte(t));
       Show("UL Coding Scheme N-PDU:", s.getNpduUlCodingScheme());
     }},
    {"N-PDU ARFCN",
     [](Store& s, const Text& t) {
       s.setNpduArfcn(Integer(t));
       Show("T1_ARFCN :", s.getNpduArfcn());
     }},
    {"N-PDU Tx Level",
     [](Store& s, const Text& t) {
       s.setNpduTxLevel(Real(t));
       Show("N-PDU Tx Level :", s.getNpduTxLevel());
     }},
    {"N-PDU Exp. Rx Level", [](Store& s, const Text& t) { s.setNpduExpRxLevel(Real(t)); }},
};

template <size_t N>
bool ApplyRule(const KeyRule (&rules)[N], Store& store, const Text& key, const Text& text) {
  const auto rule =
      std::find_if(std::begin(rules), std::end(rules), [&](const KeyRule& r) { return key == r.key; });
  if (rule == std::end(rules)) return false;
  rule->apply(store, text);
  return true;
}

// Four families of per-timeslot keys, "<prefix>0" to "<prefix>7". A text of exactly "1" marks the
// timeslot with its own bit; the family's mask is recomputed when, and only when, timeslot 7 is set.
struct SlotFamily {
  const char* prefix;
  std::uint8_t (Store::*get)(int slot) const;
  void (Store::*set)(int slot, std::uint8_t value);
  void (Store::*setMask)(std::uint8_t value);
  const char* maskLabel;
};

const SlotFamily kSlotFamilies[] = {
    {"DLTn", &Store::getDlTn, &Store::setDlTn, &Store::setDlTnMask, "Signalling TN DL:"},
    {"ULTn", &Store::getUlTn, &Store::setUlTn, &Store::setUlTnMask, "Signalling TN UL:"},
    {"N-PDU DLTn", &Store::getNpduDlTn, &Store::setNpduDlTn, &Store::setNpduDlTnMask, "Signalling TN DL1:"},
    {"N-PDU ULTn", &Store::getNpduUlTn, &Store::setNpduUlTn, &Store::setNpduUlTnMask, "Signalling TN UL1:"},
};
constexpr int kLastSlot = Store::kSlotCount - 1;

// The timeslot a key names within a family, or -1.
int SlotOf(const Text& key, const char* prefix) {
  const size_t length = std::strlen(prefix);
  if (key.size() != length + 1 || key.compare(0, length, prefix) != 0) return -1;
  const char digit = key.back();
  return digit >= '0' && digit <= '0' + kLastSlot ? digit - '0' : -1;
}

void ApplySlot(Store& store, const SlotFamily& family, int slot, const Text& text) {
  (store.*family.set)(slot, static_cast<std::uint8_t>(text == "1" ? 1u << slot : 0u));
  if (slot != kLastSlot) return;
  std::uint8_t mask = 0;  // the 8-bit sum; the elements are distinct bits, so it is their OR
  for (int i = 0; i <= kLastSlot; ++i) mask = static_cast<std::uint8_t>(mask + (store.*family.get)(i));
  (store.*family.setMask)(mask);
  Show(family.maskLabel, mask);
}

bool ApplySlotKey(Store& store, const Text& key, const Text& text) {
  for (const SlotFamily& family : kSlotFamilies) {
    const int slot = SlotOf(key, family.prefix);
    if (slot < 0) continue;
    ApplySlot(store, family, slot, text);
    return true;
  }
  return false;
}

// A group's keys match only inside that group; a key that matches nothing is skipped silently.
void ApplyGsmKey(Store& store, const Text& key, const Text& text) { ApplyRule(kGsmKeys, store, key, text); }

void ApplyGprsKey(Store& store, const Text& key, const Text& text) {
  if (!ApplyRule(kGprsKeys, store, key, text)) ApplySlotKey(store, key, text);
}

struct Group {
  const char* name;
  const char* trace;
  void (*applyKey)(Store& store, const Text& key, const Text& text);
};
const Group kGroups[] = {
    {"GSM", "Called parameterGroup GSM\n", ApplyGsmKey},
    {"GPRS/EDGE", "Called parameterGroup GPRS\n", ApplyGprsKey},
};

// False for a group the store has no keys for, which ends the load.
bool ApplyEntry(Store& store, const Text& key, const ParameterRecord& record) {
  Trace(kResultTrace, "Called ParameterList::iterator\n");
  Trace(kResultTrace, "after ParameterList::iterator\n");
  const auto group = std::find_if(std::begin(kGroups), std::end(kGroups),
                                  [&](const Group& g) { return record.group == g.name; });
  if (group == std::end(kGroups)) {
    Trace(kResultTrace, "Group not Supported, Use GSM/GPRS Only\n");
    return false;
  }
  Trace(kResultTrace, "%s", group->trace);
  group->applyKey(store, key, record.value);
  return true;
}

}  // namespace
}  // namespace geran

// Not a test-set command, but guarded like one: the list and the store are built on the heap.
extern "C" int WINAPI znGeranApiInterfaceDll_LoadMasterParameterFile(int, int) {
  using namespace geran;
  return RunGuarded(GERAN_REPORT_SITE, [] {
    ParameterList list;
    if (!FetchMasterParameters(list)) return kFailure;
    ParameterStore& store = detail::CreateParametersOnce();
    // Entries before an unsupported group stay applied.
    for (const auto& [key, record] : list)
      if (!ApplyEntry(store, key, record)) return kFailure;
    Trace(kResultTrace, "LoadMasterParameter success\n");
    return kSuccess;
  });
}
