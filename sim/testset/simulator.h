// What the simulator's sources share: object counting, the journal, faults, settings, the BER model.
#pragma once

#include <comdef.h>

#include <TestSetApi.h>
#include <win32/handles.h>

#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include <TestSetSimNames.h>
#include <com_pointers.h>
#include <journal/call_format.h>
#include <journal/recorded_journal.h>

namespace geran::sim {

// ---- Module (dll.cpp) ----

// The simulator DLL itself, for its path and its embedded type library.
HMODULE ModuleHandle();

// The live objects of the test set: what DllCanUnloadNow and TestSetSim_LiveObjects answer from.
long LiveObjects();
// How clients use live objects, for TestSetSim_ObjectUse: the references they hold, and the calls
// that the journal does not show (counted afresh from a reset).
struct ObjectUse {
  long references;
  long queries;
  long errorQuestions;
};
ObjectUse CountedObjectUse();
// Whether any live object, class-factory lock or control connection holds the module.
bool ModuleInUse();

// The classes the module serves: registered in the registry, and with COM by the local server.
struct ServedClass {
  const CLSID* clsid;
  const wchar_t* name;
  IClassFactory* factory;
};
const std::vector<ServedClass>& ServedClasses();

// ---- Local server (local_server.cpp) ----

// Whether this process serves the classes as TestSetSimulator.exe.
bool ServingLocally();
// Keeps the local server running until the client process ends.
HRESULT AttachClient(DWORD processId);

// ---- Error objects across processes (error_transport.cpp) ----

// Makes the error object of a failing call in the local server the client's, as in-process; for
// the server and each of its clients, once per process.
void CarryErrorObjectsAcrossProcesses();

// Text that crosses to the other process as a BSTR: each byte one character, narrowed back exactly.
_bstr_t WidenBytes(const std::string& bytes);
std::string NarrowBytes(BSTR text);

// ---- Type library (type_library.cpp) ----

// The embedded type library's description of an interface, loaded once; nullptr when it cannot be
// loaded. The module keeps the reference.
ITypeInfo* TypeInfoOf(REFIID iid);
HRESULT LoadEmbeddedTypeLib(ITypeLib** library, std::wstring* path);

// ---- Journal (journal.cpp) ----

// One in argument of a journaled call, formatted only when the journal is on.
using journal::Arg;

// Appends "method(arg, arg, ...)" unless the "Journal" setting is 0.
void Record(const char* method, std::initializer_list<Arg> args);
int JournalCount();
std::optional<std::string> JournalEntry(int index);

// ---- Faults (faults.cpp) ----

// Calls of method before call number firstCall (1-based, counted from now) pass; from it on, times calls
// (<= 0: every call) fail with hr. hr S_OK clears method's fault. Arming a method replaces its fault.
void ArmFault(const char* method, int firstCall, HRESULT hr, const wchar_t* description, int times);
// Call number call of method (1-based, counted from now) crashes the caller's process.
void ArmCrash(const char* method, int call);
// Consumes one firing of the fault armed for method: sets the thread's error information (with iid as
// its interface) and returns the fault's HRESULT; nothing when none is armed.
std::optional<HRESULT> TakeFault(const char* method, REFIID iid);
// The thread's error object for a failing call: the description (with iid as its interface), or
// none without one.
void SetErrorInformation(const std::optional<std::wstring>& description, REFIID iid);

// ---- Settings (settings.cpp) ----

void SetValue(const char* name, LONG value);
LONG Value(const std::string& name, LONG fallback = 0);
// A configured text: nothing when the name was never set; a null text when it was set to NULL.
using Text = std::optional<std::wstring>;
void SetText(const char* name, const wchar_t* text);
std::optional<Text> FindText(const std::string& name);

// ---- BER model (ber_model.cpp) ----

enum class CounterSet { Fer, Class1a, Class1b, Class2 };
struct Counters {
  LONG samples;
  LONG events;
  LONG lastFn;
};
void StartBerRun();
void StopBerRun();
void AdvanceTime(LONG milliseconds);
// The counters the test set reports now, after any "Ber.<set>.<counter>" override.
Counters CountersOf(CounterSet set);

// ---- Replay of a recorded journal (replay.cpp) ----

// Resets the simulator and loads the recorded journal at path: from now on every call is answered
// from it (see ReplayCall). S_OK, or the failure (the simulator untouched) with a text naming the
// file and, for a malformed one, the line.
HRESULT LoadReplay(const std::string& path, std::string& error);
// Nothing when no replay is loaded. Otherwise the outcome of the next recorded call when the call
// matches it (method and arguments), with the recorded error information set for a failure; or, at
// the first call that departs and every call after it, a failure describing the departure.
struct ReplayAnswer {
  HRESULT hr;
  std::optional<journal::RecordedValue> output;
  int line;  // of the recorded call
};
std::optional<ReplayAnswer> ReplayCall(const char* method, REFIID iid, std::initializer_list<Arg> args);
// Fails a call whose recorded out value (from line) does not fit it, as a departure.
HRESULT RefuseOutput(const char* method, REFIID iid, int line);
// Nothing when no replay is loaded; the first departure; what was left unmade; empty when every
// recorded call was made as recorded.
std::optional<std::string> ReplayOutcome();

// Hands out a recorded out value through out (an object as a fresh one of its kind); false when
// the value does not fit. nullptr stands for a method without an out argument, which fits no value.
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, std::nullptr_t);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, LONG* out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, short* out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, double* out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, BSTR* out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, BerMeasurement** out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, BerCounterGroup** out);
bool HandOutRecorded(const std::optional<journal::RecordedValue>& value, BerCounterSet** out);

