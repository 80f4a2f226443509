// The test set's interfaces with their smart-pointer types, and the COM support the commands use.
#pragma once

#include <comdef.h>

#include <TestSetApi.h>

#include <com_pointers.h>

#include <new>

namespace geran {

// Raises a failed HRESULT as an automation failure, without error information.
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) _com_raise_error(hr);
}

// For the runtime's BSTR, VARIANT and SAFEARRAY helpers: running out of memory there is
// std::bad_alloc, as for any other allocation of the library; any other failure an automation failure.
inline void ThrowIfHelperFailed(HRESULT hr) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  ThrowIfFailed(hr);
}

// The handler that <comutil.h>'s helpers raise their failures through (installed when the module
// loads): ThrowIfHelperFailed for theirs, which carry no error object.
void WINAPI RaiseHelperFailure(HRESULT hr, IErrorInfo* errorInfo);

// The interface a smart pointer holds, for one call; raises E_POINTER (no error information) when it
// holds none: no connection, or a getter that succeeded without handing out an object.
template <class SmartPtr>
auto* Required(const SmartPtr& pointer) {
  return pointer.operator->();
}

// Calls one method of an interface and raises a failure with the server's error information, looked
// up for that interface. Returns the (successful) HRESULT for the few commands that trace it.
template <class Interface, class Method, class... Args>
HRESULT Call(Interface* object, Method method, Args&&... args) {
  const HRESULT hr = (object->*method)(static_cast<Args&&>(args)...);
  if (FAILED(hr)) _com_issue_errorex(hr, object, __uuidof(Interface));
  return hr;
}

}  // namespace geran
