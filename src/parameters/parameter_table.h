// The fields of the parameter store, in one table: each one's master-file key, how the load reads
// and echoes it, and the name GetParameter and SetParameter know it by. Plain C++: the product's
// store, load and access and geranhost's --check-master and script check all read it.
#pragma once

#include <string_view>

namespace geran::parameters {

inline constexpr std::string_view kGsmGroup = "GSM";
inline constexpr std::string_view kGprsGroup = "GPRS/EDGE";

// How the load turns a key's value text into its field.
enum class Reading {
  kInteger,             // atoi into a 32-bit field (read up to the first character that is no digit)
  kUnsigned,            // the same, into an unsigned 32-bit field
  kByte,                // atoi, of which the 8-bit field keeps the low 8 bits
  kReal,                // atof into a 32-bit float (read as far as it is a number)
  kNetworkMode,         // one of kNetworkModes, any other text 0
  kChannelRequestType,  // one of kChannelRequestTypes, any other text 0
  kPresence,            // the field becomes 1; the text is not read
  kSlot,                // "1" marks the key's timeslot, any other text clears it
  kNone,                // a known key the store has no field for
};

// How the store holds a field, and how GetParameter hands out and SetParameter takes a named one.
enum class Kind {
  kByte,      // 8 bits: one byte out, decimal text in (of which the low 8 bits are kept)
  kInteger,   // a 32-bit integer: four bytes in machine order both ways
  kUnsigned,  // an unsigned 32-bit integer (no name reaches one)
  kLevel,     // a 32-bit float: a zero-terminated "%f" text out, text in
  kNone,      // nothing is stored
};

inline constexpr int kSlotCount = 8;  // a slot family's keys: its prefix and a digit 0 to 7
inline constexpr int kLastSlot = kSlotCount - 1;

// One field (a slot family: eight, one per timeslot) and the key of its group that sets it.
struct Field {
  std::string_view group;
  std::string_view key;  // a slot family's: the prefix of its keys
  Reading reading;
  std::string_view name;  // what GetParameter and SetParameter call it; empty: neither reaches it
  const char* console;    // the load's console label, shown with the value stored; or none
  const char* trace;      // the load's "C:\result.txt" line, printf-style with the value stored; or none

