// What every recording stand-in shares: its own IUnknown, IDispatch and ISupportErrorInfo passed
// through to the real object, and Forward, the one path of a recorded call.
#pragma once

#include "recording/call_journal.h"

#include <com_pointers.h>

#include <atomic>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace geran::recording {
namespace detail {

// Out arguments are pointers; the one in argument that is a pointer is a text.
template <class T>
constexpr bool kJournaled = !std::is_pointer_v<T> || std::is_same_v<T, BSTR>;

// Out arguments point to a number, a text or an object pointer; an in pointer is a text or an object.
template <class T>
constexpr bool kOut =
    std::is_pointer_v<T> && !std::is_same_v<T, BSTR> &&
    (std::is_arithmetic_v<std::remove_pointer_t<T>> || std::is_pointer_v<std::remove_pointer_t<T>>);

inline const char* KindOf(const BerMeasurement*) { return "BerMeasurement"; }
inline const char* KindOf(const BerCounterGroup*) { return "BerCounterGroup"; }
inline const char* KindOf(const BerCounterSet*) { return "BerCounterSet"; }

template <class... Args>
std::vector<journal::Arg> InArguments(const Args&... args) {
  std::vector<journal::Arg> in;
  in.reserve(sizeof...(Args));
  (..., [&] {
    if constexpr (kJournaled<Args>) in.emplace_back(args);
  }());
  return in;
}

}  // namespace detail

template <class Interface>
class RecordingObject : public Interface, public ISupportErrorInfo {
 public:
  using RealPtr = _com_ptr_t<_com_IIID<Interface, &__uuidof(Interface)>>;

  RecordingObject(RealPtr real, std::shared_ptr<CallJournal> journal)
      : real_(std::move(real)), journal_(std::move(journal)) {
    // Only an object that offers ISupportErrorInfo makes its stand-in offer it.
    real_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errorSupport_));
  }
  RecordingObject(const RecordingObject&) = delete;
  RecordingObject& operator=(const RecordingObject&) = delete;
  virtual ~RecordingObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(Interface)))
      *object = static_cast<Interface*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo) && errorSupport_)
      *object = static_cast<ISupportErrorInfo*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return real_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return real_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return real_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    return real_->Invoke(id, iid, locale, flags, params, result, exception, argumentError);
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return errorSupport_->InterfaceSupportsErrorInfo(iid);
  }

 protected:
  Interface* real() const { return real_.GetInterfacePtr(); }
  const std::shared_ptr<CallJournal>& journal() const { return journal_; }

  // Calls the real object's method with args and journals the call under name with its in arguments.
  template <class Method, class... Args>
  HRESULT Forward(const char* name, Method method, Args... args) {
    return ForwardAs(name, detail::InArguments(args...), method, args...);
  }

  // The same, journaled with the arguments given (for an argument the real object gets in another form).
  template <class Method, class... Args>
  HRESULT ForwardAs(const char* name, const std::vector<journal::Arg>& journaled, Method method,
                    Args... args) {
    const double started = journal_->Elapsed();
    const HRESULT hr = (real()->*method)(args...);
    journal_->Append(started, name, journaled.data(), journaled.data() + journaled.size(), hr,
                     OutValue(hr, args...), errorSupport_, __uuidof(Interface));
    return hr;
  }

  // What a call that succeeded handed out through its out argument (every method has one at most).
  template <class... Args>
  std::optional<journal::RecordedValue> OutValue(HRESULT hr, Args... args) const {
    std::optional<journal::RecordedValue> value;
    if (SUCCEEDED(hr))
      (..., [&] {
        if constexpr (detail::kOut<Args>) value = Read(args);
      }());
    return value;
  }
  template <class Number, class = std::enable_if_t<std::is_arithmetic_v<Number>>>
  static std::optional<journal::RecordedValue> Read(const Number* out) {
    if (out == nullptr) return std::nullopt;
    return static_cast<double>(*out);
  }
  static std::optional<journal::RecordedValue> Read(const BSTR* out) {
    if (out == nullptr) return std::nullopt;
    if (*out == nullptr) return journal::RecordedValue();
    return journal::Utf8(*out, SysStringLen(*out));
  }
  template <class Handed>
  std::optional<journal::RecordedValue> Read(Handed* const* out) const {
    if (out == nullptr) return std::nullopt;
    if (*out == nullptr) return journal::RecordedValue();
    return journal_->NameHandedOut(detail::KindOf(*out));
  }

  // A getter's result: the object it handed out goes behind a stand-in of type StandIn.
  template <class StandIn, class Out>
  HRESULT HandOut(HRESULT hr, Out** out) const {
    if (FAILED(hr) || out == nullptr || *out == nullptr) return hr;
    const typename StandIn::RealPtr handedOut(*out, false);  // released here if no stand-in is made
    *out = new (std::nothrow) StandIn(handedOut, journal_);
    return *out == nullptr ? E_OUTOFMEMORY : hr;
  }

 private:
  const RealPtr real_;
  const std::shared_ptr<CallJournal> journal_;
  ISupportErrorInfoPtr errorSupport_;
  std::atomic<ULONG> references_{1};
};

}  // namespace geran::recording
