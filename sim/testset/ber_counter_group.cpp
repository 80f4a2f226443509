// The four counter sets of a speech-channel BER measurement, each handed out as a fresh object.
#include "com_object.h"

namespace geran::sim {
namespace {

class BerCounterGroupImpl final : public ComObject<BerCounterGroup> {
 public:
  HRESULT STDMETHODCALLTYPE GetFer(BerCounterSet** set) override {
    return GetSet(method::kBerCounterGroupGetFer, CounterSet::Fer, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass1a(BerCounterSet** set) override {
    return GetSet(method::kBerCounterGroupGetClass1a, CounterSet::Class1a, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass1b(BerCounterSet** set) override {
    return GetSet(method::kBerCounterGroupGetClass1b, CounterSet::Class1b, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass2(BerCounterSet** set) override {
    return GetSet(method::kBerCounterGroupGetClass2, CounterSet::Class2, set);
  }

 private:
  HRESULT GetSet(const char* method, CounterSet which, BerCounterSet** set) {
    return Serve(
        method, {}, [=] { return HandOutBerCounterSet(method, which, set); }, set);
  }
};

}  // namespace

HRESULT HandOutBerCounterGroup(const char* method, BerCounterGroup** result) {
  return HandOut<BerCounterGroupImpl>(method, result);
}

HRESULT NewBerObject(BerCounterGroup** result) {
  return CreateObject<BerCounterGroupImpl>(IID_BerCounterGroup, reinterpret_cast<void**>(result));
}

}  // namespace geran::sim
