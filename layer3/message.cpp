// Walks a message's elements along its row of the table, noting each finding and the fields read.
#include "message.h"

#include "message_table.h"

#include <cstdio>
#include <optional>

namespace geran::layer3 {
namespace {

using detail::Element;
using detail::Format;
using detail::MessageType;
using detail::Reader;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

char Digit(unsigned nibble) { return nibble < 10 ? static_cast<char>('0' + nibble) : '?'; }

void ReadLai(const std::uint8_t* v, std::vector<Field>& fields) {
  std::string mnc{Digit(v[2] & 0xF), Digit(v[2] >> 4)};
  if ((v[1] >> 4) != 0xF) mnc += Digit(v[1] >> 4);
  fields.push_back({"MCC", {Digit(v[0] & 0xF), Digit(v[0] >> 4), Digit(v[1] & 0xF)}});
  fields.push_back({"MNC", mnc});
  fields.push_back({"LAC", std::to_string(v[3] << 8 | v[4])});
}

void ReadMobileIdentity(const std::uint8_t* v, std::size_t size, std::vector<Field>& fields) {
  constexpr unsigned kImsi = 1, kTmsi = 4;
  if ((v[0] & 7) == kTmsi && size >= 5)
    fields.push_back({"TMSI", Hex(v[1] << 24 | v[2] << 16 | v[3] << 8 | v[4], 8)});
  if ((v[0] & 7) != kImsi) return;
  std::string digits(1, Digit(v[0] >> 4));
  for (std::size_t i = 1; i < size; ++i)
    for (const unsigned nibble : {v[i] & 0xFu, v[i] >> 4u & 0xFu})
      if (nibble != 0xF) digits += Digit(nibble);
  fields.push_back({"IMSI", digits});
}

// The digits of a BCD number after its type octet (and the octet after it when the type's
// extension bit is 0), low nibble first, up to the 0xF filler.
void ReadBcdNumber(const std::uint8_t* v, std::size_t size, std::vector<Field>& fields) {
  std::string digits;
  for (std::size_t i = (v[0] & 0x80) ? 1 : 2; i < size; ++i)
    for (const unsigned nibble : {v[i] & 0xFu, v[i] >> 4u & 0xFu})
      if (nibble != 0xF) digits += Digit(nibble);
  fields.push_back({"number", digits});
}

// The fields an element holds in its first octet.
void ReadOctetFields(Reader reader, std::uint8_t v, std::vector<Field>& fields) {
  switch (reader) {
    case Reader::kRrCause:
      fields.push_back({"RR cause", std::to_string(v)});
      return;
    case Reader::kRach:
      fields.push_back({"max retrans", std::to_string(v >> 6)});
      fields.push_back({"Tx-integer", std::to_string(v >> 2 & 0xF)});
      return;
    case Reader::kNccPermitted:
      fields.push_back({"NCC permitted", std::to_string(v)});
      return;
    case Reader::kCipherModeSetting:
      fields.push_back({"cipher algorithm", std::to_string(v >> 1 & 7)});
      return;
    case Reader::kIdentityType:
      fields.push_back({"identity type", std::to_string(v & 7)});
      return;
    case Reader::kKeySequence:
      fields.push_back({"CKSN", std::to_string(v & 7)});
      return;
    default:
      return;
  }
}

// The fields of a value of size octets, as far as they are there.
void ReadFields(Reader reader, const std::uint8_t* v, std::size_t size, std::vector<Field>& fields) {
  if (size == 0) return;
  switch (reader) {
    case Reader::kCellIdentity:
      if (size >= 2) fields.push_back({"cell identity", std::to_string(v[0] << 8 | v[1])});
      return;
    case Reader::kLai:
      if (size >= 5) ReadLai(v, fields);
      return;
    case Reader::kChannelDescription:
      if (size < 3) return;
      fields.push_back({"timeslot", std::to_string(v[0] & 7)});
      if ((v[1] & 0x10) == 0) fields.push_back({"ARFCN", std::to_string((v[1] & 3) << 8 | v[2])});
      return;
    case Reader::kMobileIdentity:
      return ReadMobileIdentity(v, size, fields);
    case Reader::kTmsi:
      if (size >= 4) fields.push_back({"TMSI", Hex(v[0] << 24 | v[1] << 16 | v[2] << 8 | v[3], 8)});
      return;
    case Reader::kCause: {
      const std::size_t at = (v[0] & 0x80) ? 1 : 2;  // without the extension bit, a recommendation octet
      if (at < size) fields.push_back({"cause", std::to_string(v[at] & 0x7F)});
      return;
    }
    case Reader::kBcdNumber:
      return ReadBcdNumber(v, size, fields);
    default:
      return ReadOctetFields(reader, v[0], fields);
  }
}

class Walk {
 public:
  Walk(const std::uint8_t* bytes, std::size_t size, Message& message)
      : bytes_(bytes), size_(size), message_(message) {}

  // Each reads the element at offset and returns the offset after it, or nothing after a finding.
  std::optional<std::size_t> Mandatory(const Element& element, std::size_t offset) {
    if (element.format == Format::kLV) return Lengthed(element, offset, offset);
    if (offset + element.min > size_) return Missing(element, offset);
    ReadFields(element.reader, bytes_ + offset, element.min, message_.fields);
    return offset + element.min;
  }

  std::optional<std::size_t> Optional(const Element& element, std::size_t offset) {
    switch (element.format) {
      case Format::kT:
      case Format::kTV1:
        return offset + 1;
      case Format::kTLV:
        return Lengthed(element, offset, offset + 1);
      default:
        if (offset + element.min <= size_) return offset + element.min;
        return Note(element.name, offset,
                    "needs " + std::to_string(element.min) + " octets, " + std::to_string(size_ - offset) +
                        " remain");
    }
  }

