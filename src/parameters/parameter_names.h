// The names the parameter store answers to: the master file's keys, group by group, with how the
// load reads each value text, and the names of GetParameter and SetParameter. Plain C++ and one
// list each: the product's load and access and geranhost's --check-master and script check all
// read these.
#pragma once

#include <cstddef>
#include <string_view>

namespace geran::parameters {

inline constexpr std::string_view kGsmGroup = "GSM";
inline constexpr std::string_view kGprsGroup = "GPRS/EDGE";

// How the load turns a key's value text into its field.
enum class Reading {
  kInteger,             // atoi into a 32-bit field (read up to the first character that is no digit)
  kByte,                // atoi, of which the 8-bit field keeps the low 8 bits
  kReal,                // atof into a 32-bit float (read as far as it is a number)
  kNetworkMode,         // one of kNetworkModes, any other text 0
  kChannelRequestType,  // one of kChannelRequestTypes, any other text 0
  kPresence,            // the field becomes 1; the text is not read
  kSlot,                // "1" marks the key's timeslot, any other text clears it
  kNone,                // a known key the store has no field for
};

// The fields a master-file key sets; a slot key sets one timeslot of its family.
enum class Field {
  kRadioSystemGSM,
  kControlArfcnGSM,
  kTrafficArfcnGSM,
  kTchTimeslot,
  kCallScenario,
  kRxLevel,
  kTxLevel,
  kCipheringType,
  kCipheringAlgorithm,
  kSdcchTimeslot,
  kTchRate,
  kDedicatedChannel,
  kMobileIdentity,
  kLoopback,
  kSampleCount,
  kRadioSystemGPRS,
  kControlArfcnGPRS,
  kTrafficArfcnGPRS,
  kRoutingAreaCode,
  kLocationAreaCode,
  kNetworkModeOfOperation,
  kChannelRequestType,
  kCchTxLevel,
  kCchExpRxLevel,
  kPdpAddressAssignment,
  kPbcch,
  kPbcchArfcn,
  kPbcchTimeslot,
  kDlSignallingTimeslotL3,
  kCodingScheme,
  kDlCodingSchemeL3,
  kUlTimeslotL3,
  kUlCodingSchemeL3,
  kL3TxLevel,
  kL3ExpRxLevel,
  kNpduDlSignallingTimeslot,
  kNpduDlCodingScheme,
  kNpduUlTimeslot,
  kNpduUlCodingScheme,
  kNpduArfcn,
  kNpduTxLevel,
  kNpduExpRxLevel,
  kPacketDataSupport,
  kDlTn,
  kUlTn,
  kNpduDlTn,
  kNpduUlTn,
};

// One key of a group. A slot family's key is its prefix; its keys are the prefix and a digit 0 to 7.
struct MasterKey {
  std::string_view group;
  std::string_view key;
  Field field;
  Reading reading;
};

// Keys and group names are compared byte for byte; a key matches only inside its own group.
inline constexpr MasterKey kMasterKeys[] = {
    {kGsmGroup, "Radio System", Field::kRadioSystemGSM, Reading::kByte},
    {kGsmGroup, "Control ARFCN", Field::kControlArfcnGSM, Reading::kInteger},
    {kGsmGroup, "Traffic ARFCN", Field::kTrafficArfcnGSM, Reading::kInteger},
    {kGsmGroup, "Tch Timeslot", Field::kTchTimeslot, Reading::kByte},
    {kGsmGroup, "Call Scenarios", Field::kCallScenario, Reading::kByte},
    {kGsmGroup, "RX Level", Field::kRxLevel, Reading::kReal},
    {kGsmGroup, "TX Level", Field::kTxLevel, Reading::kReal},
    {kGsmGroup, "Ciphering Type", Field::kCipheringType, Reading::kByte},
    {kGsmGroup, "Ciphering Algorithm", Field::kCipheringAlgorithm, Reading::kByte},
    {kGsmGroup, "SDDCH Timeslot", Field::kSdcchTimeslot, Reading::kByte},
    {kGsmGroup, "Tch Rate", Field::kTchRate, Reading::kByte},
    {kGsmGroup, "Dedicated Channel", Field::kDedicatedChannel, Reading::kByte},
    {kGsmGroup, "Mobile Identity", Field::kMobileIdentity, Reading::kByte},
    {kGsmGroup, "Loopback", Field::kLoopback, Reading::kByte},
    {kGsmGroup, "Samples", Field::kSampleCount, Reading::kInteger},
    {kGprsGroup, "Radio_System", Field::kRadioSystemGPRS, Reading::kByte},
    {kGprsGroup, "Control_ARFCN", Field::kControlArfcnGPRS, Reading::kInteger},
    {kGprsGroup, "L3 ARFCN", Field::kTrafficArfcnGPRS, Reading::kInteger},
    {kGprsGroup, "Routing Area Code", Field::kRoutingAreaCode, Reading::kInteger},
    {kGprsGroup, "Location Area Code", Field::kLocationAreaCode, Reading::kInteger},
    {kGprsGroup, "Network Mode Of Operation", Field::kNetworkModeOfOperation, Reading::kNetworkMode},
    {kGprsGroup, "Channel Request", Field::kChannelRequestType, Reading::kChannelRequestType},
    {kGprsGroup, "CCH Tx Level", Field::kCchTxLevel, Reading::kReal},
    {kGprsGroup, "CCH Exp Rx Level", Field::kCchExpRxLevel, Reading::kReal},
    {kGprsGroup, "PDP IP Address Assigment", Field::kPdpAddressAssignment, Reading::kByte},
    {kGprsGroup, "PBCCH", Field::kPbcch, Reading::kPresence},
    {kGprsGroup, "PBCCH Arfcn", Field::kPbcchArfcn, Reading::kInteger},
    {kGprsGroup, "PBCCH Timeslot", Field::kPbcchTimeslot, Reading::kByte},
    {kGprsGroup, "DL Signalling Timeslot L3", Field::kDlSignallingTimeslotL3, Reading::kByte},
    {kGprsGroup, "Coding Scheme", Field::kCodingScheme, Reading::kByte},
    {kGprsGroup, "DL Coding Scheme L3", Field::kDlCodingSchemeL3, Reading::kByte},
    {kGprsGroup, "UL Timeslot L3", Field::kUlTimeslotL3, Reading::kByte},
    {kGprsGroup, "UL Coding Scheme L3", Field::kUlCodingSchemeL3, Reading::kByte},
    {kGprsGroup, "L3 Tx Level", Field::kL3TxLevel, Reading::kReal},
    {kGprsGroup, "L3 Exp Rx Level", Field::kL3ExpRxLevel, Reading::kReal},
    {kGprsGroup, "N-PDU DL Signalling Timeslot", Field::kNpduDlSignallingTimeslot, Reading::kByte},
    {kGprsGroup, "N-PDU DL Coding Scheme", Field::kNpduDlCodingScheme, Reading::kByte},
    {kGprsGroup, "UL Timeslot N-PDU", Field::kNpduUlTimeslot, Reading::kByte},
    {kGprsGroup, "UL Coding Scheme N-PDU", Field::kNpduUlCodingScheme, Reading::kByte},
    {kGprsGroup, "N-PDU ARFCN", Field::kNpduArfcn, Reading::kInteger},
    {kGprsGroup, "N-PDU Tx Level", Field::kNpduTxLevel, Reading::kReal},
    {kGprsGroup, "N-PDU Exp. Rx Level", Field::kNpduExpRxLevel, Reading::kReal},
    {kGprsGroup, "Packet Data Support", Field::kPacketDataSupport, Reading::kNone},
    {kGprsGroup, "DLTn", Field::kDlTn, Reading::kSlot},
    {kGprsGroup, "ULTn", Field::kUlTn, Reading::kSlot},
    {kGprsGroup, "N-PDU DLTn", Field::kNpduDlTn, Reading::kSlot},
    {kGprsGroup, "N-PDU ULTn", Field::kNpduUlTn, Reading::kSlot},
};

inline constexpr int kLastSlot = 7;

// The texts of the two mapped keys, by the number each maps to.
inline constexpr std::string_view kNetworkModes[] = {"NMO I", "NMO II", "NMO III"};
inline constexpr std::string_view kChannelRequestTypes[] = {
    "8 BIT CHANNEL REQUEST", "8 BIT PACKET CHANNEL REQUEST", "11 BIT PACKET CHANNEL REQUEST"};

// A key found in the table, and for a slot key its timeslot.
struct FoundKey {
  const MasterKey* entry = nullptr;  // nullptr: the group has no such key
  int slot = -1;
};

// The entry of key in group (a slot key: its family's, with the timeslot its last digit names).
constexpr FoundKey FindMasterKey(std::string_view group, std::string_view key) {
  for (const MasterKey& entry : kMasterKeys) {
    if (entry.group != group) continue;
    if (entry.reading != Reading::kSlot) {
      if (entry.key == key) return {&entry, -1};
    } else if (key.size() == entry.key.size() + 1 && key.substr(0, entry.key.size()) == entry.key &&
               key.back() >= '0' && key.back() <= '0' + kLastSlot) {
      return {&entry, key.back() - '0'};
    }
  }
  return {};
}

// How GetParameter hands a named value out (SetParameter takes bytes as decimal text, integers as
// they are, levels as text).
enum class Form {
  kByte,     // one byte
  kInteger,  // four bytes, a 32-bit integer in machine order
  kLevel,    // a zero-terminated "%f" text
};

struct ParameterName {
  std::string_view name;
  Form form;
};

// Compared byte for byte; three differ from their master-file keys ("TCH Timeslot", "Ciphering
// Algo", "TCH Rate").
inline constexpr ParameterName kParameterNames[] = {
    {"Radio System", Form::kByte},   {"Control ARFCN", Form::kInteger}, {"Traffic ARFCN", Form::kInteger},
    {"TCH Timeslot", Form::kByte},   {"Call Scenarios", Form::kByte},   {"RX Level", Form::kLevel},
    {"TX Level", Form::kLevel},      {"Ciphering Type", Form::kByte},   {"Ciphering Algo", Form::kByte},
    {"SDDCH Timeslot", Form::kByte}, {"TCH Rate", Form::kByte},         {"Dedicated Channel", Form::kByte},
};

// The named value's entry, or nullptr.
constexpr const ParameterName* FindParameterName(std::string_view name) {
  for (const ParameterName& entry : kParameterNames)
    if (entry.name == name) return &entry;
  return nullptr;
}

}  // namespace geran::parameters
