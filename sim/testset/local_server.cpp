// The simulator as a local server: TestSetSimulator.exe calls ServeLocalServer, which offers every
// class to COM from this process until its clients are done with it.
#include "simulator_state.h"

namespace geran::sim {
namespace {

// With no client attached, the server waits this long with nothing in use before it ends, so
// that a client between two creations finds it still running.
constexpr DWORD kIdleMilliseconds = 2000;

// The served classes' class objects, offered to other processes while this lives.
class ClassObjects {
 public:
  ClassObjects() {
    for (const ServedClass& served : ServedClasses()) {
      DWORD cookie = 0;
      if (SUCCEEDED(CoRegisterClassObject(*served.clsid, served.factory, CLSCTX_LOCAL_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie)))
        cookies_.push_back(cookie);
    }
  }
  ~ClassObjects() {
    for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
  }
  ClassObjects(const ClassObjects&) = delete;
  ClassObjects& operator=(const ClassObjects&) = delete;

 private:
  std::vector<DWORD> cookies_;
};

// The attached clients' processes, to wait for.
std::vector<HANDLE> ClientProcesses() {
  const SimulatorState::Locked state = Simulator().Lock();
  std::vector<HANDLE> processes;
  for (const Handle& client : state->clients) processes.push_back(client.get());
  return processes;
}

// Dispatches the calls of the apartment until the last attached client process has ended or,
// with none attached, until nothing has been in use for kIdleMilliseconds. Objects that an ended
// client still held end with the server.
void DispatchUntilDone() {
  for (;;) {
    const std::vector<HANDLE> handles = ClientProcesses();
    const bool idle = handles.empty() && !ModuleInUse();
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD woken = MsgWaitForMultipleObjects(count, handles.data(), FALSE,
                                                  idle ? kIdleMilliseconds : INFINITE, QS_ALLINPUT);
    if (woken == WAIT_TIMEOUT || woken == WAIT_FAILED) return;
    if (woken < WAIT_OBJECT_0 + count) {
      const SimulatorState::Locked state = Simulator().Lock();
      state->clients.erase(state->clients.begin() + (woken - WAIT_OBJECT_0));
      if (state->clients.empty()) return;
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

bool ServingLocally() { return Simulator().Lock()->servingLocally; }

HRESULT AttachClient(DWORD processId) {
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (process == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  Simulator().Lock()->clients.push_back(std::move(process));
  return S_OK;
}

}  // namespace geran::sim

using namespace geran::sim;

// The whole life of TestSetSimulator.exe; its exit code.
extern "C" int WINAPI ServeLocalServer(void) {
  const HRESULT initialised = CoInitialize(nullptr);
  if (FAILED(initialised)) return 1;
  Simulator().Lock()->servingLocally = true;
  CarryErrorObjectsAcrossProcesses();
  {
    const ClassObjects offered;
    DispatchUntilDone();
  }
  Simulator().Lock()->clients.clear();
  CoUninitialize();
  return 0;
}
