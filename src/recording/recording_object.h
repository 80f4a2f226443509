// What every recording stand-in shares: its own IUnknown, IDispatch and ISupportErrorInfo passed
// through to the real object, and Forward, the one path of a recorded call.
// The stand-ins make the real object see what it would see unrecorded: they hold the one reference
// the library would hold, and ask about error information only as the library's caller would, once
// per failed call. A journal line that cannot be made (memory running out) is thrown on to the export
// that made the call: the stand-ins serve this library's own code only.
#pragma once

#include "recording/call_journal.h"

#include <com_pointers.h>

#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace geran::recording {
namespace detail {

// Out arguments are pointers; the one in argument that is a pointer is a text.
template <class T>
constexpr bool kJournaled = !std::is_pointer_v<T> || std::is_same_v<T, BSTR>;

// Out arguments point to a number or a text (objects are handed out through ForwardGetter); an in
// pointer is a text or an object.
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

  // Takes over the reference that the smart pointer real holds.
  template <class SmartPtr>
  RecordingObject(SmartPtr& real, std::shared_ptr<CallJournal> journal) noexcept
      : real_(real.Detach(), false), journal_(std::move(journal)) {}
  RecordingObject(const RecordingObject&) = delete;
  RecordingObject& operator=(const RecordingObject&) = delete;
  virtual ~RecordingObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(Interface)))
      *object = static_cast<Interface*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo) &&
             (lastFailure_ ? lastFailure_->offered : RealOffersErrorSupport()))
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
    if (lastFailure_ && IsEqualIID(iid, __uuidof(Interface))) return lastFailure_->answer;
    return AskRealObject(iid).answer;
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
    const HRESULT hr = AsReturned((real()->*method)(args...));
    Journal(started, name, journaled, hr, OutValue(hr, args...));
    return hr;
  }

  // A getter: the object it hands out goes behind a stand-in of type StandIn, made before the call
  // returns. The handed-out reference is owned here from the moment the call returns, so memory
  // running out afterwards releases it and leaves the caller's out argument null.
  template <class StandIn, class Getter, class Out>
  HRESULT ForwardGetter(const char* name, Getter getter, Out** out) {
    const double started = journal_->Elapsed();
    const HRESULT hr = AsReturned((real()->*getter)(out));
    typename StandIn::RealPtr handedOut;
    if (SUCCEEDED(hr) && out != nullptr) handedOut.Attach(std::exchange(*out, nullptr));
    std::optional<journal::RecordedValue> output;
    if (SUCCEEDED(hr) && out != nullptr) output = Named(handedOut.GetInterfacePtr());
    Journal(started, name, {}, hr, output);
    if (handedOut) *out = new StandIn(handedOut, journal_);
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
  journal::RecordedValue Named(Handed* handed) const {
    if (handed == nullptr) return journal::RecordedValue();
    return journal_->NameHandedOut(detail::KindOf(handed));
  }

 private:
  // What the real object says about error information for the stand-in's interface: whether it
  // offers ISupportErrorInfo, and its answer for that interface.
  struct ErrorSupportAnswer {
    bool offered = false;
    HRESULT answer = S_FALSE;
  };

  // Asks the real object once, releasing its ISupportErrorInfo at once. The answers of the last
  // failed call are kept: the library's own look-up that follows is served from them.
  ErrorSupportAnswer AskRealObject(REFIID iid) const {
    ISupportErrorInfoPtr support;
    if (FAILED(real_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) || !support)
      return {};
    return {true, support->InterfaceSupportsErrorInfo(iid)};
  }
  bool RealOffersErrorSupport() const {
    ISupportErrorInfoPtr support;
    return SUCCEEDED(real_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
           support;
  }

  // A call's HRESULT as it returns: a failure has its error support asked about now, while the
  // thread's error object is the call's.
  HRESULT AsReturned(HRESULT hr) {
    lastFailure_.reset();
    if (FAILED(hr)) lastFailure_ = AskRealObject(__uuidof(Interface));
    return hr;
  }

  void Journal(double started, const char* name, const std::vector<journal::Arg>& journaled, HRESULT hr,
               const std::optional<journal::RecordedValue>& output) {
    const bool vouched = lastFailure_ && lastFailure_->answer == S_OK;
    journal_->Append(started, name, journaled.data(), journaled.data() + journaled.size(), hr, output,
                     vouched);
  }

  const RealPtr real_;
  const std::shared_ptr<CallJournal> journal_;
  std::optional<ErrorSupportAnswer> lastFailure_;
  std::atomic<ULONG> references_{1};
};

}  // namespace geran::recording
