// Handles that close themselves: kernel objects, registry keys, C streams and loaded modules.
// Header-only, so the product may use them without linking anything of the host's.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <type_traits>

namespace geran {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct FileCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};
struct ModuleCloser {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};

using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;
using File = std::unique_ptr<std::FILE, FileCloser>;
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

}  // namespace geran
