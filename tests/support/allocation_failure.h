// Memory running out inside the product: one of its allocations fails, through the import it
// reaches the allocator by.
#pragma once

#include "product_module.h"

namespace geran::test {

// The heap (operator new reaches malloc through the product's import of it), the BSTRs made from
// narrow texts, or the byte lists' SAFEARRAYs.
enum class Allocator { kHeap, kBstr, kSafeArray };

// While it lives, allocation number after + 1 through allocator fails, as it does when memory runs
// out; the allocations before and after it succeed (the exception's own among them).
class AllocationFails {
 public:
  AllocationFails(const ProductModule& module, Allocator allocator, int after = 0);
  ~AllocationFails();
  AllocationFails(const AllocationFails&) = delete;
  AllocationFails& operator=(const AllocationFails&) = delete;

  // Whether the allocation has failed yet: false when the call made fewer allocations.
  bool Failed() const;

 private:
  const ProductModule& module_;
  Allocator allocator_;
};

}  // namespace geran::test
