// The COM server: class table, class factory, object count, registration.
#include "simulator.h"

#include <olectl.h>

#include <atomic>
#include <memory>

// Exported by oleaut32 but not declared by every SDK's headers.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib*, OLECHAR*, OLECHAR*);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID, WORD, WORD, LCID, SYSKIND);

namespace geran::sim {
namespace {

HMODULE module = nullptr;
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

// The class factories are static and not counted as live objects: they live as long as the module,
// and IClassFactory::LockServer holds the module in memory instead.
class ClassFactory final : public IClassFactory {
 public:
  using Create = HRESULT (*)(REFIID, void**);
  ClassFactory(const char* faultName, Create create) : faultName_(faultName), create_(create) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    const bool offered = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
    *object = offered ? static_cast<IClassFactory*>(this) : nullptr;
    return offered ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (const std::optional<HRESULT> fault = TakeFault(faultName_, IID_IClassFactory)) return *fault;
    return create_(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    serverLocks += lock ? 1 : -1;
    return S_OK;
  }

 private:
  const char* faultName_;
  Create create_;
};

struct ServedClass {
  const CLSID* clsid;
  const wchar_t* name;
  ClassFactory* factory;
};

ClassFactory testSetFactory("CreateInstance", CreateTestSet);
ClassFactory auxSpeechFactory("AuxSpeech.CreateInstance", CreateAuxSpeech);

const ServedClass kClasses[] = {
    {&CLSID_TestSetObject, L"GERAN test set", &testSetFactory},
    {&CLSID_AuxSpeechObject, L"GERAN aux speech source", &auxSpeechFactory},
};

// ---- Registration ----

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT WriteValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const Key key(opened);
  const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  status = RegSetValueExW(key.get(), name, 0, REG_SZ, bytes,
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(status);
}

HRESULT RegisterServedClass(HKEY classes, const ServedClass& served, const std::wstring& modulePath) {
  const std::wstring key = L"CLSID\\" + GuidText(*served.clsid);
  HRESULT hr = WriteValue(classes, key, nullptr, served.name);
  if (SUCCEEDED(hr)) hr = WriteValue(classes, key + L"\\InprocServer32", nullptr, modulePath);
  if (SUCCEEDED(hr)) hr = WriteValue(classes, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (SUCCEEDED(hr)) hr = WriteValue(classes, key + L"\\TypeLib", nullptr, GuidText(LIBID_GeranTestSetLib));
  return hr;
}

HRESULT UnregisterServedClass(HKEY classes, const ServedClass& served) {
  const LONG status = RegDeleteTreeW(classes, (L"CLSID\\" + GuidText(*served.clsid)).c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT UpdateTypeLib(bool perUser, bool install) {
  ITypeLib* opened = nullptr;
  std::wstring path;
  const HRESULT hr = LoadEmbeddedTypeLib(&opened, &path);
  if (FAILED(hr)) return hr;
  const ITypeLibPtr library(opened, false);
  if (install) {
    auto* text = const_cast<OLECHAR*>(path.c_str());
    return perUser ? RegisterTypeLibForUser(library, text, nullptr) : RegisterTypeLib(library, text, nullptr);
  }
  TLIBATTR* attributes = nullptr;
  const HRESULT read = library->GetLibAttr(&attributes);
  if (FAILED(read)) return read;
  const TLIBATTR copy = *attributes;
  library->ReleaseTLibAttr(attributes);
  const HRESULT removed = (perUser ? UnRegisterTypeLibForUser : UnRegisterTypeLib)(
      copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
  // A type library that is not registered has nothing to remove.
  return removed == TYPE_E_REGISTRYACCESS ? S_OK : removed;
}

// Registers (install) or removes every class of the table and the type library, under
// HKLM\Software\Classes or, per user, HKCU\Software\Classes.
HRESULT UpdateRegistration(bool perUser, bool install) {
  HKEY opened = nullptr;
  const LONG status = RegCreateKeyExW(perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, L"Software\\Classes",
                                      0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const Key classes(opened);
  wchar_t modulePath[MAX_PATH];
  GetModuleFileNameW(module, modulePath, MAX_PATH);
  for (const ServedClass& served : kClasses) {
    const HRESULT hr = install ? RegisterServedClass(classes.get(), served, modulePath)
                               : UnregisterServedClass(classes.get(), served);
    if (FAILED(hr)) return install ? SELFREG_E_CLASS : hr;
  }
  const HRESULT hr = UpdateTypeLib(perUser, install);
  return FAILED(hr) && install ? SELFREG_E_TYPELIB : hr;
}

}  // namespace

HMODULE ModuleHandle() { return module; }

LiveObject::LiveObject() { ++liveObjects; }
LiveObject::~LiveObject() { --liveObjects; }
long LiveObjects() { return liveObjects; }

}  // namespace geran::sim

using namespace geran::sim;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (const ServedClass& served : kClasses)
    if (IsEqualCLSID(clsid, *served.clsid)) return served.factory->QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return UpdateRegistration(false, true); }

STDAPI DllUnregisterServer() { return UpdateRegistration(false, false); }

// regsvr32 /i:user (or /n /i:user) registers for the current user only, under HKCU.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  const bool perUser = commandLine != nullptr && _wcsicmp(commandLine, L"user") == 0;
  return UpdateRegistration(perUser, install != FALSE);
}