  constexpr Kind kind() const {
    switch (reading) {
      case Reading::kInteger:
        return Kind::kInteger;
      case Reading::kUnsigned:
        return Kind::kUnsigned;
      case Reading::kReal:
        return Kind::kLevel;
      case Reading::kNone:
        return Kind::kNone;
      default:
        return Kind::kByte;
    }
  }
  // How many values of its kind it holds.
  constexpr int width() const {
    if (kind() == Kind::kNone) return 0;
    return reading == Reading::kSlot ? kSlotCount : 1;
  }
};

// Keys, group names and names are compared byte for byte; a key matches only inside its own group.
// The load writes each echo (console, then file) after storing; GSM keys write none but "Radio
// System"'s file line, and a slot family's is its timeslots' mask, shown when timeslot 7 is set.
inline constexpr Field kFields[] = {
    {kGsmGroup, "Radio System", Reading::kByte, "Radio System", nullptr,
     "Inside parameterPtr->setRadioSystemGSM"},
    {kGsmGroup, "Control ARFCN", Reading::kInteger, "Control ARFCN", nullptr, nullptr},
    {kGsmGroup, "Traffic ARFCN", Reading::kInteger, "Traffic ARFCN", nullptr, nullptr},
    {kGsmGroup, "Tch Timeslot", Reading::kByte, "TCH Timeslot", nullptr, nullptr},
    {kGsmGroup, "Call Scenarios", Reading::kByte, "Call Scenarios", nullptr, nullptr},
    {kGsmGroup, "RX Level", Reading::kReal, "RX Level", nullptr, nullptr},
    {kGsmGroup, "TX Level", Reading::kReal, "TX Level", nullptr, nullptr},
    {kGsmGroup, "Ciphering Type", Reading::kByte, "Ciphering Type", nullptr, nullptr},
    {kGsmGroup, "Ciphering Algorithm", Reading::kByte, "Ciphering Algo", nullptr, nullptr},
    {kGsmGroup, "SDDCH Timeslot", Reading::kByte, "SDDCH Timeslot", nullptr, nullptr},
    {kGsmGroup, "Tch Rate", Reading::kByte, "TCH Rate", nullptr, nullptr},
    {kGsmGroup, "Dedicated Channel", Reading::kByte, "Dedicated Channel", nullptr, nullptr},
    {kGsmGroup, "Mobile Identity", Reading::kByte, "", nullptr, nullptr},
    {kGsmGroup, "Loopback", Reading::kByte, "", nullptr, nullptr},
    {kGsmGroup, "Samples", Reading::kInteger, "", nullptr, nullptr},
    {kGprsGroup, "Radio_System", Reading::kByte, "",
     "Radio System GPRS:", "INFO:  Radio System GPRS : %ld\n"},
    {kGprsGroup, "Control_ARFCN", Reading::kInteger, "",
     "Control ARFCN GPRS:", "INFO:  Control ARFCN GPRS : %ld\n"},
    {kGprsGroup, "L3 ARFCN", Reading::kInteger, "",
     "Traffic ARFCN GPRS:", "INFO:  Traffic ARFCN GPRS : %ld\n"},
    {kGprsGroup, "Routing Area Code", Reading::kUnsigned, "", "RAC :", "INFO:  RAC : %ld\n"},
    {kGprsGroup, "Location Area Code", Reading::kUnsigned, "", "LAC :", "INFO:  LAC : %ld\n"},
    {kGprsGroup, "Network Mode Of Operation", Reading::kNetworkMode, "", "NMO :", "INFO:  NMO : %ld\n"},
    {kGprsGroup, "Channel Request", Reading::kChannelRequestType, "", nullptr, "INFO:  ChnRequest : %ld\n"},
    {kGprsGroup, "CCH Tx Level", Reading::kReal, "", "CCH Tx Level :", "INFO:  CCH Tx Level : %f\n"},
    {kGprsGroup, "CCH Exp Rx Level", Reading::kReal, "", "CCH Rx Level :", "INFO:  CCH Rx Level : %f\n"},
    {kGprsGroup, "PDP IP Address Assigment", Reading::kByte, "",
     "PDP Assignment :", "INFO: PDP Assignment  : %ld\n"},
    {kGprsGroup, "PBCCH", Reading::kPresence, "", "PBCCH :", "INFO: PBCCH  : %ld\n"},
    {kGprsGroup, "PBCCH Arfcn", Reading::kInteger, "", "PBCCH Arfcn:", "INFO: PBCCH Arfcn  : %ld\n"},
    {kGprsGroup, "PBCCH Timeslot", Reading::kByte, "", "PBCCH Timeslot:", "INFO: PBCCH TimeSlot  : %ld\n"},
    {kGprsGroup, "DL Signalling Timeslot L3", Reading::kByte, "", "DL Signalling Timeslot L3:", nullptr},
    {kGprsGroup, "Coding Scheme", Reading::kByte, "", nullptr, "INFO: Coding Scheme  : %ld\n"},
    {kGprsGroup, "DL Coding Scheme L3", Reading::kByte, "", "DL Coding Scheme L3:", nullptr},
    {kGprsGroup, "UL Timeslot L3", Reading::kByte, "", "UL Timeslot L3:", nullptr},
    {kGprsGroup, "UL Coding Scheme L3", Reading::kByte, "", "UL Coding Scheme L3:", nullptr},
    {kGprsGroup, "L3 Tx Level", Reading::kReal, "", "L3 Tx Level :", nullptr},
    {kGprsGroup, "L3 Exp Rx Level", Reading::kReal, "", nullptr, nullptr},
    {kGprsGroup, "N-PDU DL Signalling Timeslot", Reading::kByte, "",
     "N-PDU DL Signalling Timeslot:", nullptr},
    {kGprsGroup, "N-PDU DL Coding Scheme", Reading::kByte, "", "N-PDU DL Coding Scheme:", nullptr},
    {kGprsGroup, "UL Timeslot N-PDU", Reading::kByte, "", "UL Timeslot N-PDU:", nullptr},
    {kGprsGroup, "UL Coding Scheme N-PDU", Reading::kByte, "", "UL Coding Scheme N-PDU:", nullptr},
    {kGprsGroup, "N-PDU ARFCN", Reading::kInteger, "", "T1_ARFCN :", nullptr},
    {kGprsGroup, "N-PDU Tx Level", Reading::kReal, "", "N-PDU Tx Level :", nullptr},
    {kGprsGroup, "N-PDU Exp. Rx Level", Reading::kReal, "", nullptr, nullptr},
    {kGprsGroup, "Packet Data Support", Reading::kNone, "", nullptr, nullptr},
    {kGprsGroup, "DLTn", Reading::kSlot, "", "Signalling TN DL:", nullptr},
    {kGprsGroup, "ULTn", Reading::kSlot, "", "Signalling TN UL:", nullptr},
    {kGprsGroup, "N-PDU DLTn", Reading::kSlot, "", "Signalling TN DL1:", nullptr},
    {kGprsGroup, "N-PDU ULTn", Reading::kSlot, "", "Signalling TN UL1:", nullptr},
};

// The texts of the two mapped keys, by the number each maps to.
inline constexpr std::string_view kNetworkModes[] = {"NMO I", "NMO II", "NMO III"};
inline constexpr std::string_view kChannelRequestTypes[] = {
    "8 BIT CHANNEL REQUEST", "8 BIT PACKET CHANNEL REQUEST", "11 BIT PACKET CHANNEL REQUEST"};

// A key found in the table, and for a slot key its timeslot.
struct FoundKey {
  const Field* entry = nullptr;  // nullptr: the group has no such key
  int slot = 0;
};

// The field of key in group (a slot key: its family's, with the timeslot its last digit names).
constexpr FoundKey FindMasterKey(std::string_view group, std::string_view key) {
  for (const Field& entry : kFields) {
    if (entry.group != group) continue;
    if (entry.reading != Reading::kSlot) {
      if (entry.key == key) return {&entry, 0};
    } else if (key.length() == entry.key.length() + 1 && key.substr(0, entry.key.length()) == entry.key &&
               key.back() >= '0' && key.back() <= '0' + kLastSlot) {
      return {&entry, key.back() - '0'};
    }
  }
  return {};
}

// The field GetParameter and SetParameter call name, or nullptr.
constexpr const Field* FindNamed(std::string_view name) {
  for (const Field& entry : kFields)
    if (!entry.name.empty() && entry.name == name) return &entry;
  return nullptr;
}

}  // namespace geran::parameters
