// The control object of the local server: the control API of TestSetSim.h for clients in another
// process, which TestSetSimulator.dll forwards to when the classes are served by the local server.
#include "com_object.h"

#include <TestSetSim.h>

namespace geran::sim {
namespace {

class SimulatorControlImpl final : public ComObject<SimulatorControl, Lifetime::ControlConnection> {
 public:
  HRESULT STDMETHODCALLTYPE Reset() override {
    Simulator().Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE JournalCount(LONG* count) override {
    return Put(count, geran::sim::JournalCount());
  }
  HRESULT STDMETHODCALLTYPE JournalEntry(LONG index, BSTR* entry) override {
    if (entry == nullptr) return E_POINTER;
    *entry = nullptr;
    const std::optional<std::string> found = geran::sim::JournalEntry(index);
    if (!found) return S_FALSE;
    *entry = WidenBytes(*found).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FailCall(BSTR method, LONG call, LONG hresult, BSTR description,
                                     LONG times) override {
    if (method == nullptr) return E_INVALIDARG;
    ArmFault(NarrowBytes(method).c_str(), call, hresult, description, times);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CrashCall(BSTR method, LONG call) override {
    if (method == nullptr) return E_INVALIDARG;
    ArmCrash(NarrowBytes(method).c_str(), call);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetValue(BSTR name, LONG value) override {
    if (name == nullptr) return E_INVALIDARG;
    geran::sim::SetValue(NarrowBytes(name).c_str(), value);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(BSTR name, BSTR text) override {
    if (name == nullptr) return E_INVALIDARG;
    geran::sim::SetText(NarrowBytes(name).c_str(), text);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LiveObjects(LONG* count) override {
    return Put(count, geran::sim::LiveObjects());
  }
  HRESULT STDMETHODCALLTYPE ObjectUse(LONG* references, LONG* queries, LONG* errorQuestions) override {
    if (references == nullptr || queries == nullptr || errorQuestions == nullptr) return E_POINTER;
    const geran::sim::ObjectUse use = CountedObjectUse();
    *references = use.references;
    *queries = use.queries;
    *errorQuestions = use.errorQuestions;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ServerProcessId(LONG* id) override { return Put(id, GetCurrentProcessId()); }
  HRESULT STDMETHODCALLTYPE AttachClient(LONG processId) override {
    return geran::sim::AttachClient(static_cast<DWORD>(processId));
  }
  HRESULT STDMETHODCALLTYPE LoadReplay(BSTR path, LONG* result, BSTR* error) override {
    if (path == nullptr || result == nullptr || error == nullptr) return E_POINTER;
    std::string text;
    *result = geran::sim::LoadReplay(NarrowBytes(path), text);
    *error = WidenBytes(text).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReplayOutcome(BSTR* outcome) override {
    if (outcome == nullptr) return E_POINTER;
    *outcome = nullptr;
    const std::optional<std::string> found = geran::sim::ReplayOutcome();
    if (!found) return S_FALSE;
    *outcome = WidenBytes(*found).Detach();
    return S_OK;
  }
};

}  // namespace

HRESULT CreateSimulatorControl(REFIID iid, void** object) {
  return CreateObject<SimulatorControlImpl>(iid, object);
}

}  // namespace geran::sim
