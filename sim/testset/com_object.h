// IUnknown, IDispatch (from the embedded type library) and ISupportErrorInfo of a simulator object
// that offers one dual interface, counted as what it is while it lives (kLifetime); and the static
// objects of the module, which count nothing.
#pragma once

#include "simulator_state.h"

#include <atomic>

namespace geran::sim {

template <class Interface, Lifetime kLifetime = Lifetime::LiveObject>
class ComObject : public Interface, public ISupportErrorInfo {
 public:
  ComObject() {
    ++Holders();
    Count(Simulator().objects.references, 1);
  }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() { --Holders(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    Count(Simulator().objects.queries, 1);
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const HRESULT admitted = Admit(iid);
    if (admitted != S_OK) return admitted;
    for (const Entry& entry : kInterfaces) {
      if (!IsEqualIID(iid, *entry.iid)) continue;
      *object = entry.cast(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    Count(Simulator().objects.references, 1);
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    Count(Simulator().objects.references, -1);
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return Put(count, 1); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* found = TypeInfoOf(__uuidof(Interface));
    if (found == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    found->AddRef();
    *info = found;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ITypeInfo* info = TypeInfoOf(__uuidof(Interface));
    return info == nullptr ? TYPE_E_ELEMENTNOTFOUND : DispGetIDsOfNames(info, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = TypeInfoOf(__uuidof(Interface));
    if (info == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    return DispInvoke(static_cast<Interface*>(this), info, id, flags, params, result, exception,
                      argumentError);
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    Count(Simulator().objects.errorQuestions, 1);
    return IsEqualIID(iid, __uuidof(Interface)) ? S_OK : S_FALSE;
  }

 protected:
  // A class may refuse an interface it offers (S_OK admits it).
  virtual HRESULT Admit(REFIID) { return S_OK; }

  template <class Action, class Out = std::nullptr_t>
  HRESULT Serve(const char* method, std::initializer_list<Arg> args, Action action, Out out = nullptr) {
    return geran::sim::Serve(method, __uuidof(Interface), args, action, out);
  }

 private:
  struct Entry {
    const IID* iid;
    void* (*cast)(ComObject*);
  };
  // Only a live object's use is counted: the control object's would show in what a test observes.
  static constexpr bool kCountsUse = kLifetime == Lifetime::LiveObject;
  static void Count(std::atomic<long>& count, long change) {
    if (kCountsUse) count += change;
  }
  static std::atomic<long>& Holders() {
    ObjectCounts& counts = Simulator().objects;
    return kCountsUse ? counts.live : counts.controlConnections;
  }

  static void* AsInterface(ComObject* self) { return static_cast<Interface*>(self); }
  static void* AsErrorInfoSupport(ComObject* self) { return static_cast<ISupportErrorInfo*>(self); }
  static inline const Entry kInterfaces[] = {
      {&IID_IUnknown, AsInterface},
      {&IID_IDispatch, AsInterface},
      {&__uuidof(Interface), AsInterface},
      {&IID_ISupportErrorInfo, AsErrorInfoSupport},
  };

  std::atomic<ULONG> references_{1};
};

// An object of the module that lives as long as the module and offers Interface beside IUnknown.
// It counts no references: IClassFactory::LockServer, for one, holds the module in memory instead.
template <class Interface>
class StaticObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    const bool offered = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface));
    *object = offered ? static_cast<Interface*>(this) : nullptr;
    return offered ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

}  // namespace geran::sim
