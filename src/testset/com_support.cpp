// The handler of the runtime helpers' failures, and the few compiler-support functions of
// <comdef.h> that mingw-w64 leaves to the application.
#include "testset/automation.h"

namespace geran {

void WINAPI RaiseHelperFailure(HRESULT hr, IErrorInfo* errorInfo) {
  if (errorInfo == nullptr) ThrowIfHelperFailed(hr);
  _com_raise_error(hr, errorInfo);
}

}  // namespace geran

#ifndef _MSC_VER

// Raises a failed HRESULT, with the server's error object when the interface vouches for it.
void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* source, REFIID iid) {
  IErrorInfo* errorInfo = nullptr;
  ISupportErrorInfo* support = nullptr;
  if (source != nullptr &&
      SUCCEEDED(source->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
    const HRESULT supported = support->InterfaceSupportsErrorInfo(iid);
    support->Release();
    if (supported == S_OK && GetErrorInfo(0, &errorInfo) != S_OK) errorInfo = nullptr;
  }
  _com_raise_error(hr, errorInfo);  // the failure takes over the error object's reference
}

namespace _com_util {

BSTR WINAPI ConvertStringToBSTR(const char* text) {
  if (text == nullptr) return nullptr;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (wideLength <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  BSTR result = SysAllocStringLen(nullptr, wideLength - 1);
  if (result == nullptr) throw std::bad_alloc();
  MultiByteToWideChar(CP_ACP, 0, text, -1, result, wideLength);
  return result;
}

char* WINAPI ConvertBSTRToString(BSTR text) {
  if (text == nullptr) return nullptr;
  const int wideLength = static_cast<int>(SysStringLen(text)) + 1;  // with the terminator
  const int narrowLength = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
  if (narrowLength <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  char* result = new (std::nothrow) char[narrowLength];
  if (result == nullptr) throw std::bad_alloc();
  WideCharToMultiByte(CP_ACP, 0, text, wideLength, result, narrowLength, nullptr, nullptr);
  return result;
}

}  // namespace _com_util

#endif  // _MSC_VER
