// znGeranApiInterfaceDll_GetParameter / _SetParameter: twelve GSM fields of the store by name.
#include "api/result.h"
#include "parameters/parameter_store.h"

#include <znGeranApiInterfaceDll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace geran {
namespace {

using Store = ParameterStore;

// How one name's value crosses the interface in each direction.
struct NamedField {
  const char* name;
  void (*get)(const Store& store, void* value);
  void (*set)(Store& store, const void* value);
};

const char* TextOf(const void* value) { return static_cast<const char*>(value); }

// 8-bit fields: read as the raw byte, written as decimal text (low 8 bits kept).
template <std::uint8_t (Store::*Get)() const, void (Store::*Set)(std::uint8_t)>
constexpr NamedField ByteField(const char* name) {
  return {name, [](const Store& s, void* value) { *static_cast<std::uint8_t*>(value) = (s.*Get)(); },
          [](Store& s, const void* value) { (s.*Set)(static_cast<std::uint8_t>(std::atoi(TextOf(value)))); }};
}

// 32-bit fields: four bytes in machine order both ways; the caller's buffer may be unaligned.
template <std::int32_t (Store::*Get)() const, void (Store::*Set)(std::int32_t)>
constexpr NamedField IntegerField(const char* name) {
  return {name,
          [](const Store& s, void* value) {
            const std::int32_t field = (s.*Get)();
            std::memcpy(value, &field, sizeof field);
          },
          [](Store& s, const void* value) {
            std::int32_t field;
            std::memcpy(&field, value, sizeof field);
            (s.*Set)(field);
          }};
}

// Levels: "%f" text both ways. The longest "%f" text of a float (-FLT_MAX: 39 digits, sign, point and
// six decimals) takes 48 bytes with its terminator, so ZNGERAN_LEVEL_TEXT_SIZE always holds it.
template <float (Store::*Get)() const, void (Store::*Set)(float)>
constexpr NamedField LevelField(const char* name) {
  return {name,
          [](const Store& s, void* value) {
            std::snprintf(static_cast<char*>(value), ZNGERAN_LEVEL_TEXT_SIZE, "%f",
                          static_cast<double>((s.*Get)()));
          },
          [](Store& s, const void* value) { (s.*Set)(static_cast<float>(std::atof(TextOf(value)))); }};
}

// Three names differ from their master-file keys ("TCH Timeslot", "Ciphering Algo", "TCH Rate").
const NamedField kNamedFields[] = {
    ByteField<&Store::getRadioSystemGSM, &Store::setRadioSystemGSM>("Radio System"),
    IntegerField<&Store::getControlArfcnGSM, &Store::setControlArfcnGSM>("Control ARFCN"),
    IntegerField<&Store::getTrafficArfcnGSM, &Store::setTrafficArfcnGSM>("Traffic ARFCN"),
    ByteField<&Store::getTchTimeslot, &Store::setTchTimeslot>("TCH Timeslot"),
    ByteField<&Store::getCallScenario, &Store::setCallScenario>("Call Scenarios"),
    LevelField<&Store::getRxLevel, &Store::setRxLevel>("RX Level"),
    LevelField<&Store::getTxLevel, &Store::setTxLevel>("TX Level"),
    ByteField<&Store::getCipheringType, &Store::setCipheringType>("Ciphering Type"),
    ByteField<&Store::getCipheringAlgorithm, &Store::setCipheringAlgorithm>("Ciphering Algo"),
    ByteField<&Store::getSdcchTimeslot, &Store::setSdcchTimeslot>("SDDCH Timeslot"),
    ByteField<&Store::getTchRate, &Store::setTchRate>("TCH Rate"),
    ByteField<&Store::getDedicatedChannel, &Store::setDedicatedChannel>("Dedicated Channel"),
};

// The named field, or nullptr for a name outside the table (compared byte for byte).
const NamedField* FindField(const char* name) {
  if (name == nullptr) return nullptr;
  for (const NamedField& field : kNamedFields)
    if (std::strcmp(field.name, name) == 0) return &field;
  return nullptr;
}

}  // namespace
}  // namespace geran

// Both answer 0 and touch nothing for an unknown name, a null pointer, or before the first load
// (there is no store to read or write then).
extern "C" int WINAPI znGeranApiInterfaceDll_GetParameter(const char* name, int, void* value, int) {
  const geran::NamedField* field = geran::FindField(name);
  const geran::ParameterStore* store = geran::Parameters();
  if (field == nullptr || store == nullptr || value == nullptr) return geran::kFailure;
  field->get(*store, value);
  return geran::kSuccess;
}

extern "C" int WINAPI znGeranApiInterfaceDll_SetParameter(const char* name, int, const void* value, int) {
  const geran::NamedField* field = geran::FindField(name);
  geran::ParameterStore* store = geran::Parameters();
  if (field == nullptr || store == nullptr || value == nullptr) return geran::kFailure;
  field->set(*store, value);
  return geran::kSuccess;
}
