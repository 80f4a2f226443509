// The byte lists that commands hand to the test set as a VARIANT of VT_ARRAY | VT_UI1.
#pragma once

#include "testset/automation.h"

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
  const std::vector<BYTE>& bytes() const { return bytes_; }

  // A one-dimensional SAFEARRAY of bytes with lower bound 0; raises E_OUTOFMEMORY on failure.
  _variant_t Pack() const;

 private:
  std::vector<BYTE> bytes_;
};

// A list packed for one method call: the packed value and the copy passed by value. Both are
// cleared when this goes out of scope, on the failure path too.
class PackedBytes {
 public:
  explicit PackedBytes(const ByteList& list);  // raises the copy's failure
  const VARIANT& ForCall() const { return copy_; }

 private:
  _variant_t packed_;
  _variant_t copy_;
};

}  // namespace geran
