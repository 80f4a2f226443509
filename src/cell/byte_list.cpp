#include "cell/byte_list.h"

#include <algorithm>
#include <cstdint>

namespace geran {
namespace {

BYTE LowByte(std::int32_t value) { return static_cast<BYTE>(static_cast<std::uint32_t>(value) & 0xFFu); }

BYTE LowByteOfTruncated(double value) {
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
  list.bytes_.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  for (int i = 0; i < count; ++i) list.bytes_.push_back(LowByte(values[i]));
  return list;
}

ByteList ByteList::FromDoubles(const double* values, int count) {
  ByteList list;
  list.bytes_.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  for (int i = 0; i < count; ++i) list.bytes_.push_back(LowByteOfTruncated(values[i]));
  return list;
}

_variant_t ByteList::Pack() const {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes_.size()));
  if (array == nullptr) _com_issue_error(E_OUTOFMEMORY);
  _variant_t packed;
  V_VT(&packed) = VT_ARRAY | VT_UI1;
  V_ARRAY(&packed) = array;  // owned by packed from here on
  if (!bytes_.empty()) {
    void* data = nullptr;
    ThrowIfFailed(SafeArrayAccessData(array, &data));
    std::copy(bytes_.begin(), bytes_.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
  }
  return packed;
}

PackedBytes::PackedBytes(const ByteList& list) : packed_(list.Pack()) {
  ThrowIfFailed(VariantCopy(&copy_, &packed_));
}

}  // namespace geran
