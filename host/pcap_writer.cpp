#include "pcap_writer.h"

#include <layer3/message.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace geran::host {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kGsmtapPort = 4729;
constexpr std::uint8_t kFill = 0x2B;
constexpr std::size_t kLapdmInformation = 20;  // N201 of a dedicated channel's LAPDm frame

// GSMTAP channel types and the uplink flag of its ARFCN field.
enum GsmtapChannel : std::uint8_t { kGsmtapBcch = 0x01, kGsmtapCcch = 0x02, kGsmtapSdcch = 0x06 };
constexpr std::uint16_t kUplink = 0x4000;

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value >> 16);
  Put16(out, value & 0xFFFF);
}
void Put32LittleEndian(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::uint16_t Ipv4Checksum(const std::string& header) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < header.size(); i += 2)
    sum += static_cast<std::uint8_t>(header[i]) << 8 | static_cast<std::uint8_t>(header[i + 1]);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

// Ethernet, IPv4 and UDP to the GSMTAP port, around a GSMTAP header and its block.
std::string Datagram(std::uint8_t channel, bool uplink, std::uint32_t frameNumber, const Bytes& block) {
  std::string gsmtap = {2, 4, 1, 0};  // version 2, 4 words of header, GSM Um, timeslot 0
  Put16(gsmtap, uplink ? kUplink : 0);
  gsmtap += {0, 0};  // signal level, signal-to-noise ratio
  Put32(gsmtap, frameNumber);
  gsmtap += {static_cast<char>(channel), 0, 0, 0};
  gsmtap.append(block.begin(), block.end());
  std::string ip = {0x45, 0};
  Put16(ip, 20 + 8 + gsmtap.size());
  ip += {0, 0, 0, 0, 64, 17, 0, 0, 127, 0, 0, 1, 127, 0, 0, 1};
  const std::uint16_t checksum = Ipv4Checksum(ip);
  ip[10] = static_cast<char>(checksum >> 8);
  ip[11] = static_cast<char>(checksum & 0xFF);
  std::string frame(12, '\0');
  frame += {0x08, 0x00};
  frame += ip;
  Put16(frame, kGsmtapPort);
  Put16(frame, kGsmtapPort);
  Put16(frame, 8 + gsmtap.size());
  Put16(frame, 0);  // no UDP checksum
  return frame + gsmtap;
}

std::string FileHeader() {
  std::string header;
  Put32LittleEndian(header, 0xA1B2C3D4);
  Put32LittleEndian(header, 2 | 4 << 16);  // version 2.4
  Put32LittleEndian(header, 0);            // GMT
  Put32LittleEndian(header, 0);            // accuracy
  Put32LittleEndian(header, 65535);        // snapshot length
  Put32LittleEndian(header, 1);            // Ethernet
  return header;
}

// A call the capture holds: where its message goes and the message.
struct Sent {
  double milliseconds = 0;
  std::string method;
  std::vector<long> arguments;  // the numbers before the byte list
  Bytes message;
};

// "Method(n, n, [b,b,...], n)": the method, the numbers before the list and the list.
std::optional<Sent> ParseCall(std::string_view call) {
  const std::size_t open = call.find('('), list = call.find('['), close = call.find(']');
  if (open == std::string_view::npos || list == std::string_view::npos || close < list) return std::nullopt;
  Sent sent;
  sent.method = std::string(call.substr(0, open));
  const std::string numbers(call.substr(open + 1, list - open - 1));
  for (const char* at = numbers.c_str(); *at;) {
    char* end = nullptr;
    const long value = std::strtol(at, &end, 10);
    if (end == at) break;
    sent.arguments.push_back(value);
    at = end + (*end == ',' ? 1 : 0);
  }
  const std::string bytes(call.substr(list + 1, close - list - 1));
  for (const char* at = bytes.c_str(); *at;) {
    char* end = nullptr;
    sent.message.push_back(static_cast<std::uint8_t>(std::strtol(at, &end, 10)));
    if (end == at) return std::nullopt;
    at = end + (*end == ',' ? 1 : 0);
  }
  return sent;
}

// Whether a time fits a capture's timestamp (seconds since its start in 32 bits); NaN does not.
bool IsCaptureTime(double milliseconds) { return milliseconds >= 0 && milliseconds < 4294967295e3; }

// The time and the call of a recorded line; the line itself, one ms after the one before, for the
// simulator's journal. Nothing for a recorded call that failed: it sent nothing. A time that no
// timestamp can hold is the one before.
std::optional<std::pair<double, std::string_view>> TimedCall(std::string_view line, double previous) {
  if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0])))
    return std::make_pair(previous + 1, line);
  const std::size_t tab = line.find('\t');
  const std::string_view call = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
  const std::size_t outcome = tab + 1 + call.size() + 1;
  if (outcome < line.size() && line.compare(outcome, 3, "0x8") == 0) return std::nullopt;
  const double milliseconds = std::strtod(std::string(line.substr(0, tab)).c_str(), nullptr);
  return std::make_pair(IsCaptureTime(milliseconds) ? milliseconds : previous, call);
}

