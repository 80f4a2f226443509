// Handles that close themselves: kernel objects, registry keys, C streams and loaded modules. Header-only, so
// the product may use them without linking anything of the host's.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <type_traits>

namespace geran {

// Calls close on what a handle owns when the handle lets go of it.
template <auto close>
struct Closer {
  template <class Resource>
  void operator()(Resource resource) const {
    close(resource);
  }
};

using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, Closer<CloseHandle>>;
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, Closer<RegCloseKey>>;
using File = std::unique_ptr<std::FILE, Closer<std::fclose>>;
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, Closer<FreeLibrary>>;

}  // namespace geran
