// A fresh product module per test: loaded in SetUp, unloaded in TearDown, with its waits intercepted.
#pragma once

#include "harness.h"

#include <win32/handles.h>
#include <windows.h>

#include <export_list.h>
#include <znGeranApiInterfaceDll.h>

#include <functional>
#include <string>
#include <vector>

namespace geran::test {

// Loads znGeranApiInterfaceDll.dll and patches its imports of Sleep (recorded, not slept) and
// CoInitialize (recorded, so the test can balance COM when the module is gone).
class ProductModule {
 public:
  ProductModule();
  ~ProductModule();

  HMODULE handle() const { return module_.get(); }
  FARPROC Find(const char* exportName) const;

  // Waits the module asked for, in milliseconds, in order.
  static const std::vector<DWORD>& Sleeps();
  // Runs at every wait the module asks for, in place of the wait (until the module is unloaded).
  static void OnSleep(std::function<void(DWORD)> hook);

 private:
  Module module_;
};

// Typed access through the public header's prototype: GERAN_EXPORT(module, Reset)().
template <class Function>
Function* ExportOf(const ProductModule& module, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(module.Find(name)));
}

// Found by the name the export list gives it (one export is exported decorated only).
#define GERAN_EXPORT(module, Name) \
  (::geran::test::ExportOf<decltype(znGeranApiInterfaceDll_##Name)>((module), GERAN_EXPORT_NAME_##Name))

// A row's call in the command tables: Name with these arguments, on whichever module it is given.
#define GERAN_CALL(Name, ...) \
  [](const ::geran::test::ProductModule& m) { return GERAN_EXPORT(m, Name)(__VA_ARGS__); }

}  // namespace geran::test
