#include "cell/byte_list.h"

#include <cstddef>
#include <cstdint>

namespace geran {
namespace {

std::uint8_t LowByte(std::int32_t value) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

std::uint8_t LowByteOfTruncated(double value) {
  // Written so that NaN fails the test too; converting an out-of-range double would be undefined.
  if (!(value > -2147483649.0 && value < 2147483648.0)) return 0;
  return LowByte(static_cast<std::int32_t>(value));
}

}  // namespace

ByteList ByteList::FromValue(long value) {
  ByteList list;
  list.bytes_.push_back(LowByte(static_cast<std::int32_t>(value)));
  return list;
}

ByteList ByteList::FromIntegers(const int* values, int count) {
  ByteList list;
  list.bytes_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) list.bytes_.push_back(LowByte(values[i]));
  return list;
}

ByteList ByteList::FromDoubles(const double* values, int count) {
  ByteList list;
  list.bytes_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) list.bytes_.push_back(LowByteOfTruncated(values[i]));
  return list;
}

}  // namespace geran
