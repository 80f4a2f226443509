// Injected faults: which calls fail, how often, and with what error information.
#include "simulator_state.h"

#include <algorithm>

namespace geran::sim {
namespace {

std::optional<Fault> Consume(const char* method) {
  const SimulatorState::Locked state = Simulator().Lock();
  std::map<std::string, Fault>& faults = state->faults;
  const auto found = faults.find(method);
  if (found == faults.end()) return std::nullopt;
  Fault& armed = found->second;
  if (armed.passing > 0) {
    --armed.passing;
    return std::nullopt;
  }
  const Fault fault = armed;
  if (fault.remaining > 0 && --armed.remaining == 0) faults.erase(found);
  return fault;
}

// A real access violation, which no caller's C++ handler catches: what a host must survive reporting.
void WriteThroughNull() {
  volatile LONG* volatile nowhere = nullptr;
  *nowhere = 0;
}

}  // namespace

void SetErrorInformation(const Text& description, REFIID iid) {
  ICreateErrorInfoPtr creator;
  if (!description || FAILED(CreateErrorInfo(&creator))) {
    SetErrorInfo(0, nullptr);
    return;
  }
  creator->SetGUID(iid);
  creator->SetSource(const_cast<LPOLESTR>(L"TestSetSimulator"));
  creator->SetDescription(const_cast<LPOLESTR>(description->c_str()));
  const IErrorInfoPtr info(creator);
  SetErrorInfo(0, info);
}

void ArmFault(const char* method, int firstCall, HRESULT hr, const wchar_t* description, int times) {
  const SimulatorState::Locked state = Simulator().Lock();
  if (hr == S_OK) {
    state->faults.erase(method);
    return;
  }
  state->faults[method] = Fault{hr, description == nullptr ? Text() : Text(description),
                                std::max(firstCall, 1) - 1, times, false};
}

void ArmCrash(const char* method, int call) {
  Simulator().Lock()->faults[method] = Fault{E_UNEXPECTED, Text(), std::max(call, 1) - 1, 1, true};
}

std::optional<HRESULT> TakeFault(const char* method, REFIID iid) {
  if (Simulator().replaying) return std::nullopt;  // faults have no say in a replay
  const std::optional<Fault> fault = Consume(method);
  if (!fault) return std::nullopt;
  if (fault->crash) WriteThroughNull();
  SetErrorInformation(fault->description, iid);
  return fault->hr;
}

}  // namespace geran::sim
