#include "product.h"

#include <TestSetSim.h>

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace geran::bench {
namespace {

void WINAPI SkipSleep(DWORD) {}

IMAGE_IMPORT_DESCRIPTOR* Imports(BYTE* base) {
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  return reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + rva);
}

// The import address table slot through which module calls dllName's function, or nullptr.
void** ImportSlot(HMODULE module, const char* dllName, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  for (const IMAGE_IMPORT_DESCRIPTOR* entry = Imports(base); entry->Name != 0; ++entry) {
    if (_stricmp(reinterpret_cast<char*>(base + entry->Name), dllName) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

void PatchImport(HMODULE module, const char* dllName, const char* function, void* replacement) {
  void** slot = ImportSlot(module, dllName, function);
  if (slot == nullptr) throw std::runtime_error(std::string("the product imports no ") + function);
  DWORD protection = 0;
  VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
  *slot = replacement;
  VirtualProtect(slot, sizeof(void*), protection, &protection);
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
    PatchImport(module_, "kernel32.dll", "Sleep", reinterpret_cast<void*>(&SkipSleep));
#define GERAN_BENCH_RESOLVE_EXPORT(Name) Resolve(module_, "znGeranApiInterfaceDll_" #Name, exports_.Name);
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
  std::vector<std::string> lines;
  const int count = TestSetSim_JournalCount();
  for (int i = first; i < count; ++i) {
    std::string line(static_cast<size_t>(TestSetSim_JournalEntry(i, nullptr, 0)) + 1, '\0');
    TestSetSim_JournalEntry(i, &line[0], static_cast<int>(line.size()));
    line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void RemoveTraceFiles() {
  for (const wchar_t* path :
       {L"C:\\Test12.txt", L"C:\\GeranRemoteAPI.txt", L"C:\\result.txt", L"C:\\GeranCallBoxNew.txt"})
    DeleteFileW(path);
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