// ---- Aux speech objects (aux_speech.cpp) ----

// An aux speech object as the journal names it: by its creation number when it is a live object of
// this simulator.
journal::NumberedAuxSpeech Numbered(const AuxSpeech* speech);

// ---- Object creation ----

HRESULT CreateTestSet(REFIID iid, void** object);
HRESULT CreateAuxSpeech(REFIID iid, void** object);
HRESULT CreateSimulatorControl(REFIID iid, void** object);

// A new object asked for iid; the caller gets the only reference.
template <class Object, class... Args>
HRESULT CreateObject(REFIID iid, void** result, Args... args) {
  Object* object = new (std::nothrow) Object(args...);
  if (object == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(iid, result);
  object->Release();
  return hr;
}

// What an interface getter hands out: a fresh object, or no object (and success) while the
// getter's null-getter setting ("BerNullGetter.<method>") is on.
template <class Object, class Interface, class... Args>
HRESULT HandOut(const char* method, Interface** result, Args... args) {
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  const std::string_view nullSetting = NullGetterSetting(method);
  if (!nullSetting.empty() && Value(std::string(nullSetting)) != 0) return S_OK;
  return CreateObject<Object>(__uuidof(Interface), reinterpret_cast<void**>(result), args...);
}

// Fresh BER objects handed out by the getter named method (see HandOut).
HRESULT HandOutBerMeasurement(const char* method, BerMeasurement** result);
HRESULT HandOutBerCounterGroup(const char* method, BerCounterGroup** result);
HRESULT HandOutBerCounterSet(const char* method, CounterSet set, BerCounterSet** result);
// A fresh BER object whatever the settings, for a replay: a counter set's counters are then
// answered from the recording, so it is made as the FER one.
HRESULT NewBerObject(BerMeasurement** result);
HRESULT NewBerObject(BerCounterGroup** result);
HRESULT NewBerObject(BerCounterSet** result);

// Stores a getter's value when the out pointer is usable.
template <class T, class V>
HRESULT Put(T* out, V value) {
  if (out == nullptr) return E_POINTER;
  *out = static_cast<T>(value);
  return S_OK;
}

// The one path of every method call: journal, then the recorded answer while a replay is loaded
// (out: where the method hands out its value), otherwise an injected fault or the method's own work.
template <class Action, class Out = std::nullptr_t>
HRESULT Serve(const char* method, REFIID iid, std::initializer_list<Arg> args, Action action,
              Out out = nullptr) {
  Record(method, args);
  if (const std::optional<ReplayAnswer> answer = ReplayCall(method, iid, args)) {
    if (FAILED(answer->hr) || HandOutRecorded(answer->output, out)) return answer->hr;
    return RefuseOutput(method, iid, answer->line);
  }
  if (const std::optional<HRESULT> fault = TakeFault(method, iid)) return *fault;
  return action();
}

// The work of a method that only takes note of its call.
inline HRESULT Accept() { return S_OK; }

}  // namespace geran::sim
