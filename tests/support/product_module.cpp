#include "product_module.h"

#include <gtest/gtest.h>

#include <objbase.h>

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

}  // namespace

ProductModule::ProductModule() : module_(LoadLibraryW(L"znGeranApiInterfaceDll.dll")) {
  sleeps.clear();
  sleepHook = nullptr;
  comInitialisations.clear();
  if (module_ == nullptr) {
    ADD_FAILURE() << "cannot load znGeranApiInterfaceDll.dll, error " << GetLastError();
    return;
  }
  EXPECT_NE(PatchImport(handle(), "kernel32.dll", "Sleep", reinterpret_cast<void*>(&RecordSleep)), nullptr);
  realCoInitialize = reinterpret_cast<decltype(realCoInitialize)>(
      PatchImport(handle(), "ole32.dll", "CoInitialize", reinterpret_cast<void*>(&RecordCoInitialize)));
  EXPECT_NE(realCoInitialize, nullptr);
}

ProductModule::~ProductModule() {
  module_.reset();
  // Every successful CoInitialize the module made on this thread is balanced once it is gone.
  for (HRESULT hr : comInitialisations)
    if (SUCCEEDED(hr)) CoUninitialize();
}

FARPROC ProductModule::Find(const char* exportName) const {
  return module_ == nullptr ? nullptr : GetProcAddress(handle(), exportName);
}

const std::vector<DWORD>& ProductModule::Sleeps() { return sleeps; }

void ProductModule::OnSleep(std::function<void(DWORD)> hook) { sleepHook = std::move(hook); }

}  // namespace geran::test
