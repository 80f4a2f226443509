// What both the tests and the benchmarks need to drive the product and read the simulators back.
#pragma once

#include <windows.h>

#include <import_patch.h>

#include <string>
#include <vector>

namespace geran::test {

using geran::PatchImport;

// An entry list exposed as a count and a copy-entry function (entry(i, buffer, size) returning the
// full length), as the simulator's journal and the scenario library's calls are; entries from first on.
template <class Count, class Entry>
std::vector<std::string> ReadEntries(Count count, Entry entry, int first = 0) {
  std::vector<std::string> entries;
  const int total = count();
  for (int i = first; i < total; ++i) {
    std::string text(static_cast<size_t>(entry(i, nullptr, 0)) + 1, '\0');
    entry(i, &text[0], static_cast<int>(text.size()));
    text.pop_back();
    entries.push_back(text);
  }
  return entries;
}

}  // namespace geran::test
