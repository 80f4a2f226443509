// znGeranApiInterfaceDll_LoadMasterParameterFile: the master parameter list copied into the store.
#include "api/result.h"
#include "parameters/handler_binding.h"
#include "parameters/parameter_names.h"
#include "parameters/parameter_store.h"
#include "testset/command.h"
#include "testset/trace.h"

#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

namespace geran {
namespace {

using Store = ParameterStore;
using Text = std::string;
using parameters::Field;

// Value texts are never rejected: what is not a number converts to 0, 8-bit fields keep the low bits.
std::int32_t Integer(const Text& text) { return std::atoi(text.c_str()); }
std::uint32_t Unsigned(const Text& text) { return static_cast<std::uint32_t>(Integer(text)); }
std::uint8_t Byte(const Text& text) { return static_cast<std::uint8_t>(Integer(text)); }
float Real(const Text& text) { return static_cast<float>(std::atof(text.c_str())); }

// The position of text in texts, or 0 for any other text.
template <size_t N>
std::uint8_t Mapped(const std::string_view (&texts)[N], const Text& text) {
  const auto found = std::find(std::begin(texts), std::end(texts), text);
  return found == std::end(texts) ? 0 : static_cast<std::uint8_t>(found - std::begin(texts));
}

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

// What storing one key's value writes (the keys themselves: parameter_names.h).
struct KeyRule {
  Field field;
  void (*apply)(Store& store, const Text& text);
};

// GSM keys write no trace but "Radio System"'s. GPRS/EDGE keys store, then write their console
// line, then their file lines.
constexpr KeyRule kKeyRules[] = {
    {Field::kRadioSystemGSM,
     [](Store& s, const Text& t) {
       s.setRadioSystemGSM(Byte(t));
       Trace(kResultTrace, "Inside parameterPtr->setRadioSystemGSM");
     }},
    {Field::kControlArfcnGSM, [](Store& s, const Text& t) { s.setControlArfcnGSM(Integer(t)); }},
    {Field::kTrafficArfcnGSM, [](Store& s, const Text& t) { s.setTrafficArfcnGSM(Integer(t)); }},
    {Field::kTchTimeslot, [](Store& s, const Text& t) { s.setTchTimeslot(Byte(t)); }},
    {Field::kCallScenario, [](Store& s, const Text& t) { s.setCallScenario(Byte(t)); }},
    {Field::kRxLevel, [](Store& s, const Text& t) { s.setRxLevel(Real(t)); }},
    {Field::kTxLevel, [](Store& s, const Text& t) { s.setTxLevel(Real(t)); }},
    {Field::kCipheringType, [](Store& s, const Text& t) { s.setCipheringType(Byte(t)); }},
    {Field::kCipheringAlgorithm, [](Store& s, const Text& t) { s.setCipheringAlgorithm(Byte(t)); }},
    {Field::kSdcchTimeslot, [](Store& s, const Text& t) { s.setSdcchTimeslot(Byte(t)); }},
    {Field::kTchRate, [](Store& s, const Text& t) { s.setTchRate(Byte(t)); }},
    {Field::kDedicatedChannel, [](Store& s, const Text& t) { s.setDedicatedChannel(Byte(t)); }},
    {Field::kMobileIdentity, [](Store& s, const Text& t) { s.setMobileIdentity(Byte(t)); }},
    {Field::kLoopback, [](Store& s, const Text& t) { s.setLoopback(Byte(t)); }},
    {Field::kSampleCount, [](Store& s, const Text& t) { s.setSampleCount(Integer(t)); }},
    {Field::kRadioSystemGPRS,
     [](Store& s, const Text& t) {
       s.setRadioSystemGPRS(Byte(t));
       Show("Radio System GPRS:", s.getRadioSystemGPRS());
       Trace(kResultTrace, "INFO:  Radio System GPRS : %d\n", static_cast<int>(s.getRadioSystemGPRS()));
     }},
    {Field::kControlArfcnGPRS,
     [](Store& s, const Text& t) {
       s.setControlArfcnGPRS(Integer(t));
       ShowAndTrace("Control ARFCN GPRS:", s.getControlArfcnGPRS(), "INFO:  Control ARFCN GPRS : %ld\n");
     }},
    {Field::kTrafficArfcnGPRS,
     [](Store& s, const Text& t) {
       s.setTrafficArfcnGPRS(Integer(t));
       ShowAndTrace("Traffic ARFCN GPRS:", s.getTrafficArfcnGPRS(), "INFO:  Traffic ARFCN GPRS : %ld\n");
     }},
    {Field::kRoutingAreaCode,
     [](Store& s, const Text& t) {
       s.setRoutingAreaCode(Unsigned(t));
       ShowAndTrace("RAC :", s.getRoutingAreaCode(), "INFO:  RAC : %ld\n");
     }},
    {Field::kLocationAreaCode,
     [](Store& s, const Text& t) {
       s.setLocationAreaCode(Unsigned(t));
       ShowAndTrace("LAC :", s.getLocationAreaCode(), "INFO:  LAC : %ld\n");
     }},
    {Field::kNetworkModeOfOperation,
     [](Store& s, const Text& t) {
       Trace(kResultTrace, "INFO:  NMO : %s\n", t.c_str());
       const std::uint8_t mode = Mapped(parameters::kNetworkModes, t);
       Trace(kResultTrace, "INFO:  NMONum : %ld\n", Widened(mode));
       s.setNetworkModeOfOperation(mode);
       ShowAndTrace("NMO :", s.getNetworkModeOfOperation(), "INFO:  NMO : %ld\n");
     }},
    {Field::kChannelRequestType,
     [](Store& s, const Text& t) {
       Trace(kResultTrace, "parameterName.compare -- Channel Request");
       const std::uint8_t type = Mapped(parameters::kChannelRequestTypes, t);
       Trace(kResultTrace, "INFO:  ChnReq : %ld\n", Widened(type));
       s.setChannelRequestType(type);
       Trace(kResultTrace, "INFO:  ChnRequest : %ld\n", Widened(s.getChannelRequestType()));
     }},
    {Field::kCchTxLevel,
     [](Store& s, const Text& t) {
       s.setCchTxLevel(Real(t));
       ShowAndTrace("CCH Tx Level :", s.getCchTxLevel(), "INFO:  CCH Tx Level : %f\n");
     }},
    {Field::kCchExpRxLevel,
     [](Store& s, const Text& t) {
       s.setCchExpRxLevel(Real(t));
       ShowAndTrace("CCH Rx Level :", s.getCchExpRxLevel(), "INFO:  CCH Rx Level : %f\n");
     }},
    {Field::kPdpAddressAssignment,
     [](Store& s, const Text& t) {
       s.setPdpAddressAssignment(Byte(t));
       ShowAndTrace("PDP Assignment :", s.getPdpAddressAssignment(), "INFO: PDP Assignment  : %ld\n");
     }},
    {Field::kPbcch,  // always on once listed: its value text is not read
     [](Store& s, const Text&) {
       s.setPbcch(1);
       ShowAndTrace("PBCCH :", s.getPbcch(), "INFO: PBCCH  : %ld\n");
     }},
    {Field::kPbcchArfcn,
     [](Store& s, const Text& t) {
       s.setPbcchArfcn(Integer(t));
       ShowAndTrace("PBCCH Arfcn:", s.getPbcchArfcn(), "INFO: PBCCH Arfcn  : %ld\n");
     }},
    {Field::kPbcchTimeslot,
     [](Store& s, const Text& t) {
       s.setPbcchTimeslot(Byte(t));
       ShowAndTrace("PBCCH Timeslot:", s.getPbcchTimeslot(), "INFO: PBCCH TimeSlot  : %ld\n");
     }},
    {Field::kDlSignallingTimeslotL3,
     [](Store& s, const Text& t) {
       s.setDlSignallingTimeslotL3(Byte(t));
       Show("DL Signalling Timeslot L3:", s.getDlSignallingTimeslotL3());
     }},
    {Field::kCodingScheme,
     [](Store& s, const Text& t) {
       s.setCodingScheme(Byte(t));
       Trace(kResultTrace, "INFO: Coding Scheme  : %ld\n", Widened(s.getCodingScheme()));
     }},
    {Field::kDlCodingSchemeL3,
     [](Store& s, const Text& t) {
       s.setDlCodingSchemeL3(Byte(t));
       Show("DL Coding Scheme L3:", s.getDlCodingSchemeL3());
     }},
    {Field::kUlTimeslotL3,
     [](Store& s, const Text& t) {
       s.setUlTimeslotL3(Byte(t));
       Show("UL Timeslot L3:", s.getUlTimeslotL3());
     }},
    {Field::kUlCodingSchemeL3,
     [](Store& s, const Text& t) {
       s.setUlCodingSchemeL3(Byte(t));
       Show("UL Coding Scheme L3:", s.getUlCodingSchemeL3());
     }},
    {Field::kL3TxLevel,
     [](Store& s, const Text& t) {
       s.setL3TxLevel(Real(t));
       Show("L3 Tx Level :", s.getL3TxLevel());
     }},
    {Field::kL3ExpRxLevel, [](Store& s, const Text& t) { s.setL3ExpRxLevel(Real(t)); }},
    {Field::kNpduDlSignallingTimeslot,
     [](Store& s, const Text& t) {
       s.setNpduDlSignallingTimeslot(Byte(t));
       Show("N-PDU DL Signalling Timeslot:", s.getNpduDlSignallingTimeslot());
     }},
    {Field::kNpduDlCodingScheme,
     [](Store& s, const Text& t) {
       s.setNpduDlCodingScheme(Byte(t));
       Show("N-PDU DL Coding Scheme:", s.getNpduDlCodingScheme());
     }},
    {Field::kNpduUlTimeslot,
     [](Store& s, const Text& t) {
       s.setNpduUlTimeslot(Byte(t));
       Show("UL Timeslot N-PDU:", s.getNpduUlTimeslot());
     }},
    {Field::kNpduUlCodingScheme,
     [](Store& s, const Text& t) {
       s.setNpduUlCodingScheme(Byte(t));
       Show("UL Coding Scheme N-PDU:", s.getNpduUlCodingScheme());
     }},
    {Field::kNpduArfcn,
     [](Store& s, const Text& t) {
       s.setNpduArfcn(Integer(t));
       Show("T1_ARFCN :", s.getNpduArfcn());
     }},
    {Field::kNpduTxLevel,
     [](Store& s, const Text& t) {
       s.setNpduTxLevel(Real(t));
       Show("N-PDU Tx Level :", s.getNpduTxLevel());
     }},
    {Field::kNpduExpRxLevel, [](Store& s, const Text& t) { s.setNpduExpRxLevel(Real(t)); }},
};

// Four families of per-timeslot keys, "<prefix>0" to "<prefix>7". A text of exactly "1" marks the
// timeslot with its own bit; the family's mask is recomputed when, and only when, timeslot 7 is set.
struct SlotFamily {
  Field field;
  std::uint8_t (Store::*get)(int slot) const;
  void (Store::*set)(int slot, std::uint8_t value);
  void (Store::*setMask)(std::uint8_t value);
  const char* maskLabel;
};

constexpr SlotFamily kSlotFamilies[] = {
    {Field::kDlTn, &Store::getDlTn, &Store::setDlTn, &Store::setDlTnMask, "Signalling TN DL:"},
    {Field::kUlTn, &Store::getUlTn, &Store::setUlTn, &Store::setUlTnMask, "Signalling TN UL:"},
    {Field::kNpduDlTn, &Store::getNpduDlTn, &Store::setNpduDlTn, &Store::setNpduDlTnMask,
     "Signalling TN DL1:"},
    {Field::kNpduUlTn, &Store::getNpduUlTn, &Store::setNpduUlTn, &Store::setNpduUlTnMask,
     "Signalling TN UL1:"},
};
static_assert(parameters::kLastSlot == Store::kSlotCount - 1);

// Every key of the table that sets a field has a rule here, so a key added there and forgotten
// here fails the build.
constexpr bool EveryKeyHasItsRule() {
  for (const parameters::MasterKey& key : parameters::kMasterKeys) {
    int rules = 0;
    for (const KeyRule& rule : kKeyRules) rules += rule.field == key.field ? 1 : 0;
    for (const SlotFamily& family : kSlotFamilies) rules += family.field == key.field ? 1 : 0;
    if (rules != (key.reading == parameters::Reading::kNone ? 0 : 1)) return false;
  }
  return true;
}
static_assert(EveryKeyHasItsRule());

void ApplySlot(Store& store, const SlotFamily& family, int slot, const Text& text) {
  (store.*family.set)(slot, static_cast<std::uint8_t>(text == "1" ? 1u << slot : 0u));
  if (slot != parameters::kLastSlot) return;
  std::uint8_t mask = 0;  // the 8-bit sum; the elements are distinct bits, so it is their OR
  for (int i = 0; i <= parameters::kLastSlot; ++i)
    mask = static_cast<std::uint8_t>(mask + (store.*family.get)(i));
  (store.*family.setMask)(mask);
  Show(family.maskLabel, mask);
}

// A group's keys match only inside that group; a key that matches nothing is skipped silently.
void ApplyKey(Store& store, std::string_view group, const Text& key, const Text& text) {
  const parameters::FoundKey found = parameters::FindMasterKey(group, key);
  if (found.entry == nullptr) return;
  for (const KeyRule& rule : kKeyRules)
    if (rule.field == found.entry->field) return rule.apply(store, text);
  for (const SlotFamily& family : kSlotFamilies)
    if (family.field == found.entry->field) return ApplySlot(store, family, found.slot, text);
}

struct Group {
  std::string_view name;
  const char* trace;
};
constexpr Group kGroups[] = {
    {parameters::kGsmGroup, "Called parameterGroup GSM\n"},
    {parameters::kGprsGroup, "Called parameterGroup GPRS\n"},
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
  ApplyKey(store, group->name, key, record.value);
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
