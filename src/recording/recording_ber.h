// Stand-ins for the BER measurement and the counter groups and sets it hands out.
#pragma once

#include "recording/recording_object.h"

namespace geran::recording {

class RecordingBerCounterSet final : public RecordingObject<BerCounterSet> {
 public:
  using RecordingObject::RecordingObject;

  HRESULT STDMETHODCALLTYPE GetSamples(LONG* samples) override {
    return Forward("BerCounterSet.GetSamples", &BerCounterSet::GetSamples, samples);
  }
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
    return Forward("BerCounterSet.GetName", &BerCounterSet::GetName, name);
  }
  HRESULT STDMETHODCALLTYPE GetEvents(LONG* events) override {
    return Forward("BerCounterSet.GetEvents", &BerCounterSet::GetEvents, events);
  }
  HRESULT STDMETHODCALLTYPE GetErrorRate(double* percent) override {
    return Forward("BerCounterSet.GetErrorRate", &BerCounterSet::GetErrorRate, percent);
  }
  HRESULT STDMETHODCALLTYPE GetLastFn(LONG* lastFn) override {
    return Forward("BerCounterSet.GetLastFn", &BerCounterSet::GetLastFn, lastFn);
  }
};

class RecordingBerCounterGroup final : public RecordingObject<BerCounterGroup> {
 public:
  using RecordingObject::RecordingObject;

  HRESULT STDMETHODCALLTYPE GetFer(BerCounterSet** set) override {
    return GetSet("BerCounterGroup.GetFer", &BerCounterGroup::GetFer, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass1a(BerCounterSet** set) override {
    return GetSet("BerCounterGroup.GetClass1a", &BerCounterGroup::GetClass1a, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass1b(BerCounterSet** set) override {
    return GetSet("BerCounterGroup.GetClass1b", &BerCounterGroup::GetClass1b, set);
  }
  HRESULT STDMETHODCALLTYPE GetClass2(BerCounterSet** set) override {
    return GetSet("BerCounterGroup.GetClass2", &BerCounterGroup::GetClass2, set);
  }

 private:
  HRESULT GetSet(const char* name, decltype(&BerCounterGroup::GetFer) getter, BerCounterSet** set) {
    return ForwardGetter<RecordingBerCounterSet>(name, getter, set);
  }
};

class RecordingBerMeasurement final : public RecordingObject<BerMeasurement> {
 public:
  using RecordingObject::RecordingObject;

  HRESULT STDMETHODCALLTYPE GetCounters(BerCounterGroup** group) override {
    return ForwardGetter<RecordingBerCounterGroup>("BerMeasurement.GetCounters", &BerMeasurement::GetCounters,
                                                   group);
  }
};

}  // namespace geran::recording
