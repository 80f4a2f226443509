// The message table: RR messages of the radio interface, MM and CC messages of the mobile network,
// each with its mandatory elements and the optional ones it may carry.
#include "message_table.h"

namespace geran::layer3::detail {
namespace {

constexpr Element V(const char* name, std::uint8_t octets, Reader reader = Reader::kNone) {
  return {name, Format::kV, 0, octets, octets, reader};
}
constexpr Element LV(const char* name, std::uint8_t min, std::uint8_t max, Reader reader = Reader::kNone) {
  return {name, Format::kLV, 0, min, max, reader};
}
constexpr Element TV(const char* name, std::uint8_t iei, std::uint8_t octets) {
  return {name, Format::kTV, iei, octets, octets};
}
constexpr Element TV1(const char* name, std::uint8_t iei) { return {name, Format::kTV1, iei, 1, 1}; }
constexpr Element T(const char* name, std::uint8_t iei) { return {name, Format::kT, iei, 1, 1}; }
constexpr Element TLV(const char* name, std::uint8_t iei, std::uint8_t min, std::uint8_t max,
                      Reader reader = Reader::kNone) {
  return {name, Format::kTLV, iei, min, max, reader};
}

// Elements many messages share.
constexpr Element kRach = V("RACH Control Parameters", 3, Reader::kRach);
constexpr Element kLai = V("Location Area Identification", 5, Reader::kLai);
constexpr Element kCellSelection = V("Cell Selection Parameters", 2);
constexpr Element kFrequencyList16 = V("Extended BCCH Frequency List", 16);
constexpr Element kMobileIdentity = LV("Mobile Identity", 1, 9, Reader::kMobileIdentity);
constexpr Element kStartingTime = TV("Starting Time", 0x7C, 3);
constexpr Element kFacility = TLV("Facility", 0x1C, 0, 251);
constexpr Element kProgress = TLV("Progress Indicator", 0x1E, 2, 2);
constexpr Element kUserUser = TLV("User-User", 0x7E, 1, 131);
constexpr Element kCause = LV("Cause", 2, 30, Reader::kCause);
constexpr Element kOptionalCause = TLV("Cause", 0x08, 2, 30, Reader::kCause);
constexpr Element kRepeat = TV1("Repeat Indicator", 0xD0);
constexpr Element kBearer = TLV("Bearer Capability", 0x04, 1, 13);

const Element kPageMode = V("Page Mode, Channels Needed", 1);
const Element kSecondIdentity = TLV("Mobile Identity 2", 0x17, 1, 9, Reader::kMobileIdentity);

std::vector<MessageType> MakeTable() {
  const Channel bcch = Channel::kBcch, ccch = Channel::kCcch, dcch = Channel::kDcch;
  const Protocol rr = kRadioResources, mm = kMobilityManagement, cc = kCallControl;
  return {
      {rr, 0x19, "System Information Type 1", bcch, {V("Cell Channel Description", 16), kRach}, {}},
      {rr,
       0x1A,
       "System Information Type 2",
       bcch,
       {V("Neighbour Cell Description", 16), V("NCC Permitted", 1, Reader::kNccPermitted), kRach},
       {}},
      {rr, 0x02, "System Information Type 2bis", bcch, {kFrequencyList16, kRach}, {}},
      {rr, 0x03, "System Information Type 2ter", bcch, {kFrequencyList16}, {}},
      {rr,
       0x1B,
       "System Information Type 3",
       bcch,
       {V("Cell Identity", 2, Reader::kCellIdentity), kLai, V("Control Channel Description", 3),
        V("Cell Options (BCCH)", 1), kCellSelection, kRach},
       {}},
      {rr,
       0x1C,
       "System Information Type 4",
       bcch,
       {kLai, kCellSelection, kRach},
       {TV("CBCH Channel Description", 0x64, 4), TLV("CBCH Mobile Allocation", 0x72, 0, 4)}},
      {rr, 0x00, "System Information Type 13", bcch, {}, {}, true},
      {rr, 0x21, "Paging Request Type 1", ccch, {kPageMode, kMobileIdentity}, {kSecondIdentity}},
      {rr,
       0x22,
       "Paging Request Type 2",
       ccch,
       {kPageMode, V("Mobile Identity 1 (TMSI)", 4, Reader::kTmsi),
        V("Mobile Identity 2 (TMSI)", 4, Reader::kTmsi)},
       {TLV("Mobile Identity 3", 0x17, 1, 9, Reader::kMobileIdentity)}},
      {rr,
       0x24,
       "Paging Request Type 3",
       ccch,
       {kPageMode, V("TMSI 1", 4, Reader::kTmsi), V("TMSI 2", 4, Reader::kTmsi),
        V("TMSI 3", 4, Reader::kTmsi), V("TMSI 4", 4, Reader::kTmsi)},
       {}},
      {rr,
       0x3F,
       "Immediate Assignment",
       ccch,
       {V("Page Mode, Dedicated Mode", 1), V("Channel Description", 3, Reader::kChannelDescription),
        V("Request Reference", 3), V("Timing Advance", 1), LV("Mobile Allocation", 0, 8)},
       {kStartingTime}},
      {rr,
       0x0D,
       "Channel Release",
       dcch,
       {V("RR Cause", 1, Reader::kRrCause)},
       {TLV("BA Range", 0x73, 6, 253), TLV("Group Channel Description", 0x74, 3, 13),
        TV1("Group Cipher Key Number", 0x80), TV1("GPRS Resumption", 0xC0)}},
      {rr,
       0x35,
       "Ciphering Mode Command",
       dcch,
       {V("Ciphering Mode Setting, Cipher Response", 1, Reader::kCipherModeSetting)},
       {}},
      {rr, 0x32, "Ciphering Mode Complete", dcch, {}, {TLV("Mobile Equipment Identity", 0x17, 1, 9)}},
      {rr,
       0x2E,
       "Assignment Command",
       dcch,
       {V("Description of the First Channel, after time", 3, Reader::kChannelDescription),
        V("Power Command", 1)},
       {TV("Cell Channel Description", 0x62, 17), TV("Mode of the First Channel", 0x63, 2),
        TV("Description of the Second Channel, after time", 0x64, 4),
        TV("Mode of the Second Channel", 0x66, 2), kStartingTime,
        TV("Description of the First Channel, before time", 0x1C, 4),
        TV("Description of the Second Channel, before time", 0x1D, 4),
        TV("Frequency Channel Sequence, before time", 0x1E, 10), TV1("Cipher Mode Setting", 0x90)}},
      {rr, 0x29, "Assignment Complete", dcch, {V("RR Cause", 1, Reader::kRrCause)}, {}},
      {rr, 0x13, "Classmark Enquiry", dcch, {}, {TLV("Classmark Enquiry Mask", 0x10, 1, 1)}},
      {mm, 0x18, "Identity Request", dcch, {V("Identity Type", 1, Reader::kIdentityType)}, {}},
      {mm,
       0x12,
       "Authentication Request",
       dcch,
       {V("Ciphering Key Sequence Number", 1, Reader::kKeySequence), V("RAND", 16)},
       {TLV("AUTN", 0x20, 16, 16)}},
      {mm,
       0x02,
       "Location Updating Accept",
       dcch,
       {kLai},
       {TLV("Mobile Identity", 0x17, 1, 9, Reader::kMobileIdentity), T("Follow On Proceed", 0xA1),
        T("CTS Permission", 0xA2), TLV("Equivalent PLMNs", 0x4A, 3, 45),
        TLV("Emergency Number List", 0x34, 3, 48)}},
      {cc,
       0x05,
       "Setup",
       dcch,
       {},
       {kRepeat, kBearer, kFacility, kProgress, TV("Signal", 0x34, 2),
        TLV("Calling Party BCD Number", 0x5C, 1, 12, Reader::kBcdNumber),
        TLV("Called Party BCD Number", 0x5E, 1, 41), kUserUser}},
      {cc, 0x02, "Call Proceeding", dcch, {}, {kRepeat, kBearer, kFacility, kProgress}},
      {cc, 0x01, "Alerting", dcch, {}, {kFacility, kProgress, kUserUser}},
      {cc,
       0x07,
       "Connect",
       dcch,
       {},
       {kFacility, kProgress, TLV("Connected Number", 0x4C, 1, 12), TLV("Connected Subaddress", 0x4D, 0, 21),
        kUserUser}},
      {cc, 0x25, "Disconnect", dcch, {kCause}, {kFacility, kProgress, kUserUser}},
      {cc, 0x2D, "Release", dcch, {}, {kOptionalCause, kFacility, kUserUser}},
      {cc, 0x2A, "Release Complete", dcch, {}, {kOptionalCause, kFacility, kUserUser}},
  };
}

}  // namespace

const std::vector<MessageType>& MessageTypes() {
  static const std::vector<MessageType> table = MakeTable();
  return table;
}

}  // namespace geran::layer3::detail
