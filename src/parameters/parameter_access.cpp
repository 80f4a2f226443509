// znGeranApiInterfaceDll_GetParameter / _SetParameter: the store's named fields (parameter_table.h).
#include "caller/caller_memory.h"
#include "caller/result.h"
#include "parameters/parameter_store.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace geran {
namespace {

using parameters::Field;
using parameters::Kind;

const char* TextOf(const void* value) { return static_cast<const char*>(value); }

// A byte as the raw byte, an integer as four bytes in machine order (the caller's buffer may be
// unaligned), a level as "%f" text. The longest "%f" text of a float (-FLT_MAX: 39 digits, sign,
// point and six decimals) takes 48 bytes with its terminator, so ZNGERAN_LEVEL_TEXT_SIZE always holds it.
void GetValue(const ParameterStore& store, const Field& field, void* value) {
  switch (field.kind()) {
    case Kind::kByte:
      *static_cast<std::uint8_t*>(value) = store.Byte(field);
      return;
    case Kind::kInteger: {
      const std::int32_t integer = store.Integer(field);
      std::memcpy(value, &integer, sizeof integer);
      return;
    }
    case Kind::kLevel:
      std::snprintf(static_cast<char*>(value), ZNGERAN_LEVEL_TEXT_SIZE, "%f",
                    static_cast<double>(store.Level(field)));
      return;
    default:  // no name reaches the other kinds
      return;
  }
}

// A byte from decimal text (the low 8 bits kept), an integer from four bytes, a level from text.
void SetValue(ParameterStore& store, const Field& field, const void* value) {
  switch (field.kind()) {
    case Kind::kByte:
      return store.SetByte(field, static_cast<std::uint8_t>(std::atoi(TextOf(value))));
    case Kind::kInteger: {
      std::int32_t integer;
      std::memcpy(&integer, value, sizeof integer);
      return store.SetInteger(field, integer);
    }
    case Kind::kLevel:
      return store.SetLevel(field, static_cast<float>(std::atof(TextOf(value))));
    default:
      return;
  }
}

// Whether a value to set can be read whole: four bytes for an integer, a text with its end otherwise.
bool IsReadableValue(const Field& field, const void* value) {
  if (field.kind() == Kind::kInteger) return IsReadableMemory(value, sizeof(std::int32_t));
  return IsReadableText(TextOf(value));
}

// The named field, or nullptr for a name outside the table (compared byte for byte) or one without
// an end in readable memory.
const Field* FindField(const char* name) {
  if (!IsReadableText(name)) return nullptr;
  return parameters::FindNamed(name);
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// Both answer 0 and touch nothing for an unknown name, a null pointer, or before the first load
// (there is no store to read or write then).
int WINAPI znGeranApiInterfaceDll_GetParameter(const char* name, int, void* value, int) {
  return RunGuarded(GERAN_REPORT_SITE, [=] {
    const parameters::Field* field = FindField(name);
    const ParameterStore* store = Parameters();
    if (field == nullptr || store == nullptr || value == nullptr) return kFailure;
    GetValue(*store, *field, value);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_SetParameter(const char* name, int, const void* value, int) {
  return RunGuarded(GERAN_REPORT_SITE, [=] {
    const parameters::Field* field = FindField(name);
    ParameterStore* store = Parameters();
    if (field == nullptr || store == nullptr || value == nullptr || !IsReadableValue(*field, value))
      return kFailure;
    SetValue(*store, *field, value);
    return kSuccess;
  });
}

}  // extern "C"
