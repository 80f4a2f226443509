// The layer-3 checker on any octets and the capture writer on any journal text. Beyond the
// sanitizers: every finding lies within the message (or at the block's end), the L2 pseudo length
// within the message, and the capture holds a record for each frame it counts.
#include "fuzz_check.h"
#include "pcap_writer.h"

#include <layer3/message.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace geran::fuzz {
namespace {

void CheckMessage(const std::uint8_t* data, std::size_t size) {
  const layer3::Message message = layer3::Decode(data, size);
  Require(message.pseudoLength <= size, "the L2 pseudo length lies within the message");
  for (const layer3::Finding& finding : message.findings)
    Require(finding.offset <= size, "a finding lies within the message");
  Require(message.known || message.fields.empty(), "a message not checked has no fields");
}

void CheckCapture(std::string_view journal) {
  constexpr std::size_t kFileHeader = 24, kRecordHeader = 16, kSmallestFrame = 14 + 20 + 8 + 16 + 23;
  const host::Capture capture = host::CaptureJournal(journal);
  Require(capture.messages <= capture.frames, "every message takes a frame");
  Require(capture.pcap.size() >= kFileHeader + capture.frames * (kRecordHeader + kSmallestFrame),
          "a record for each frame");
}

}  // namespace
}  // namespace geran::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geran::fuzz::CheckMessage(data, size);
  geran::fuzz::CheckCapture(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
