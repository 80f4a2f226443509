// The control API of TestSetSim.h over the simulator's state, for tests, the script host and
// benchmarks. When the classes are registered as a local server, the state that counts lives in
// TestSetSimulator.exe: every call is then forwarded to its control object.
#include "simulator_state.h"

#include <TestSetSim.h>
#include <win32/system.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <thread>

using namespace geran::sim;

namespace {

// Whether the test set is registered as a local server (and this process is not that server): its
// class key read once, for the names of its server keys.
bool ForwardsToLocalServer() {
  if (ServingLocally()) return false;
  wchar_t clsid[40];
  StringFromGUID2(CLSID_TestSetObject, clsid, 40);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + clsid).c_str(), 0, KEY_READ, &opened) !=
      ERROR_SUCCESS)
    return false;
  const geran::RegistryKey key(opened);
  bool inProcess = false, local = false;
  wchar_t name[MAX_PATH];
  for (DWORD index = 0;; ++index) {
    DWORD length = MAX_PATH;
    if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    inProcess = inProcess || _wcsicmp(name, L"InprocServer32") == 0;
    local = local || _wcsicmp(name, L"LocalServer32") == 0;
  }
  return !inProcess && local;
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

// Runs call on a control object: the local server's when the classes are served there, otherwise
// one in this process, where it works on this module's simulator directly.
template <class Call>
HRESULT Control(Call call) {
  // Never destroyed: releasing a proxy from a static destructor would call the server inside the
  // loader lock at exit. The server ends with the last attached client process instead.
  static RemoteControl* const remote = new RemoteControl();
  if (ForwardsToLocalServer()) return remote->Run(call);
  SimulatorControlPtr local;
  const HRESULT created =
      CreateSimulatorControl(__uuidof(SimulatorControl), reinterpret_cast<void**>(&local));
  return SUCCEEDED(created) ? call(local) : created;
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

// A text the control object handed out (S_OK), as bytes; nothing for none.
std::optional<std::string> TextHandedOut(HRESULT hr, BSTR text) {
  const _bstr_t owned(text, false);
  return hr == S_OK ? std::optional<std::string>(NarrowBytes(text)) : std::nullopt;
}

}  // namespace

void WINAPI TestSetSim_Reset(void) {
  Control([](SimulatorControl* control) { return control->Reset(); });
}

int WINAPI TestSetSim_JournalCount(void) {
  LONG count = 0;
  Control([&](SimulatorControl* control) { return control->JournalCount(&count); });
  return count;
}

int WINAPI TestSetSim_JournalEntry(int index, char* buffer, int size) {
  BSTR entry = nullptr;
  const HRESULT hr = Control([&](SimulatorControl* control) { return control->JournalEntry(index, &entry); });
  return CopyOut(TextHandedOut(hr, entry), buffer, size);
}

void WINAPI TestSetSim_FailCall(const char* method, int call, long hresult, const wchar_t* description,
                                int times) {
  if (method == nullptr) return;
  Control([&](SimulatorControl* control) {
    return control->FailCall(WidenBytes(method), call, hresult, _bstr_t(description), times);
  });
}

void WINAPI TestSetSim_FailMethod(const char* method, long hresult, const wchar_t* description, int times) {
  TestSetSim_FailCall(method, 1, hresult, description, times);
}

void WINAPI TestSetSim_CrashCall(const char* method, int call) {
  if (method == nullptr) return;
  Control([&](SimulatorControl* control) { return control->CrashCall(WidenBytes(method), call); });
}

void WINAPI TestSetSim_SetValue(const char* name, long value) {
  if (name == nullptr) return;
  Control([&](SimulatorControl* control) { return control->SetValue(WidenBytes(name), value); });
}

void WINAPI TestSetSim_SetText(const char* name, const wchar_t* text) {
  if (name == nullptr) return;
  Control([&](SimulatorControl* control) { return control->SetText(WidenBytes(name), _bstr_t(text)); });
}

long WINAPI TestSetSim_LiveObjects(void) {
  LONG count = -1;
  const HRESULT hr = Control([&](SimulatorControl* control) { return control->LiveObjects(&count); });
  return SUCCEEDED(hr) ? count : -1;
}

void WINAPI TestSetSim_ObjectUse(long* references, long* queries, long* errorQuestions) {
  LONG held = -1, asked = -1, questions = -1;
  if (FAILED(
          Control([&](SimulatorControl* control) { return control->ObjectUse(&held, &asked, &questions); })))
    held = asked = questions = -1;
  if (references != nullptr) *references = held;
  if (queries != nullptr) *queries = asked;
  if (errorQuestions != nullptr) *errorQuestions = questions;
}

long WINAPI TestSetSim_ServerProcessId(void) {
  LONG id = 0;
  Control([&](SimulatorControl* control) { return control->ServerProcessId(&id); });
  return id;
}

long WINAPI TestSetSim_LoadReplay(const char* path, char* error, int size) {
  if (path == nullptr) return E_POINTER;
  // Resolved here: the local server's current folder is its own, not the caller's.
  const std::string full = geran::FullPath(path);
  BSTR text = nullptr;
  LONG result = E_UNEXPECTED;
  const HRESULT call = Control(
      [&](SimulatorControl* control) { return control->LoadReplay(WidenBytes(full), &result, &text); });
  const _bstr_t owned(text, false);
  CopyOut(FAILED(call) ? "the local server's control failed" : NarrowBytes(text), error, size);
  return FAILED(call) ? call : result;
}

int WINAPI TestSetSim_ReplayOutcome(char* buffer, int size) {
  BSTR outcome = nullptr;
  const HRESULT hr = Control([&](SimulatorControl* control) { return control->ReplayOutcome(&outcome); });
  return CopyOut(TextHandedOut(hr, outcome), buffer, size);
}
