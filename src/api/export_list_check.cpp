// The public header against the export list made from the .def: an export the header does not
// declare, or a prototype whose arguments take other stack bytes than the .def's @bytes, stops the
// build. (Configuring already stops when the header declares an export the .def lacks.)
#include <export_list.h>
#include <znGeranApiInterfaceDll.h>

#include <type_traits>

namespace geran {
namespace {

// The bytes one argument takes on the 32-bit stack, whichever build this is.
template <class T>
constexpr int StackBytes() {
  return std::is_pointer_v<T> ? 4 : static_cast<int>((sizeof(T) + 3) / 4 * 4);
}

template <class Function>
struct ArgumentBytes;

template <class... Parameters>
struct ArgumentBytes<int(WINAPI*)(Parameters...)> {
  static constexpr int value = (0 + ... + StackBytes<Parameters>());
};

#define GERAN_CHECK_EXPORT(Name, Ordinal, Bytes, ExportedName)                             \
  static_assert(ArgumentBytes<decltype(&znGeranApiInterfaceDll_##Name)>::value == (Bytes), \
                ExportedName ": the header's arguments and the .def's @bytes differ");
GERAN_EXPORT_LIST(GERAN_CHECK_EXPORT)
#undef GERAN_CHECK_EXPORT

}  // namespace
}  // namespace geran
