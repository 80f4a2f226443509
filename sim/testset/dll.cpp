// The COM server: class table, class factory, object count, registration.
#include "com_object.h"

#include <olectl.h>

#include <algorithm>

// Exported by oleaut32 but not declared by every SDK's headers.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib*, OLECHAR*, OLECHAR*);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID, WORD, WORD, LCID, SYSKIND);

namespace geran::sim {
namespace {

HMODULE module = nullptr;

// The class factories are static and not counted as live objects.
class ClassFactory final : public StaticObject<IClassFactory> {
 public:
  using Create = HRESULT (*)(REFIID, void**);
  ClassFactory(const char* faultName, Create create) : faultName_(faultName), create_(create) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (const std::optional<HRESULT> fault = TakeFault(faultName_, IID_IClassFactory)) return *fault;
    return create_(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    Simulator().objects.serverLocks += lock ? 1 : -1;
    return S_OK;
  }

 private:
  const char* faultName_;
  Create create_;
};

ClassFactory testSetFactory(method::kCreateInstance, CreateTestSet);
ClassFactory auxSpeechFactory(method::kAuxSpeechCreateInstance, CreateAuxSpeech);
ClassFactory controlFactory(kSimulatorControlCreateInstance, CreateSimulatorControl);

// ---- Registration ----

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT WriteValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const RegistryKey key(opened);
  const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  status = RegSetValueExW(key.get(), name, 0, REG_SZ, bytes,
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteKey(HKEY root, const std::wstring& path) {
  const LONG status = RegDeleteTreeW(root, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

// Where the classes are served: this DLL in the client's process, or TestSetSimulator.exe beside it.
enum class ServerKind { InProcess, Local };

std::wstring LocalServerCommand(const std::wstring& modulePath) {
  return L"\"" + modulePath.substr(0, modulePath.find_last_of(L'\\') + 1) + L"TestSetSimulator.exe\"";
}

// A class has one kind of server key, so CLSCTX_ALL finds the kind registered last.
HRESULT RegisterServedClass(HKEY classes, const ServedClass& served, const std::wstring& modulePath,
                            ServerKind kind) {
  const std::wstring key = L"CLSID\\" + GuidText(*served.clsid);
  const std::wstring inProcess = key + L"\\InprocServer32", local = key + L"\\LocalServer32";
  HRESULT hr = WriteValue(classes, key, nullptr, served.name);
  if (kind == ServerKind::Local) {
    if (SUCCEEDED(hr)) hr = WriteValue(classes, local, nullptr, LocalServerCommand(modulePath));
    if (SUCCEEDED(hr)) hr = DeleteKey(classes, inProcess);
  } else {
    if (SUCCEEDED(hr)) hr = WriteValue(classes, inProcess, nullptr, modulePath);
    if (SUCCEEDED(hr)) hr = WriteValue(classes, inProcess, L"ThreadingModel", L"Apartment");
    if (SUCCEEDED(hr)) hr = DeleteKey(classes, local);
  }
  if (SUCCEEDED(hr)) hr = WriteValue(classes, key + L"\\TypeLib", nullptr, GuidText(LIBID_GeranTestSetLib));
  return hr;
}

HRESULT UnregisterServedClass(HKEY classes, const ServedClass& served) {
  return DeleteKey(classes, L"CLSID\\" + GuidText(*served.clsid));
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

// Registers (install) or removes every served class and the type library, under
// HKLM\Software\Classes or, per user, HKCU\Software\Classes. The type library's registration
// also gives the interfaces their proxies and stubs across processes (automation marshaling).
HRESULT UpdateRegistration(bool perUser, bool install, ServerKind kind = ServerKind::InProcess) {
  HKEY opened = nullptr;
  const LONG status = RegCreateKeyExW(perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, L"Software\\Classes",
                                      0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const RegistryKey classes(opened);
  wchar_t modulePath[MAX_PATH];
  GetModuleFileNameW(module, modulePath, MAX_PATH);
  for (const ServedClass& served : ServedClasses()) {
    const HRESULT hr = install ? RegisterServedClass(classes.get(), served, modulePath, kind)
                               : UnregisterServedClass(classes.get(), served);
    if (FAILED(hr)) return install ? SELFREG_E_CLASS : hr;
  }
  const HRESULT hr = UpdateTypeLib(perUser, install);
  return FAILED(hr) && install ? SELFREG_E_TYPELIB : hr;
}

// Whether the space- or comma-separated words of line include word (case ignored).
bool HasWord(LPCWSTR line, const wchar_t* word) {
  if (line == nullptr) return false;
  const std::wstring text(line);
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find_first_of(L" ,", start), text.size());
    if (_wcsicmp(text.substr(start, end - start).c_str(), word) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

HMODULE ModuleHandle() { return module; }

long LiveObjects() { return Simulator().objects.live; }

ObjectUse CountedObjectUse() {
  const ObjectCounts& counts = Simulator().objects;
  return {counts.references, counts.queries, counts.errorQuestions};
}

bool ModuleInUse() {
  const ObjectCounts& counts = Simulator().objects;
  return counts.live != 0 || counts.serverLocks != 0 || counts.controlConnections != 0;
}

const std::vector<ServedClass>& ServedClasses() {
  static const std::vector<ServedClass> classes = {
      {&CLSID_TestSetObject, L"GERAN test set", &testSetFactory},
      {&CLSID_AuxSpeechObject, L"GERAN aux speech source", &auxSpeechFactory},
      {&CLSID_SimulatorControlObject, L"GERAN test set simulator control", &controlFactory},
  };
  return classes;
}

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
  for (const ServedClass& served : ServedClasses())
    if (IsEqualCLSID(clsid, *served.clsid)) return served.factory->QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
  const ObjectCounts& counts = Simulator().objects;
  return counts.live == 0 && counts.serverLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() { return UpdateRegistration(false, true); }

STDAPI DllUnregisterServer() { return UpdateRegistration(false, false); }

// regsvr32 /i:user (or /n /i:user) registers for the current user only, under HKCU; /i:local
// registers TestSetSimulator.exe as the classes' local server instead of this DLL; /i:"user local"
// does both.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  const bool perUser = HasWord(commandLine, L"user");
  const ServerKind kind = HasWord(commandLine, L"local") ? ServerKind::Local : ServerKind::InProcess;
  return UpdateRegistration(perUser, install != FALSE, kind);
}
