// The capture of a call journal: which calls become frames, their time and the block's first octet.
#include "pcap_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace geran::host {
namespace {

constexpr std::size_t kFileHeader = 24, kRecordHeader = 16,
                      kBlockStart = kFileHeader + kRecordHeader + 14 + 20 + 8 + 16;

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

TEST(CaptureJournal, FramesTimesAndFirstOctets) {
  const std::string authentication =
      "[5,18,0,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,16,32,16,160,161,162,163,164,165,166,167,168,"
      "169,"
      "170,171,172,173,174]";
  const struct {
    std::string journal;
    std::size_t messages, frames;
    double seconds = 0;  // the first record's time
    int firstOctet = 0;  // of the first block: the L2 pseudo length octet, or LAPDm's address
  } cases[] = {
      {"1000.250\tSendSIMsg(13, 2, [6,0])\t0x00000000\n", 1, 1, 1.00025, 0x01},
      {"2.5\tSendSIMsg(3, 12, [6,27,0,1,0,241,16,0,1,73,6,40])\t0x00000000\n", 1, 1, 0.0025, 12 << 2 | 1},
      {"5.000\tSendMsg(1, 0, 3, [6,53,1], 0)\t0x80004005\t\"cell busy\"\n", 0, 0},
      {"1.000\tConfigCch(1, -60.5, -52.5, 0, 1, [62], 0, 0, 0, 0, 0, 0, 1)\t0x00000000\n", 0, 0},
      {"Reset()\nSendMsg(1, 0, 3, [6,53,1], 0)\n", 1, 1, 0.002, 0x03},
      {"7.000\tWaitMsg(1, 0, 5000, [6,50])\t0x00000000\n", 1, 1, 0.007, 0x01},
      {"3.000\tSendMsg(1, 0, 37, " + authentication + ", 0)\t0x00000000\n", 1, 2, 0.003, 0x03},
      {"99999999999999.000\tSendPagingReq(0, 2, 2, [6,33], 0)\t0x00000000\n", 1, 1, 0, 2 << 2 | 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.journal);
    const Capture capture = CaptureJournal(c.journal);
    EXPECT_EQ(capture.messages, c.messages);
    EXPECT_EQ(capture.frames, c.frames);
    if (c.frames == 0) {
      EXPECT_EQ(capture.pcap.size(), kFileHeader);
      continue;
    }
    ASSERT_GT(capture.pcap.size(), kBlockStart);
    EXPECT_DOUBLE_EQ(
        LittleEndian32(capture.pcap, kFileHeader) + LittleEndian32(capture.pcap, kFileHeader + 4) / 1e6,
        c.seconds);
    EXPECT_EQ(static_cast<std::uint8_t>(capture.pcap[kBlockStart]), c.firstOctet);
  }
}

}  // namespace
}  // namespace geran::host
