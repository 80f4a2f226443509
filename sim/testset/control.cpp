// The control API of TestSetSim.h, for tests, the script host and benchmarks. When the classes are
// registered as a local server, the simulator's state lives in TestSetSimulator.exe: every call is
// then forwarded to its control object.
#include "simulator.h"

#include <TestSetSim.h>
#include <win32/system.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace geran::sim {

// Clears data only: objects that clients still hold stay alive with what they hold, so nothing is
// released behind a client's back (an attached aux speech object goes with its test set).
void ResetSimulator() {
  ClearJournal();
  ClearObjectCalls();
  ClearFaults();
  ClearSettings();
  ResetBerModel();
  ResetTestSetState();
  ResetAuxSpeechNumbers();
  ClearReplay();
}

}  // namespace geran::sim

using namespace geran::sim;

namespace {

bool KeyExists(const std::wstring& path) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  const geran::RegistryKey key(opened);
  return true;
}

// Whether the test set is registered as a local server (and this process is not that server).
bool ForwardsToLocalServer() {
  if (ServingLocally()) return false;
  wchar_t clsid[40];
  StringFromGUID2(CLSID_TestSetObject, clsid, 40);
  const std::wstring key = std::wstring(L"CLSID\\") + clsid;
  return !KeyExists(key + L"\\InprocServer32") && KeyExists(key + L"\\LocalServer32");
}

bool ServerGone(HRESULT hr) {
  return hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE ||
         hr == CO_E_OBJNOTCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);
}

// CoIncrementMTAUsage, which mingw-w64's ole32 import library lacks.
HRESULT IncrementMtaUsage(CO_MTA_USAGE_COOKIE* cookie) {
  using Increment = HRESULT(WINAPI*)(CO_MTA_USAGE_COOKIE*);
  const auto increment = reinterpret_cast<Increment>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"combase.dll"), "CoIncrementMTAUsage")));
  return increment == nullptr ? E_NOTIMPL : increment(cookie);
}

// The local server's control object, used from the multithreaded apartment only, so that a caller
// in any apartment (or none, before InitialiseSystem made its thread a single-threaded one) can
// reach it without joining or disturbing an apartment of its own.
class RemoteControl {
 public:
  // Runs call(control) on a thread of the multithreaded apartment; a server that has gone is
  // started afresh once.
  template <class Call>
  HRESULT Run(Call call) {
    HRESULT hr = E_UNEXPECTED;
    std::thread([&] {
      const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      if (FAILED(joined)) {
        hr = joined;
        return;
      }
      hr = RunInApartment(call);
      CoUninitialize();
    }).join();
    if (FAILED(hr))
      std::fprintf(stderr, "TestSetSimulator: the local server's control failed: 0x%08lX\n", hr);
    return hr;
  }

 private:
  template <class Call>
  HRESULT RunInApartment(Call call) {
    const std::lock_guard<std::mutex> lock(mutex_);
    HRESULT hr = control_ == nullptr ? Connect() : S_OK;
    if (SUCCEEDED(hr)) hr = call(control_);
    if (!ServerGone(hr)) return hr;
    hr = Connect();
    return SUCCEEDED(hr) ? call(control_) : hr;
  }

  // Starts the server if need be, and attaches this process to it.
  HRESULT Connect() {
    control_ = nullptr;
    CarryErrorObjectsAcrossProcesses();
    // The apartment, and with it the control proxy, outlives the threads that use it.
    if (mtaCookie_ == nullptr) {
      const HRESULT kept = IncrementMtaUsage(&mtaCookie_);
      if (FAILED(kept)) return kept;
    }
    HRESULT hr = control_.CreateInstance(CLSID_SimulatorControlObject, nullptr, CLSCTX_LOCAL_SERVER);
    if (SUCCEEDED(hr)) hr = control_->AttachClient(static_cast<LONG>(GetCurrentProcessId()));
    if (FAILED(hr)) control_ = nullptr;
    return hr;
  }

  std::mutex mutex_;
  SimulatorControlPtr control_;
  CO_MTA_USAGE_COOKIE mtaCookie_ = nullptr;
};

// Never destroyed: releasing a proxy from a static destructor would call the server inside the
// loader lock at exit. The server ends with the last attached client process instead.
RemoteControl* Remote() {
  static RemoteControl* const remote = new RemoteControl();
  return ForwardsToLocalServer() ? remote : nullptr;
}

}  // namespace

void WINAPI TestSetSim_Reset(void) {
  if (RemoteControl* remote = Remote()) {
    remote->Run([](SimulatorControl* control) { return control->Reset(); });
    return;
  }
  ResetSimulator();
}

int WINAPI TestSetSim_JournalCount(void) {
  if (RemoteControl* remote = Remote()) {
    LONG count = 0;
    remote->Run([&](SimulatorControl* control) { return control->JournalCount(&count); });
    return count;
  }
  return JournalCount();
}

