// ParameterStore: the module-wide record of typed values that the master parameter load fills.
#pragma once

#include "parameters/parameter_table.h"

#include <cstdint>

namespace geran {

namespace detail {

// How many values of kind the fields hold.
constexpr int ValueCount(parameters::Kind kind) {
  int count = 0;
  for (const parameters::Field& field : parameters::kFields)
    if (field.kind() == kind) count += field.width();
  return count;
}

// Where field's first value stands in the array of its kind: after those of the fields before it.
constexpr int PlaceOf(const parameters::Field& field) {
  int place = 0;
  for (const parameters::Field& before : parameters::kFields) {
    if (&before == &field) break;
    if (before.kind() == field.kind()) place += before.width();
  }
  return place;
}

}  // namespace detail

// The values of the fields of parameters::kFields, each in the array of its kind; a field is one of
// the table's rows. The load presets nothing: a value that no load or SetParameter has written reads
// as zero.
class ParameterStore {
 public:
  using Field = parameters::Field;
  using Kind = parameters::Kind;

  std::uint8_t Byte(const Field& field, int slot = 0) const { return bytes_[detail::PlaceOf(field) + slot]; }
  std::int32_t Integer(const Field& field) const { return integers_[detail::PlaceOf(field)]; }
  std::uint32_t Unsigned(const Field& field) const { return unsigneds_[detail::PlaceOf(field)]; }
  float Level(const Field& field) const { return levels_[detail::PlaceOf(field)]; }

  void SetByte(const Field& field, std::uint8_t value, int slot = 0) {
    bytes_[detail::PlaceOf(field) + slot] = value;
  }
  void SetInteger(const Field& field, std::int32_t value) { integers_[detail::PlaceOf(field)] = value; }
  void SetUnsigned(const Field& field, std::uint32_t value) { unsigneds_[detail::PlaceOf(field)] = value; }
  void SetLevel(const Field& field, float value) { levels_[detail::PlaceOf(field)] = value; }

  // The levels the cell commands set their channels up with.
  float RxLevel() const;
  float TxLevel() const;

 private:
  std::uint8_t bytes_[detail::ValueCount(Kind::kByte)] = {};
  std::int32_t integers_[detail::ValueCount(Kind::kInteger)] = {};
  std::uint32_t unsigneds_[detail::ValueCount(Kind::kUnsigned)] = {};
  float levels_[detail::ValueCount(Kind::kLevel)] = {};
};

// The module's store, or nullptr before the first successful master parameter load.
// Cell commands read their levels through it: Parameters()->RxLevel().
ParameterStore* Parameters();

namespace detail {
// The store, created by the first call (the first load that got a parameter list).
ParameterStore& CreateParametersOnce();
}  // namespace detail

}  // namespace geran
