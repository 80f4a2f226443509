// One counter set of a BER measurement; its values are read from the model at every call.
#include "com_object.h"

namespace geran::sim {
namespace {

constexpr const wchar_t* kNames[] = {L"FER", L"Class 1a", L"Class 1b", L"Class 2"};

class BerCounterSetImpl final : public ComObject<BerCounterSet> {
 public:
  explicit BerCounterSetImpl(CounterSet set) : set_(set) {}

  HRESULT STDMETHODCALLTYPE GetSamples(LONG* samples) override {
    return Serve(
        method::kBerCounterSetGetSamples, {}, [=] { return Put(samples, CountersOf(set_).samples); },
        samples);
  }
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
    return Serve(
        method::kBerCounterSetGetName, {}, [=] { return HandOutName(name); }, name);
  }
  HRESULT STDMETHODCALLTYPE GetEvents(LONG* events) override {
    return Serve(
        method::kBerCounterSetGetEvents, {}, [=] { return Put(events, CountersOf(set_).events); }, events);
  }
  HRESULT STDMETHODCALLTYPE GetErrorRate(double* percent) override {
    return Serve(
        method::kBerCounterSetGetErrorRate, {}, [=] { return Put(percent, ErrorRate()); }, percent);
  }
  HRESULT STDMETHODCALLTYPE GetLastFn(LONG* lastFn) override {
    return Serve(
        method::kBerCounterSetGetLastFn, {}, [=] { return Put(lastFn, CountersOf(set_).lastFn); }, lastFn);
  }

 private:
  HRESULT HandOutName(BSTR* name) const {
    if (name == nullptr) return E_POINTER;
    *name = SysAllocString(kNames[static_cast<int>(set_)]);
    return *name == nullptr ? E_OUTOFMEMORY : S_OK;
  }
  double ErrorRate() const {
    const Counters counters = CountersOf(set_);
    return counters.samples > 0 ? 100.0 * counters.events / counters.samples : 0.0;
  }

  const CounterSet set_;
};

}  // namespace

HRESULT HandOutBerCounterSet(const char* method, CounterSet set, BerCounterSet** result) {
  return HandOut<BerCounterSetImpl>(method, result, set);
}

HRESULT NewBerObject(BerCounterSet** result) {
  return CreateObject<BerCounterSetImpl>(IID_BerCounterSet, reinterpret_cast<void**>(result),
                                         CounterSet::Fer);
}

}  // namespace geran::sim
