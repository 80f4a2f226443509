#include "caller/caller_memory.h"

#include <windows.h>

#include <cstring>

namespace geran {
namespace {

bool IsReadableProtection(DWORD protection) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  // A guard page is readable once, and reading it is the stack's growth signal: never touch it.
  return (protection & kReadable) != 0 && (protection & PAGE_GUARD) == 0;
}

// Readability changes only at page boundaries, and pages are 4 KiB on x86 and x64 Windows.
constexpr std::uintptr_t kPageSize = 4096;

// The end of the readable region that starts at address; 0 when address is not readable.
std::uintptr_t ReadableRegionEnd(std::uintptr_t address) {
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQuery(reinterpret_cast<const void*>(address), &region, sizeof region) == 0) return 0;
  if (region.State != MEM_COMMIT || !IsReadableProtection(region.Protect)) return 0;
  return reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
}

}  // namespace

bool IsReadableText(const char* text) {
  if (text == nullptr) return false;
  std::uintptr_t at = reinterpret_cast<std::uintptr_t>(text);
  std::uintptr_t end = (at | (kPageSize - 1)) + 1;
  while (std::memchr(reinterpret_cast<const void*>(at), 0, end - at) == nullptr) {
    at = end;
    end = ReadableRegionEnd(at);
    if (end == 0) return false;
  }
  return true;
}

// Walks the address space region by region: one query for an array inside one allocation.
bool IsReadableMemory(const void* start, std::size_t size) {
  const auto first = reinterpret_cast<std::uintptr_t>(start);
  if (start == nullptr || size > UINTPTR_MAX - first) return false;
  const std::uintptr_t end = first + size;
  for (std::uintptr_t at = first; at < end;) {
    at = ReadableRegionEnd(at);
    if (at == 0) return false;
  }
  return true;
}

}  // namespace geran
