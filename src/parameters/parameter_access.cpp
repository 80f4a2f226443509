// znGeranApiInterfaceDll_GetParameter / _SetParameter: twelve GSM fields of the store by name.
#include "api/caller_memory.h"
#include "api/result.h"
#include "parameters/parameter_names.h"
#include "parameters/parameter_store.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

namespace geran {
namespace {

using Store = ParameterStore;
using parameters::Form;
using parameters::kParameterNames;

// How one name's value crosses the interface in each direction, and whether a value to set can be
// read whole.
struct NamedField {
  std::string_view name;
  void (*get)(const Store& store, void* value);
  void (*set)(Store& store, const void* value);
  bool (*readable)(const void* value);
};

const char* TextOf(const void* value) { return static_cast<const char*>(value); }
bool IsReadableValueText(const void* value) { return IsReadableText(TextOf(value)); }

// 8-bit fields: read as the raw byte, written as decimal text (low 8 bits kept).
template <std::size_t Name, std::uint8_t (Store::*Get)() const, void (Store::*Set)(std::uint8_t)>
constexpr NamedField ByteField() {
  static_assert(kParameterNames[Name].form == Form::kByte);
  return {kParameterNames[Name].name,
          [](const Store& s, void* value) { *static_cast<std::uint8_t*>(value) = (s.*Get)(); },
          [](Store& s, const void* value) { (s.*Set)(static_cast<std::uint8_t>(std::atoi(TextOf(value)))); },
          IsReadableValueText};
}

// 32-bit fields: four bytes in machine order both ways; the caller's buffer may be unaligned.
template <std::size_t Name, std::int32_t (Store::*Get)() const, void (Store::*Set)(std::int32_t)>
constexpr NamedField IntegerField() {
  static_assert(kParameterNames[Name].form == Form::kInteger);
  return {kParameterNames[Name].name,
          [](const Store& s, void* value) {
            const std::int32_t field = (s.*Get)();
            std::memcpy(value, &field, sizeof field);
          },
          [](Store& s, const void* value) {
            std::int32_t field;
            std::memcpy(&field, value, sizeof field);
            (s.*Set)(field);
          },
          [](const void* value) { return IsReadableMemory(value, sizeof(std::int32_t)); }};
}

// Levels: "%f" text both ways. The longest "%f" text of a float (-FLT_MAX: 39 digits, sign, point and
// six decimals) takes 48 bytes with its terminator, so ZNGERAN_LEVEL_TEXT_SIZE always holds it.
template <std::size_t Name, float (Store::*Get)() const, void (Store::*Set)(float)>
constexpr NamedField LevelField() {
  static_assert(kParameterNames[Name].form == Form::kLevel);
  return {kParameterNames[Name].name,
          [](const Store& s, void* value) {
            std::snprintf(static_cast<char*>(value), ZNGERAN_LEVEL_TEXT_SIZE, "%f",
                          static_cast<double>((s.*Get)()));
          },
          [](Store& s, const void* value) { (s.*Set)(static_cast<float>(std::atof(TextOf(value)))); },
          IsReadableValueText};
}

// By position in kParameterNames (parameter_names.h), whose form each one checks.
const NamedField kNamedFields[] = {
    ByteField<0, &Store::getRadioSystemGSM, &Store::setRadioSystemGSM>(),
    IntegerField<1, &Store::getControlArfcnGSM, &Store::setControlArfcnGSM>(),
    IntegerField<2, &Store::getTrafficArfcnGSM, &Store::setTrafficArfcnGSM>(),
    ByteField<3, &Store::getTchTimeslot, &Store::setTchTimeslot>(),
    ByteField<4, &Store::getCallScenario, &Store::setCallScenario>(),
    LevelField<5, &Store::getRxLevel, &Store::setRxLevel>(),
    LevelField<6, &Store::getTxLevel, &Store::setTxLevel>(),
    ByteField<7, &Store::getCipheringType, &Store::setCipheringType>(),
    ByteField<8, &Store::getCipheringAlgorithm, &Store::setCipheringAlgorithm>(),
    ByteField<9, &Store::getSdcchTimeslot, &Store::setSdcchTimeslot>(),
    ByteField<10, &Store::getTchRate, &Store::setTchRate>(),
    ByteField<11, &Store::getDedicatedChannel, &Store::setDedicatedChannel>(),
};
static_assert(std::size(kNamedFields) == std::size(kParameterNames));

// The named field, or nullptr for a name outside the table (compared byte for byte) or one without
// an end in readable memory.
const NamedField* FindField(const char* name) {
  if (!IsReadableText(name)) return nullptr;
  for (const NamedField& field : kNamedFields)
    if (std::strcmp(field.name.data(), name) == 0) return &field;  // the table's names end in a NUL
  return nullptr;
}

}  // namespace
}  // namespace geran

// Both answer 0 and touch nothing for an unknown name, a null pointer, or before the first load
// (there is no store to read or write then).
extern "C" int WINAPI znGeranApiInterfaceDll_GetParameter(const char* name, int, void* value, int) {
  return geran::RunGuarded(GERAN_REPORT_SITE, [=] {
    const geran::NamedField* field = geran::FindField(name);
    const geran::ParameterStore* store = geran::Parameters();
    if (field == nullptr || store == nullptr || value == nullptr) return geran::kFailure;
    field->get(*store, value);
    return geran::kSuccess;
  });
}

extern "C" int WINAPI znGeranApiInterfaceDll_SetParameter(const char* name, int, const void* value, int) {
  return geran::RunGuarded(GERAN_REPORT_SITE, [=] {
    const geran::NamedField* field = geran::FindField(name);
    geran::ParameterStore* store = geran::Parameters();
    if (field == nullptr || store == nullptr || value == nullptr || !field->readable(value))
      return geran::kFailure;
    field->set(*store, value);
    return geran::kSuccess;
  });
}
