// znGeranApiInterfaceDll_LoadMasterParameterFile: the master parameter list copied into the store.
#include "caller/result.h"
#include "parameters/handler_binding.h"
#include "parameters/parameter_store.h"
#include "testset/command.h"
#include "testset/trace.h"

#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

namespace geran {
namespace {

using Store = ParameterStore;
using Text = std::string;
using parameters::Field;
using parameters::Kind;
using parameters::Reading;

// Value texts are never rejected: what is not a number converts to 0, 8-bit fields keep the low bits.
std::int32_t Integer(const Text& text) { return std::atoi(text.c_str()); }
std::uint32_t Unsigned(const Text& text) { return static_cast<std::uint32_t>(Integer(text)); }
std::uint8_t Byte(const Text& text) { return static_cast<std::uint8_t>(Integer(text)); }
float Real(const Text& text) { return static_cast<float>(std::atof(text.c_str())); }

// A value as the file lines' "%ld" or "%f" takes it.
template <class Value>
auto Widened(Value value) {
  if constexpr (std::is_floating_point_v<Value>)
    return static_cast<double>(value);
  else
    return static_cast<long>(value);
}

// The position of text in texts, or 0 for any other text.
template <size_t N>
std::uint8_t Mapped(const std::string_view (&texts)[N], const Text& text) {
  const auto found = std::find(std::begin(texts), std::end(texts), text);
  return found == std::end(texts) ? 0 : static_cast<std::uint8_t>(found - std::begin(texts));
}

// The two mapped keys trace the text they read and the number it maps to before it is stored.
std::uint8_t ReadMapped(Reading reading, const Text& text) {
  if (reading == Reading::kNetworkMode) {
    Trace(kResultTrace, "INFO:  NMO : %s\n", text.c_str());
    const std::uint8_t mode = Mapped(parameters::kNetworkModes, text);
    Trace(kResultTrace, "INFO:  NMONum : %ld\n", Widened(mode));
    return mode;
  }
  Trace(kResultTrace, "parameterName.compare -- Channel Request");
  const std::uint8_t type = Mapped(parameters::kChannelRequestTypes, text);
  Trace(kResultTrace, "INFO:  ChnReq : %ld\n", Widened(type));
  return type;
}

// What the load writes of a value it stored: the field's console line and its file line, each where
// the table gives one. The unary + shows 8-bit values as numbers rather than characters.
template <class Value>
void Echo(const Field& field, Value value) {
  if (field.console != nullptr) std::cout << field.console << +value << std::endl;
  if (field.trace != nullptr) Trace(kResultTrace, field.trace, Widened(value));
}

// A text of exactly "1" marks the timeslot with its own bit. The family's mask, the 8-bit sum of its
// timeslots (distinct bits, so their OR), is echoed when, and only when, timeslot 7 is set.
void ApplySlot(Store& store, const Field& family, int slot, const Text& text) {
  store.SetByte(family, static_cast<std::uint8_t>(text == "1" ? 1u << slot : 0u), slot);
  if (slot != parameters::kLastSlot) return;
  std::uint8_t mask = 0;
  for (int i = 0; i <= parameters::kLastSlot; ++i)
    mask = static_cast<std::uint8_t>(mask + store.Byte(family, i));
  Echo(family, mask);
}

// What an 8-bit field's reading makes of text.
std::uint8_t ReadByte(Reading reading, const Text& text) {
  switch (reading) {
    case Reading::kPresence:  // always on once listed: its value text is not read
      return 1;
    case Reading::kNetworkMode:
    case Reading::kChannelRequestType:
      return ReadMapped(reading, text);
    default:
      return Byte(text);
  }
}

// The value text read as the field's reading says, stored, then echoed.
void ApplyValue(Store& store, const Field& field, const Text& text) {
  switch (field.kind()) {
    case Kind::kByte:
      store.SetByte(field, ReadByte(field.reading, text));
      return Echo(field, store.Byte(field));
    case Kind::kInteger:
      store.SetInteger(field, Integer(text));
      return Echo(field, store.Integer(field));
    case Kind::kUnsigned:
      store.SetUnsigned(field, Unsigned(text));
      return Echo(field, store.Unsigned(field));
    case Kind::kLevel:
      store.SetLevel(field, Real(text));
      return Echo(field, store.Level(field));
    case Kind::kNone:
      return;
  }
}

// A group's keys match only inside that group; a key that matches nothing is skipped silently.
void ApplyKey(Store& store, std::string_view group, const Text& key, const Text& text) {
  const parameters::FoundKey found = parameters::FindMasterKey(group, key);
  if (found.entry == nullptr) return;
  if (found.entry->reading == Reading::kSlot) return ApplySlot(store, *found.entry, found.slot, text);
  ApplyValue(store, *found.entry, text);
}

struct Group {
  std::string_view name;
  const char* trace;
};
constexpr Group kGroups[] = {
    {parameters::kGsmGroup, "Called parameterGroup GSM\n"},
    {parameters::kGprsGroup, "Called parameterGroup GPRS\n"},
};

// False for a group the store has no keys for, which ends the load.
bool ApplyEntry(Store& store, const Text& key, const ParameterRecord& record) {
  Trace(kResultTrace, "Called ParameterList::iterator\n");
  Trace(kResultTrace, "after ParameterList::iterator\n");
  const auto group = std::find_if(std::begin(kGroups), std::end(kGroups),
                                  [&](const Group& g) { return record.group == g.name; });
  if (group == std::end(kGroups)) {
    Trace(kResultTrace, "Group not Supported, Use GSM/GPRS Only\n");
    return false;
  }
  Trace(kResultTrace, "%s", group->trace);
  ApplyKey(store, group->name, key, record.value);
  return true;
}

}  // namespace
}  // namespace geran

using namespace geran;

extern "C" {

// Not a test-set command, but guarded like one: the list and the store are built on the heap.
int WINAPI znGeranApiInterfaceDll_LoadMasterParameterFile(int, int) {
  return RunGuarded(GERAN_REPORT_SITE, [] {
    ParameterList list;
    if (!FetchMasterParameters(list)) return kFailure;
    ParameterStore& store = detail::CreateParametersOnce();
    // Entries before an unsupported group stay applied.
    for (const auto& [key, record] : list)
      if (!ApplyEntry(store, key, record)) return kFailure;
    Trace(kResultTrace, "LoadMasterParameter success\n");
    return kSuccess;
  });
}

}  // extern "C"
