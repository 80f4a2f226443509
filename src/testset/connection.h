// The module's automation references: the test-set connection and the aux speech slot.
#pragma once

#include "recording/call_journal.h"
#include "testset/automation.h"

#include <memory>
#include <optional>

namespace geran {

bool IsConnected();

// Connection access for one method call; raises E_POINTER when there is no connection.
TestSetApi* TestSet();

// What a connection is made of: the test set as the commands reach it (behind the recording layer
// while it is recorded), the journal that records it, and the aux speech slot as it goes with them.
struct Connection {
  TestSetApiPtr testSet;
  std::shared_ptr<recording::CallJournal> journal;
  std::optional<AuxSpeechPtr> auxSpeech;  // nothing: the slot stays as it is
};

// Makes next the module's connection, journal and aux speech slot at once, taking over its
// references; what it replaces is released. Cannot fail.
void CommitConnection(Connection& next) noexcept;

// The connection's test set and the aux speech slot, as DllMain lets go of them at unload: aux
// speech first.
TestSetApiPtr& TestSetSlot();
AuxSpeechPtr& AuxSpeechSlot();

// Creates an automation object: CoCreateInstance (CLSCTX_ALL, IUnknown), OleRun, QueryInterface
// for target's interface. Returns the HRESULT of the last step made; target is null on failure.
template <class SmartPtr>
HRESULT CreateServerObject(REFCLSID classId, SmartPtr& target) {
  target = nullptr;
  IUnknownPtr unknown;
  HRESULT hr =
      CoCreateInstance(classId, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
  if (SUCCEEDED(hr)) hr = OleRun(unknown);
  if (SUCCEEDED(hr)) hr = unknown->QueryInterface(SmartPtr::GetIID(), reinterpret_cast<void**>(&target));
  if (FAILED(hr)) target = nullptr;
  return hr;
}

}  // namespace geran
