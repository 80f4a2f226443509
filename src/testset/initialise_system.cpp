// znGeranApiInterfaceDll_InitialiseSystem: COM on this thread, the test set's object, the wait.
#include "testset/call_recording.h"
#include "testset/command.h"
#include "testset/connection.h"
#include "testset/settle_wait.h"

#include <znGeranApiInterfaceDll.h>

#include <iostream>

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_InitialiseSystem() {
  // Only a thread that COM was not yet initialised on may connect: the connection lives in its apartment.
  if (CoInitialize(nullptr) != S_OK) return kFailure;
  return RunCommand(GERAN_ON_FAILURE("initialiseRemoteAPI"), [] {
    TestSetApiPtr created;
    const HRESULT hr = CreateServerObject(CLSID_TestSetObject, created);
    if (hr != E_NOINTERFACE) ThrowIfFailed(hr);
    Connection next = PrepareConnection(created);
    CommitConnection(next);
    if (!IsConnected()) {
      Trace(kTest12Trace, "Ortolan Instance Creation Failed\n");
      std::cout << "Ortolan Instance Creation Failed\n";
      return kFailure;
    }
    Trace(kTest12Trace, "Ortolan Instance Created Successfully\n");
    Sleep(kSettleMilliseconds);
    return kSuccess;
  });
}

}  // extern "C"
