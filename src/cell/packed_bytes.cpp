#include "cell/packed_bytes.h"

#include <algorithm>
#include <new>

namespace geran {

_variant_t Pack(const ByteList& list) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(list.bytes().size()));
  if (array == nullptr) throw std::bad_alloc();
  _variant_t packed;
  V_VT(&packed) = VT_ARRAY | VT_UI1;
  V_ARRAY(&packed) = array;  // owned by packed from here on
  if (!list.bytes().empty()) {
    void* data = nullptr;
    ThrowIfHelperFailed(SafeArrayAccessData(array, &data));
    std::copy(list.bytes().begin(), list.bytes().end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
  }
  return packed;
}

PackedBytes::PackedBytes(const ByteList& list) : packed_(Pack(list)) {
  ThrowIfHelperFailed(VariantCopy(&copy_, &packed_));
}

}  // namespace geran
