// The product's 50 exports as the script host sees them: names, argument kinds and typed calls.
// Plain C++ (no Windows header), since the script parser builds on it natively too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace geran::host {

// What one parameter of an export's prototype receives, derived from its C type.
enum class Kind {
  kInt,          // int: a 32-bit word
  kFloat,        // float
  kText,         // const char*: a string
  kTextBuffer,   // char*: a text buffer the export fills
  kIntArray,     // const int*: an array of 32-bit integers
  kDoubleArray,  // const double*: an array of doubles
  kOutInt,       // int*: a 32-bit integer the export writes
  kOutValue,     // void*: an integer or a text the export writes
  kValue,        // const void*: a text or 32-bit integers the export reads
};

// Memory for one argument during one call: the word or float itself, or the pointer to pass.
struct Slot {
  std::int32_t word = 0;
  float real = 0;
  const void* pointer = nullptr;
};

// An export's address as the loader hands it out; its adapter casts it to the prototype.
using EntryPoint = void (*)();

struct Export {
  std::string_view name;  // the operation, without the znGeranApiInterfaceDll_ prefix
  const char* symbol;     // the name in the export table
  std::vector<Kind> kinds;
  int (*invoke)(EntryPoint function, const std::vector<Slot>& slots);
};

inline constexpr std::string_view kExportPrefix = "znGeranApiInterfaceDll_";

const std::vector<Export>& Exports();

// The export named name, with or without the prefix; nullptr when there is none.
const Export* FindExport(std::string_view name);

// The export name closest to name by edit distance (ignoring case), or "" when none is close.
std::string_view NearestExportName(std::string_view name);

// The name in known closest to name by edit distance (ignoring case), or "" when none is close.
std::string_view NearestName(std::string_view name, const std::vector<std::string_view>& known);

// Whether the export works through the test-set connection (every one but the stubs, the
// parameter and scenario exports and InitialiseSystem itself).
bool NeedsConnection(const Export& entry);

// "ConfigCch(int, int, ...)": the export with the kinds of its arguments.
std::string Signature(const Export& entry);

}  // namespace geran::host
