// A BER measurement of the test set: hands out its counter group.
#include "com_object.h"

namespace geran::sim {
namespace {

class BerMeasurementImpl final : public ComObject<BerMeasurement> {
 public:
  HRESULT STDMETHODCALLTYPE GetCounters(BerCounterGroup** group) override {
    return Serve(
        method::kBerMeasurementGetCounters, {},
        [=] { return HandOutBerCounterGroup(method::kBerMeasurementGetCounters, group); }, group);
  }
};

}  // namespace

HRESULT HandOutBerMeasurement(const char* method, BerMeasurement** result) {
  return HandOut<BerMeasurementImpl>(method, result);
}

HRESULT NewBerObject(BerMeasurement** result) {
  return CreateObject<BerMeasurementImpl>(IID_BerMeasurement, reinterpret_cast<void**>(result));
}

}  // namespace geran::sim
