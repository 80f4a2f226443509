#include "product.h"

#include <harness.h>

#include <TestSetSim.h>
#include <export_list.h>

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <stdexcept>

namespace geran::bench {
namespace {

void WINAPI SkipSleep(DWORD) {}

// The product must import Sleep: its settle wait is what the patch removes.
void SkipProductSleep(HMODULE module) {
  if (test::PatchImport(module, "kernel32.dll", "Sleep", reinterpret_cast<void*>(&SkipSleep)) == nullptr)
    throw std::runtime_error("the product imports no Sleep");
}

template <class Function>
void Resolve(HMODULE module, const char* name, Function*& target) {
  target = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (target == nullptr) throw std::runtime_error(std::string("the product exports no ") + name);
}

}  // namespace

ProductLibrary::ProductLibrary() : module_(LoadLibraryW(L"znGeranApiInterfaceDll.dll")) {
  if (module_ == nullptr) throw std::runtime_error("cannot load znGeranApiInterfaceDll.dll");
  try {
    SkipProductSleep(module_);
#define GERAN_BENCH_RESOLVE_EXPORT(Name) Resolve(module_, GERAN_EXPORT_NAME_##Name, exports_.Name);
    GERAN_BENCH_EXPORTS(GERAN_BENCH_RESOLVE_EXPORT)
#undef GERAN_BENCH_RESOLVE_EXPORT
  } catch (...) {
    FreeLibrary(module_);
    throw;
  }
}

ProductLibrary::~ProductLibrary() {
  FreeLibrary(module_);
  if (connected_) CoUninitialize();
}

void ProductLibrary::Connect() {
  if (exports_.InitialiseSystem() != -1) throw std::runtime_error("InitialiseSystem failed");
  connected_ = true;
}

std::vector<std::string> JournalFrom(int first) {
  return test::ReadEntries(TestSetSim_JournalCount, TestSetSim_JournalEntry, first);
}

StdoutToNul::StdoutToNul() {
  std::fflush(stdout);
  saved_ = _dup(1);
  const int nul = _open("NUL", _O_WRONLY | _O_BINARY);
  _dup2(nul, 1);
  _close(nul);
}

StdoutToNul::~StdoutToNul() {
  std::fflush(stdout);
  _dup2(saved_, 1);
  _close(saved_);
}

}  // namespace geran::bench
