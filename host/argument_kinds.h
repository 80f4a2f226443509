// One row per argument kind: how a script writes it, how the parser checks it, how the runner passes
// it and how it reads in signatures. Plain C++, like the parser that uses it.
#pragma once

#include "exports.h"

#include <cstddef>
#include <iterator>
#include <string_view>

namespace geran::host {

// The ways an argument can be written.
enum Form : unsigned {
  kNumber = 1u << 0,
  kString = 1u << 1,
  kArray = 1u << 2,
  kReferenceForm = 1u << 3,
  kOut = 1u << 4,
  kNullForm = 1u << 5,
  kOther = 1u << 6,
};

// What a value may be: a $name's out value where it is used, or an out value where it is declared.
enum class Holds { kNothing, kInteger, kText, kEither };

struct KindRule {
  Kind kind;
  std::string_view name;  // in signatures and messages
  unsigned forms;         // the Forms it accepts
  const char* accepts;    // what the message of another form says it takes
  bool reals;             // a number, or the elements of an array, is a real (else a 32-bit integer)
  Holds reference;        // what a $name must hold; kInteger passes the integer itself, else a pointer
  Holds out;              // what out name (kInteger) or out name[size] (kText) may declare
};

inline constexpr KindRule kKindRules[] = {
    {Kind::kInt, "int", kNumber | kReferenceForm, "an integer or $name", false, Holds::kInteger,
     Holds::kNothing},
    {Kind::kFloat, "float", kNumber, "a number", true, Holds::kNothing, Holds::kNothing},
    {Kind::kText, "const char*", kString | kReferenceForm | kNullForm, "a string, $name or null", false,
     Holds::kText, Holds::kNothing},
    {Kind::kTextBuffer, "out char[]", kOut | kNullForm, "out name[size] or null", false, Holds::kNothing,
     Holds::kText},
    {Kind::kIntArray, "const int[]", kArray | kNullForm, "an integer array or null", false, Holds::kNothing,
     Holds::kNothing},
    {Kind::kDoubleArray, "const double[]", kArray | kNullForm, "a number array or null", true,
     Holds::kNothing, Holds::kNothing},
    {Kind::kOutInt, "out int", kOut | kNullForm, "out name or null", false, Holds::kNothing, Holds::kInteger},
    {Kind::kOutValue, "out int|char[]", kOut | kNullForm, "out name, out name[size] or null", false,
     Holds::kNothing, Holds::kEither},
    {Kind::kValue, "const char*|int[]", kString | kArray | kReferenceForm | kNullForm,
     "a string, an integer array, $name or null", false, Holds::kEither, Holds::kNothing},
};

// A row out of the order of Kind fails the build.
constexpr bool RowsInKindOrder() {
  for (std::size_t i = 0; i < std::size(kKindRules); ++i)
    if (static_cast<std::size_t>(kKindRules[i].kind) != i) return false;
  return true;
}
static_assert(RowsInKindOrder(), "kKindRules: one row per Kind, in the order of Kind");

constexpr const KindRule& RuleFor(Kind kind) { return kKindRules[static_cast<std::size_t>(kind)]; }

}  // namespace geran::host
