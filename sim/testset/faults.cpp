// Injected faults: which calls fail, how often, and with what error information.
#include "simulator.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace geran::sim {
namespace {

struct Fault {
  HRESULT hr;
  Text description;
  int passing;    // calls still let through before the first failing one
  int remaining;  // failing calls still to come; <= 0: every call until cleared
  bool crash;     // the failing call writes through a null pointer instead of returning hr
};

std::mutex mutex;
std::map<std::string, Fault> faults;

std::optional<Fault> Consume(const char* method) {
  const std::lock_guard<std::mutex> lock(mutex);
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
  const std::lock_guard<std::mutex> lock(mutex);
  if (hr == S_OK) {
    faults.erase(method);
    return;
  }
  faults[method] = Fault{hr, description == nullptr ? Text() : Text(description), std::max(firstCall, 1) - 1,
                         times, false};
}

void ArmCrash(const char* method, int call) {
  const std::lock_guard<std::mutex> lock(mutex);
  faults[method] = Fault{E_UNEXPECTED, Text(), std::max(call, 1) - 1, 1, true};
}

std::optional<HRESULT> TakeFault(const char* method, REFIID iid) {
  if (Replaying()) return std::nullopt;  // faults have no say in a replay
  const std::optional<Fault> fault = Consume(method);
  if (!fault) return std::nullopt;
  if (fault->crash) WriteThroughNull();
  SetErrorInformation(fault->description, iid);
  return fault->hr;
}

void ClearFaults() {
  const std::lock_guard<std::mutex> lock(mutex);
  faults.clear();
}

}  // namespace geran::sim
