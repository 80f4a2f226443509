#include "exports.h"

#include "argument_kinds.h"

#include <export_list.h>
#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <numeric>
#include <type_traits>
#include <utility>

namespace geran::host {
namespace {

// The kind of a prototype's parameter type; a type the host does not know fails the build.
template <class T>
constexpr Kind KindOf() {
  if constexpr (std::is_same_v<T, int>)
    return Kind::kInt;
  else if constexpr (std::is_same_v<T, float>)
    return Kind::kFloat;
  else if constexpr (std::is_same_v<T, const char*>)
    return Kind::kText;
  else if constexpr (std::is_same_v<T, char*>)
    return Kind::kTextBuffer;
  else if constexpr (std::is_same_v<T, const int*>)
    return Kind::kIntArray;
  else if constexpr (std::is_same_v<T, const double*>)
    return Kind::kDoubleArray;
  else if constexpr (std::is_same_v<T, int*>)
    return Kind::kOutInt;
  else if constexpr (std::is_same_v<T, void*>)
    return Kind::kOutValue;
  else {
    static_assert(std::is_same_v<T, const void*>, "a parameter type the script host cannot pass");
    return Kind::kValue;
  }
}

template <class T>
T Pass(const Slot& slot) {
  if constexpr (std::is_same_v<T, int>)
    return slot.word;
  else if constexpr (std::is_same_v<T, float>)
    return slot.real;
  else
    return static_cast<T>(const_cast<void*>(slot.pointer));
}

// Calls through the header's prototype, so every argument travels in its own type (the float
// as a float) under the export's calling convention.
template <class Function>
struct Adapter;

template <class... Parameters>
struct Adapter<int(WINAPI*)(Parameters...)> {
  using Function = int(WINAPI*)(Parameters...);

  static std::vector<Kind> Kinds() { return {KindOf<Parameters>()...}; }

  static int Invoke(EntryPoint function, const std::vector<Slot>& slots) {
    return Call(reinterpret_cast<Function>(function), slots, std::index_sequence_for<Parameters...>());
  }

  template <std::size_t... Index>
  static int Call(Function function, [[maybe_unused]] const std::vector<Slot>& slots,
                  std::index_sequence<Index...>) {
    return function(Pass<Parameters>(slots[Index])...);
  }
};

template <class Function>
Export Entry(std::string_view name, const char* symbol) {
  return Export{name, symbol, Adapter<Function>::Kinds(), &Adapter<Function>::Invoke};
}

// In ordinal order, each export under the name it is found by (RemoteConnection_Set: decorated only).
#define GERAN_HOST_ENTRY(Name, Ordinal, Bytes, ExportedName) \
  Entry<decltype(&znGeranApiInterfaceDll_##Name)>(#Name, ExportedName),

std::vector<Export> MakeTable() { return {GERAN_EXPORT_LIST(GERAN_HOST_ENTRY)}; }

#undef GERAN_HOST_ENTRY

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Levenshtein distance, case-insensitive, with one row of the table; gives bound as soon as the
// distance cannot be smaller (a row's minimum never falls in the rows below it).
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t bound) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t smallest = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substitution = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      diagonal = row[j];
      row[j] = std::min(std::min(row[j], row[j - 1]) + 1, substitution);
      smallest = std::min(smallest, row[j]);
    }
    if (smallest >= bound) return bound;
  }
  return row[b.size()];
}

std::string_view WithoutPrefix(std::string_view name) {
  return name.substr(0, kExportPrefix.size()) == kExportPrefix ? name.substr(kExportPrefix.size()) : name;
}

}  // namespace

const std::vector<Export>& Exports() {
  static const std::vector<Export> table = MakeTable();
  return table;
}

const Export* FindExport(std::string_view name) {
  const std::string_view operation = WithoutPrefix(name);
  const auto& table = Exports();
  const auto found =
      std::find_if(table.begin(), table.end(), [&](const Export& entry) { return entry.name == operation; });
  return found == table.end() ? nullptr : &*found;
}

std::string_view NearestName(std::string_view name, const std::vector<std::string_view>& known) {
  std::string_view best;
  std::size_t bestDistance = name.size() / 2 + 1;
  for (const std::string_view candidate : known) {
    const std::size_t distance = EditDistance(name, candidate, bestDistance);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

std::string_view NearestExportName(std::string_view name) {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const Export& entry : Exports()) all.push_back(entry.name);
    return all;
  }();
  return NearestName(WithoutPrefix(name), names);
}

bool NeedsConnection(const Export& entry) {
  static constexpr std::string_view kWithout[] = {"CallboxMode_StartStop",
                                                  "GetErrorMsg",
                                                  "GetErrorMsgLength",
                                                  "GetParameter",
                                                  "GetServerVersion",
                                                  "Initialise",
                                                  "InitialiseSystem",
                                                  "LoadMasterParameterFile",
                                                  "RemoteConnection_Set",
                                                  "RunTestScenario",
                                                  "SetParameter",
                                                  "SetSystemMode",
                                                  "Shutdown"};
  return std::find(std::begin(kWithout), std::end(kWithout), entry.name) == std::end(kWithout);
}

std::string Signature(const Export& entry) {
  std::string text(entry.name);
  text += '(';
  for (std::size_t i = 0; i < entry.kinds.size(); ++i) {
    if (i > 0) text += ", ";
    text += RuleFor(entry.kinds[i]).name;
  }
  return text + ')';
}

}  // namespace geran::host