// The 23-octet block of a BCCH or CCCH message: L2 pseudo length, the message, fill.
Bytes BroadcastBlock(const Bytes& message) {
  const std::size_t pseudoLength = layer3::Decode(message).pseudoLength;
  Bytes block{static_cast<std::uint8_t>(pseudoLength << 2 | 1)};
  block.insert(block.end(), message.begin(), message.end());
  if (block.size() < layer3::kBlockOctets) block.resize(layer3::kBlockOctets, kFill);
  return block;
}

class CaptureWriter {
 public:
  CaptureWriter() { capture_.pcap = FileHeader(); }

  void Add(const Sent& sent) {
    if (sent.method == "SendSIMsg")
      return Record(sent.milliseconds, kGsmtapBcch, false, BroadcastBlock(sent.message));
    if (sent.method == "SendPagingReq")
      return Record(sent.milliseconds, kGsmtapCcch, false, BroadcastBlock(sent.message));
    if (sent.arguments.size() < 2) return;
    if (sent.method == "SendMsg") return Dedicated(sent, false);
    if (sent.method == "WaitMsg") return Dedicated(sent, true);
  }

  Capture Take() { return std::move(capture_); }

 private:
  // The sequence numbers of one link (channel and SAPI), each side's next N(S).
  struct Link {
    unsigned network = 0;
    unsigned mobile = 0;
  };

  // I frames of LAPDm, as many as the message needs; the network's are commands (C/R 1), the
  // mobile's commands carry C/R 0.
  void Dedicated(const Sent& sent, bool uplink) {
    const unsigned sapi = static_cast<unsigned>(sent.arguments[1]) & 7;
    Link& link = links_[{sent.arguments[0], sapi}];
    unsigned& sendNumber = uplink ? link.mobile : link.network;
    const unsigned received = uplink ? link.network : link.mobile;
    std::size_t offset = 0;
    do {
      const std::size_t length = std::min(kLapdmInformation, sent.message.size() - offset);
      const bool more = offset + length < sent.message.size();
      Bytes frame{static_cast<std::uint8_t>(sapi << 2 | (uplink ? 0 : 2) | 1),
                  static_cast<std::uint8_t>(received << 5 | sendNumber << 1),
                  static_cast<std::uint8_t>(length << 2 | (more ? 2 : 0) | 1)};
      frame.insert(frame.end(), sent.message.begin() + offset, sent.message.begin() + offset + length);
      frame.resize(layer3::kBlockOctets, kFill);
      Record(sent.milliseconds, kGsmtapSdcch, uplink, frame, false);
      sendNumber = (sendNumber + 1) % 8;
      offset += length;
    } while (offset < sent.message.size());
    ++capture_.messages;
  }

  void Record(double milliseconds, std::uint8_t channel, bool uplink, const Bytes& block, bool whole = true) {
    const auto microseconds = static_cast<std::uint64_t>(milliseconds * 1000 + 0.5);
    const auto frameNumber = static_cast<std::uint32_t>(static_cast<std::uint64_t>(milliseconds * 26 / 120) %
                                                        2715648);  // 4.615 ms
    const std::string datagram = Datagram(channel, uplink, frameNumber, block);
    Put32LittleEndian(capture_.pcap, static_cast<std::uint32_t>(microseconds / 1000000));
    Put32LittleEndian(capture_.pcap, static_cast<std::uint32_t>(microseconds % 1000000));
    Put32LittleEndian(capture_.pcap, static_cast<std::uint32_t>(datagram.size()));
    Put32LittleEndian(capture_.pcap, static_cast<std::uint32_t>(datagram.size()));
    capture_.pcap += datagram;
    ++capture_.frames;
    if (whole) ++capture_.messages;
  }

  Capture capture_;
  std::map<std::pair<long, unsigned>, Link> links_;
};

}  // namespace

Capture CaptureJournal(std::string_view journal) {
  CaptureWriter writer;
  double previous = 0;
  for (std::size_t start = 0; start < journal.size();) {
    const std::size_t end = std::min(journal.find('\n', start), journal.size());
    std::string_view line = journal.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    const auto timed = TimedCall(line, previous);
    if (!timed) continue;
    previous = timed->first;
    if (std::optional<Sent> sent = ParseCall(timed->second)) {
      sent->milliseconds = timed->first;
      writer.Add(*sent);
    }
  }
  return writer.Take();
}

}  // namespace geran::host
