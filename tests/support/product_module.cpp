#include "product_module.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>
#include <utility>

namespace geran::test {
namespace {

std::vector<DWORD> sleeps;
std::function<void(DWORD)> sleepHook;
std::vector<HRESULT> comInitialisations;
HRESULT(WINAPI* realCoInitialize)(LPVOID) = nullptr;

void WINAPI RecordSleep(DWORD milliseconds) {
  sleeps.push_back(milliseconds);
  if (sleepHook) sleepHook(milliseconds);
}

HRESULT WINAPI RecordCoInitialize(LPVOID reserved) {
  const HRESULT hr = realCoInitialize(reserved);
  comInitialisations.push_back(hr);
  return hr;
}

IMAGE_NT_HEADERS* NtHeaders(BYTE* base) {
  return reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

void** FindImportSlot(HMODULE module, const char* dllName, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const IMAGE_DATA_DIRECTORY& imports = NtHeaders(base)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
    if (_stricmp(reinterpret_cast<char*>(base + entry->Name), dllName) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

}  // namespace

void* PatchImport(HMODULE module, const char* dllName, const char* function, void* replacement) {
  void** slot = FindImportSlot(module, dllName, function);
  if (slot == nullptr) return nullptr;
  DWORD protection = 0;
  VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
  void* previous = *slot;
  *slot = replacement;
  VirtualProtect(slot, sizeof(void*), protection, &protection);
  return previous;
}

ProductModule::ProductModule() : module_(LoadLibraryW(L"znGeranApiInterfaceDll.dll")) {
  sleeps.clear();
  sleepHook = nullptr;
  comInitialisations.clear();
  if (module_ == nullptr) {
    ADD_FAILURE() << "cannot load znGeranApiInterfaceDll.dll, error " << GetLastError();
    return;
  }
  EXPECT_NE(PatchImport(module_, "kernel32.dll", "Sleep", reinterpret_cast<void*>(&RecordSleep)), nullptr);
  realCoInitialize = reinterpret_cast<decltype(realCoInitialize)>(
      PatchImport(module_, "ole32.dll", "CoInitialize", reinterpret_cast<void*>(&RecordCoInitialize)));
  EXPECT_NE(realCoInitialize, nullptr);
}

ProductModule::~ProductModule() {
  if (module_ != nullptr) FreeLibrary(module_);
  // Every successful CoInitialize the module made on this thread is balanced once it is gone.
  for (HRESULT hr : comInitialisations)
    if (SUCCEEDED(hr)) CoUninitialize();
}

FARPROC ProductModule::Find(const char* exportName) const {
  return module_ == nullptr ? nullptr : GetProcAddress(module_, exportName);
}

const std::vector<DWORD>& ProductModule::Sleeps() { return sleeps; }

void ProductModule::OnSleep(std::function<void(DWORD)> hook) { sleepHook = std::move(hook); }

}  // namespace geran::test
