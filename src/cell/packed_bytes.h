// Byte lists as the test set takes them: a VARIANT of VT_ARRAY | VT_UI1.
#pragma once

#include "cell/byte_list.h"
#include "testset/automation.h"

namespace geran {

// A one-dimensional SAFEARRAY of bytes with lower bound 0; raises E_OUTOFMEMORY on failure.
_variant_t Pack(const ByteList& list);

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
