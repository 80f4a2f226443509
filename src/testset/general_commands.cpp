// The general test-set commands: script start, log-file name, keyword time-out, waits, text, radio system.
#include "caller/caller_memory.h"
#include "testset/command.h"

#include <znGeranApiInterfaceDll.h>

#include <cstring>
#include <iostream>

using namespace geran;

extern "C" {

int WINAPI znGeranApiInterfaceDll_StartScript() {
  const OnFailure onFailure =
      GERAN_ON_FAILURE("StartScript").TraceHr(kTest12Trace, "StartScript Faied with hr = %ld\n");
  return RunConnectedCommand(onFailure, [] {
    Call(TestSet(), &TestSetApi::StartScript);
    std::cout << " Start Script Done\n";
    Trace(kTest12Trace, "StartScript Done Successfully\n");
    return kSuccess;
  });
}

// A name that does not fit length bytes with its NUL is refused and the buffer left as it was:
// callers size the buffer once and must never see it overrun or a cut name they would take as whole.
int WINAPI znGeranApiInterfaceDll_GetLogFileName(char* buffer, int length) {
  if (length <= 0 || buffer == nullptr) return kFailure;
  return RunConnectedCommand(GERAN_ON_FAILURE("GetLogFileName"), [buffer, length] {
    _bstr_t name;
    Call(TestSet(), &TestSetApi::get_LogFileName, name.GetAddress());
    if (static_cast<const wchar_t*>(name) == nullptr) return kFailure;
    const char* narrow = name;
    const size_t size = std::strlen(narrow) + 1;
    if (size > static_cast<size_t>(length)) return kFailure;
    std::memcpy(buffer, narrow, size);
    return kSuccess;
  });
}

// No connection pre-check here: without a connection, TestSet() raises E_POINTER and that is reported.
int WINAPI znGeranApiInterfaceDll_PutLogFileName(const char* name, int length) {
  if (length <= 0 || !IsReadableText(name)) return kFailure;
  return RunCommand(GERAN_ON_FAILURE("put_LogFileName"), [name] {
    _bstr_t text(name);
    Call(TestSet(), &TestSetApi::put_LogFileName, text.GetBSTR());
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_PutKeywordTimeout(int timeout) {
  const OnFailure onFailure =
      GERAN_ON_FAILURE("put_KeywordTimeout").TraceHr(kTest12Trace, "KeywordTimeout Faied with hr = %ld\n");
  return RunConnectedCommand(onFailure, [timeout] {
    if (timeout == 0) return kFailure;
    Call(TestSet(), &TestSetApi::put_KeywordTimeout, timeout);
    Trace(kTest12Trace, "KeywordTimeout successful\n");
    return kSuccess;
  });
}

// A readiness check only: the test set is not asked anything.
int WINAPI znGeranApiInterfaceDll_WaitOnMMIReady(int value) {
  if (value == 0) return kFailure;
  return IsConnected() ? kSuccess : kFailure;
}

int WINAPI znGeranApiInterfaceDll_WaitTime(int time) {
  return RunConnectedCommand(GERAN_ON_FAILURE("WaitTime"), [time] {
    if (time == 0) return kFailure;
    Call(TestSet(), &TestSetApi::WaitTime, time);
    return kSuccess;
  });
}

// Showing a text is best effort: a failure is not reported.
int WINAPI znGeranApiInterfaceDll_ShowText(const char* text, int length) {
  if (length <= 0 || (text != nullptr && !IsReadableText(text))) return kFailure;
  return RunConnectedCommand(GERAN_SILENT_ON_FAILURE, [text] {
    const _variant_t shown(text);  // a null text gives a null string, which reads as empty
    Call(TestSet(), &TestSetApi::ShowText, shown);
    return kSuccess;
  });
}

int WINAPI znGeranApiInterfaceDll_SelectRadioSystem(int radioSystem) {
  const OnFailure onFailure =
      GERAN_ON_FAILURE("SelectRadioSystem").TraceHr(kTest12Trace, "SelectRadioSystem Faied with hr = %ld\n");
  return RunConnectedCommand(onFailure, [radioSystem] {
    Call(TestSet(), &TestSetApi::SelectRadioSystem, radioSystem);
    Trace(kTest12Trace, "SelectRadioSystem Successfull\n");
    return kSuccess;
  });
}

}  // extern "C"
