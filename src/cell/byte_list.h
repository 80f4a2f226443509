// The bytes of a byte list, converted from the caller's values. Plain C++, so the native fuzz build
// runs the conversions too; packed_bytes.h turns a list into the VARIANT a method call takes.
#pragma once

#include <cstdint>
#include <vector>

namespace geran {

class ByteList {
 public:
  // One element: the low 8 bits of value.
  static ByteList FromValue(long value);
  // Element i: the low 8 bits of values[i]; a count of 0 or less gives an empty list.
  static ByteList FromIntegers(const int* values, int count);
  // Element i: values[i] truncated toward zero to 32 bits, then its low 8 bits; NaN, infinities and
  // values outside the 32-bit range give 0. A count of 0 or less gives an empty list.
  static ByteList FromDoubles(const double* values, int count);

  long size() const { return static_cast<long>(bytes_.size()); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace geran
