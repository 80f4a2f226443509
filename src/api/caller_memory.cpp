#include "api/caller_memory.h"

#include <windows.h>

namespace geran {
namespace {

bool IsReadableProtection(DWORD protection) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  // A guard page is readable once, and reading it is the stack's growth signal: never touch it.
  return (protection & kReadable) != 0 && (protection & PAGE_GUARD) == 0;
}

}  // namespace

// Walks the address space region by region: one query for an array inside one allocation.
bool IsReadableMemory(const void* start, std::size_t size) {
  const auto first = reinterpret_cast<std::uintptr_t>(start);
  if (start == nullptr || size > UINTPTR_MAX - first) return false;
  const std::uintptr_t end = first + size;
  for (std::uintptr_t at = first; at < end;) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0) return false;
    if (region.State != MEM_COMMIT || !IsReadableProtection(region.Protect)) return false;
    at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return true;
}

}  // namespace geran
