// The messages the layer-3 checker knows: one row per message, its elements in order.
#pragma once

#include "message.h"

#include <cstdint>
#include <vector>

namespace geran::layer3::detail {

enum class Format {
  kV,    // value only, min octets
  kLV,   // length octet, then min..max octets
  kTV,   // IEI, then a value; min is the whole element's octets
  kTV1,  // a half-octet IEI (high nibble) and a half-octet value: one octet
  kT,    // IEI only: one octet
  kTLV,  // IEI, length octet, then min..max octets
};

// How an element's value becomes fields (message.cpp reads them).
enum class Reader {
  kNone,
  kCellIdentity,
  kLai,
  kChannelDescription,
  kMobileIdentity,
  kTmsi,
  kRrCause,
  kCause,
  kRach,
  kNccPermitted,
  kCipherModeSetting,
  kIdentityType,
  kKeySequence,
  kBcdNumber,
};

struct Element {
  const char* name;
  Format format;
  std::uint8_t iei;  // optional elements only; kTV1: the high nibble
  std::uint8_t min;
  std::uint8_t max;
  Reader reader = Reader::kNone;
};

enum Protocol : std::uint8_t { kCallControl = 0x3, kMobilityManagement = 0x5, kRadioResources = 0x6 };

struct MessageType {
  Protocol protocol;
  std::uint8_t type;
  const char* name;
  Channel channel;
  std::vector<Element> mandatory;  // after the protocol discriminator and the message type
  std::vector<Element> optional;   // by IEI, in any order
  bool noPseudoLength = false;     // the L2 pseudo length is 0 whatever the message holds
};

const std::vector<MessageType>& MessageTypes();

}  // namespace geran::layer3::detail
