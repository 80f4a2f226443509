// The type library embedded in the DLL: loaded once, the source of every object's IDispatch.
#include "simulator.h"

#include <map>
#include <mutex>

namespace geran::sim {
namespace {

// The type infos of the dual interfaces, kept for the life of the module.
class TypeInfoCache {
 public:
  TypeInfoCache() {
    ITypeLib* opened = nullptr;
    std::wstring path;
    if (SUCCEEDED(LoadEmbeddedTypeLib(&opened, &path))) library_.Attach(opened);
  }

  ITypeInfo* Find(REFIID iid) {
    if (library_ == nullptr) return nullptr;
    const std::lock_guard<std::mutex> lock(mutex_);
    ITypeInfoPtr& info = infos_[iid];
    if (info == nullptr) library_->GetTypeInfoOfGuid(iid, &info);
    return info;
  }

 private:
  struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
  };
  ITypeLibPtr library_;
  std::mutex mutex_;
  std::map<GUID, ITypeInfoPtr, GuidLess> infos_;
};

}  // namespace

HRESULT LoadEmbeddedTypeLib(ITypeLib** library, std::wstring* path) {
  wchar_t modulePath[MAX_PATH];
  if (GetModuleFileNameW(ModuleHandle(), modulePath, MAX_PATH) == 0)
    return HRESULT_FROM_WIN32(GetLastError());
  *path = modulePath;
  return LoadTypeLibEx(modulePath, REGKIND_NONE, library);
}

ITypeInfo* TypeInfoOf(REFIID iid) {
  static TypeInfoCache cache;
  return cache.Find(iid);
}

}  // namespace geran::sim
