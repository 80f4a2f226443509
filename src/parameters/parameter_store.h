// ParameterStore: the module-wide record of typed values that the master parameter load fills.
#pragma once

#include "parameters/parameter_table.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace geran {

namespace detail {

// Where each field's first value stands in the array of its kind (after those of the fields before
// it), by the field's row, and how many values of each kind there are: worked out as the build compiles.
struct Layout {
  int place[std::size(parameters::kFields)] = {};
  int count[static_cast<int>(parameters::Kind::kNone) + 1] = {};
};

constexpr Layout LayOut() {
  Layout layout;
  for (std::size_t row = 0; row < std::size(parameters::kFields); ++row) {
    const parameters::Field& field = parameters::kFields[row];
    int& next = layout.count[static_cast<int>(field.kind())];
    layout.place[row] = next;
    next += field.width();
  }
  return layout;
}

inline constexpr Layout kLayout = LayOut();

constexpr int ValueCount(parameters::Kind kind) { return kLayout.count[static_cast<int>(kind)]; }
constexpr int PlaceOf(const parameters::Field& field) { return kLayout.place[&field - parameters::kFields]; }

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