namespace {

std::optional<std::string> FindJournalEntry(int index) {
  RemoteControl* remote = Remote();
  if (remote == nullptr) return JournalEntry(index);
  BSTR entry = nullptr;
  const HRESULT hr =
      remote->Run([&](SimulatorControl* control) { return control->JournalEntry(index, &entry); });
  const _bstr_t owned(entry, false);
  if (hr != S_OK) return std::nullopt;
  return NarrowBytes(entry);
}

// Copies text NUL-terminated into buffer, cut to size bytes; returns its full length, -1 for none.
int CopyOut(const std::optional<std::string>& text, char* buffer, int size) {
  if (!text) return -1;
  if (buffer != nullptr && size > 0) {
    const size_t copied = std::min(text->size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text->data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(text->size());
}

}  // namespace

int WINAPI TestSetSim_JournalEntry(int index, char* buffer, int size) {
  return CopyOut(FindJournalEntry(index), buffer, size);
}

void WINAPI TestSetSim_FailCall(const char* method, int call, long hresult, const wchar_t* description,
                                int times) {
  if (method == nullptr) return;
  if (RemoteControl* remote = Remote()) {
    remote->Run([&](SimulatorControl* control) {
      return control->FailCall(WidenBytes(method), call, hresult, _bstr_t(description), times);
    });
    return;
  }
  ArmFault(method, call, hresult, description, times);
}

void WINAPI TestSetSim_FailMethod(const char* method, long hresult, const wchar_t* description, int times) {
  TestSetSim_FailCall(method, 1, hresult, description, times);
}

void WINAPI TestSetSim_CrashCall(const char* method, int call) {
  if (method == nullptr) return;
  if (RemoteControl* remote = Remote()) {
    remote->Run([&](SimulatorControl* control) { return control->CrashCall(WidenBytes(method), call); });
    return;
  }
  ArmCrash(method, call);
}

void WINAPI TestSetSim_SetValue(const char* name, long value) {
  if (name == nullptr) return;
  if (RemoteControl* remote = Remote()) {
    remote->Run([&](SimulatorControl* control) { return control->SetValue(WidenBytes(name), value); });
    return;
  }
  SetValue(name, value);
}

void WINAPI TestSetSim_SetText(const char* name, const wchar_t* text) {
  if (name == nullptr) return;
  if (RemoteControl* remote = Remote()) {
    remote->Run([&](SimulatorControl* control) { return control->SetText(WidenBytes(name), _bstr_t(text)); });
    return;
  }
  SetText(name, text);
}

long WINAPI TestSetSim_LiveObjects(void) {
  if (RemoteControl* remote = Remote()) {
    LONG count = -1;
    const HRESULT hr = remote->Run([&](SimulatorControl* control) { return control->LiveObjects(&count); });
    return SUCCEEDED(hr) ? count : -1;
  }
  return LiveObjects();
}

void WINAPI TestSetSim_ObjectUse(long* references, long* queries, long* errorQuestions) {
  ObjectUse use{-1, -1, -1};
  if (RemoteControl* remote = Remote()) {
    LONG held = -1, asked = -1, questions = -1;
    if (SUCCEEDED(remote->Run(
            [&](SimulatorControl* control) { return control->ObjectUse(&held, &asked, &questions); })))
      use = {held, asked, questions};
  } else {
    use = CountedObjectUse();
  }
  if (references != nullptr) *references = use.references;
  if (queries != nullptr) *queries = use.queries;
  if (errorQuestions != nullptr) *errorQuestions = use.errorQuestions;
}

long WINAPI TestSetSim_ServerProcessId(void) {
  if (RemoteControl* remote = Remote()) {
    LONG id = 0;
    remote->Run([&](SimulatorControl* control) { return control->ServerProcessId(&id); });
    return id;
  }
  return static_cast<long>(GetCurrentProcessId());
}

long WINAPI TestSetSim_LoadReplay(const char* path, char* error, int size) {
  if (path == nullptr) return E_POINTER;
  // Resolved here: the local server's current folder is its own, not the caller's.
  const std::string full = geran::FullPath(path);
  std::string reason;
  HRESULT hr = E_UNEXPECTED;
  if (RemoteControl* remote = Remote()) {
    BSTR text = nullptr;
    LONG result = E_UNEXPECTED;
    const HRESULT call = remote->Run(
        [&](SimulatorControl* control) { return control->LoadReplay(WidenBytes(full), &result, &text); });
    const _bstr_t owned(text, false);
    hr = FAILED(call) ? call : result;
    reason = FAILED(call) ? "the local server's control failed" : NarrowBytes(text);
  } else {
    hr = LoadReplay(full, reason);
  }
  CopyOut(reason, error, size);
  return hr;
}

int WINAPI TestSetSim_ReplayOutcome(char* buffer, int size) {
  RemoteControl* remote = Remote();
  if (remote == nullptr) return CopyOut(ReplayOutcome(), buffer, size);
  BSTR outcome = nullptr;
  const HRESULT hr = remote->Run([&](SimulatorControl* control) { return control->ReplayOutcome(&outcome); });
  const _bstr_t owned(outcome, false);
  return CopyOut(hr == S_OK ? std::optional<std::string>(NarrowBytes(outcome)) : std::nullopt, buffer, size);
}
