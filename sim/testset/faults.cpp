// Injected faults: which calls fail, how often, and with what error information.
#include "simulator.h"

#include <map>
#include <mutex>

namespace geran::sim {
namespace {

struct Fault {
  HRESULT hr;
  Text description;
  int remaining;  // <= 0: every call until cleared
};

std::mutex mutex;
std::map<std::string, Fault> faults;

std::optional<Fault> Consume(const char* method) {
  const std::lock_guard<std::mutex> lock(mutex);
  const auto found = faults.find(method);
  if (found == faults.end()) return std::nullopt;
  const Fault fault = found->second;
  if (fault.remaining > 0 && --found->second.remaining == 0) faults.erase(found);
  return fault;
}

// The thread's error object for a failing call: the description when there is one, else none.
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

}  // namespace

void ArmFault(const char* method, HRESULT hr, const wchar_t* description, int times) {
  const std::lock_guard<std::mutex> lock(mutex);
  if (hr == S_OK) {
    faults.erase(method);
    return;
  }
  faults[method] = Fault{hr, description == nullptr ? Text() : Text(description), times};
}

std::optional<HRESULT> TakeFault(const char* method, REFIID iid) {
  const std::optional<Fault> fault = Consume(method);
  if (!fault) return std::nullopt;
  SetErrorInformation(fault->description, iid);
  return fault->hr;
}

void ClearFaults() {
  const std::lock_guard<std::mutex> lock(mutex);
  faults.clear();
}

}  // namespace geran::sim
