// What an export may read of its caller's arrays: checked before a single element is read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace geran {

// True when size bytes from start are committed, readable memory; false for a null start.
bool IsReadableMemory(const void* start, std::size_t size);

// True when text has its NUL inside readable memory; false for a null text. The text's own first
// page is the caller's word and is read without asking; each further region is asked about once, so a
// short text costs no system call.
bool IsReadableText(const char* text);

// True when count elements can be read from values. A count of 0 or less reads nothing, so it passes
// whatever values is: the export's count rule decides then. A null array, or a count that runs past
// the caller's memory (INT_MAX with a small buffer), does not pass.
template <class Element>
bool CanReadArray(const Element* values, int count) {
  if (count <= 0) return true;
  const std::uint64_t size = static_cast<std::uint64_t>(count) * sizeof(Element);
  return size <= SIZE_MAX && IsReadableMemory(values, static_cast<std::size_t>(size));
}

}  // namespace geran
