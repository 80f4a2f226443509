// GSM layer-3 messages (RR, MM, CC) named and checked from their bytes. Plain C++, no platform calls,
// so the native fuzz build runs it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace geran::layer3 {

// Where a message travels: the broadcast channel, the common control channel (paging, access grant)
// or a dedicated channel. BCCH and CCCH messages fill one 23-octet block with their L2 pseudo length.
enum class Channel { kBcch, kCcch, kDcch };

constexpr std::size_t kBlockOctets = 23;
// A BCCH/CCCH block holds the L2 pseudo length octet, then the message.
constexpr std::size_t kMaxBroadcastMessage = kBlockOctets - 1;

// Something wrong with a message: the element, where it starts (from 0) and what is wrong with it.
struct Finding {
  std::size_t offset = 0;
  std::string element;
  std::string problem;
};

// "Cell Options (BCCH) at offset 12: missing".
std::string Describe(const Finding& finding);

// A value read from the message, named as protocol engineers name it ("cell identity", "LAC", "TMSI").
struct Field {
  std::string name;
  std::string value;
};

struct Message {
  bool known = false;  // a message of the table, checked; otherwise named "not checked"
  std::string name;
  Channel channel = Channel::kDcch;
  std::size_t pseudoLength = 0;  // the octets before the rest octets: a BCCH/CCCH block's L2 pseudo length
  std::vector<Finding> findings;
  std::vector<Field> fields;
};

// Names and checks the message: protocol discriminator and message type, the mandatory part, every
// length against what follows, a BCCH/CCCH message within its block. A message the table does not
// hold is "not checked", without findings.
Message Decode(const std::uint8_t* bytes, std::size_t size);
inline Message Decode(const std::vector<std::uint8_t>& bytes) { return Decode(bytes.data(), bytes.size()); }

// "System Information Type 3, 22 octets".
std::string Summary(const Message& message, std::size_t size);

}  // namespace geran::layer3