  std::nullopt_t Note(std::string element, std::size_t offset, std::string problem) {
    message_.findings.push_back({offset, std::move(element), std::move(problem)});
    return std::nullopt;
  }

 private:
  std::nullopt_t Missing(const Element& element, std::size_t offset) {
    return Note(element.name, offset,
                "missing (the message ends after " + std::to_string(size_) + " octets)");
  }

  // An element whose length octet is at lengthAt; the element itself starts at offset.
  std::optional<std::size_t> Lengthed(const Element& element, std::size_t offset, std::size_t lengthAt) {
    if (lengthAt >= size_) return Missing(element, offset);
    const std::size_t length = bytes_[lengthAt], start = lengthAt + 1;
    if (length < element.min || length > element.max)
      return Note(element.name, offset,
                  "length " + std::to_string(length) + ", expected " + std::to_string(element.min) +
                      (element.min == element.max ? "" : " to " + std::to_string(element.max)));
    if (start + length > size_)
      return Note(element.name, offset,
                  "length " + std::to_string(length) +
                      " runs past the end: " + std::to_string(size_ - start) + " octets follow");
    ReadFields(element.reader, bytes_ + start, length, message_.fields);
    return start + length;
  }

  const std::uint8_t* bytes_;
  std::size_t size_;
  Message& message_;
};

const MessageType* FindType(detail::Protocol protocol, std::uint8_t type) {
  for (const MessageType& row : detail::MessageTypes())
    if (row.protocol == protocol && row.type == type) return &row;
  return nullptr;
}

const Element* FindOptional(const MessageType& type, std::uint8_t iei) {
  for (const Element& element : type.optional)
    if (element.iei == (element.format == Format::kTV1 ? (iei & 0xF0) : iei)) return &element;
  return nullptr;
}

// An element the row does not list: one octet when bit 8 of its IEI is set, otherwise a TLV.
Element UnlistedElement(std::uint8_t iei, std::string& name) {
  name = "Element " + Hex(iei, 2);
  if (iei & 0x80) return {name.c_str(), Format::kT, iei, 1, 1};
  return {name.c_str(), Format::kTLV, iei, 0, 255};
}

// The optional elements from offset on; on BCCH and CCCH, what the row does not list is rest octets.
// Returns where the rest octets start (the end on a dedicated channel), nothing after a finding.
std::optional<std::size_t> WalkOptional(const MessageType& type, Walk& walk, const std::uint8_t* bytes,
                                        std::size_t size, std::size_t offset) {
  while (offset < size) {
    const Element* element = FindOptional(type, bytes[offset]);
    std::string name;
    Element unlisted;
    if (!element) {
      if (type.channel != Channel::kDcch) return offset;
      unlisted = UnlistedElement(bytes[offset], name);
      element = &unlisted;
    }
    const std::optional<std::size_t> next = walk.Optional(*element, offset);
    if (!next) return std::nullopt;
    offset = *next;
  }
  return offset;
}

void CheckElements(const MessageType& type, const std::uint8_t* bytes, std::size_t size, Message& message) {
  Walk walk(bytes, size, message);
  std::optional<std::size_t> offset = 2;
  for (const Element& element : type.mandatory)
    if (!(offset = walk.Mandatory(element, *offset))) break;
  if (offset) offset = WalkOptional(type, walk, bytes, size, *offset);
  message.pseudoLength = type.noPseudoLength ? 0 : offset.value_or(size);
  if (type.channel != Channel::kDcch && size > kMaxBroadcastMessage)
    walk.Note("message", kMaxBroadcastMessage,
              std::to_string(size) + " octets, more than the " + std::to_string(kMaxBroadcastMessage) +
                  " a 23-octet block holds after its L2 pseudo length");
}

// The protocol of a first octet whose high nibble is what the protocol puts there: RR and MM a
// skip indicator of 0, CC a transaction identifier.
std::optional<detail::Protocol> ProtocolOf(std::uint8_t octet) {
  const unsigned discriminator = octet & 0xF;
  if (discriminator == detail::kCallControl) return detail::kCallControl;
  if ((octet >> 4) != 0) return std::nullopt;
  if (discriminator == detail::kMobilityManagement) return detail::kMobilityManagement;
  if (discriminator == detail::kRadioResources) return detail::kRadioResources;
  return std::nullopt;
}

}  // namespace

std::string Describe(const Finding& finding) {
  return finding.element + " at offset " + std::to_string(finding.offset) + ": " + finding.problem;
}

Message Decode(const std::uint8_t* bytes, std::size_t size) {
  Message message;
  message.name = "not checked";
  message.pseudoLength = size;
  const std::optional<detail::Protocol> protocol = size > 0 ? ProtocolOf(bytes[0]) : std::nullopt;
  if (!protocol) return message;
  if (size < 2) {
    message.findings.push_back({1, "Message Type", "missing"});
    return message;
  }
  // MM and CC messages carry a send sequence number in bits 7 and 8 of the type.
  const std::uint8_t type = *protocol == detail::kRadioResources ? bytes[1] : bytes[1] & 0x3F;
  const MessageType* row = FindType(*protocol, type);
  if (!row) return message;
  message.known = true;
  message.name = row->name;
  message.channel = row->channel;
  CheckElements(*row, bytes, size, message);
  return message;
}

std::string Summary(const Message& message, std::size_t size) {
  return message.name + ", " + std::to_string(size) + (size == 1 ? " octet" : " octets");
}

}  // namespace geran::layer3
