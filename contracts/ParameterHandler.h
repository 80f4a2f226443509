// ParameterHandler.dll: entry points of the parameter-handler library and their result codes.
#pragma once

#include <windows.h>

#include "ParameterHandlerCodes.h"
#include "ParameterList.h"

// Told about a value that another handler changed through ApplyFromL3andNotifyGUI.
typedef void(WINAPI* ParameterChangedCallback)(int changedBy, const char* name, const char* value);

extern "C" {

// Registers callback under *handlerId (replacing an earlier one); a null callback unregisters.
int WINAPI registerParameterHandler(const int* handlerId, ParameterChangedCallback callback);

// Reads the master file and stores the number of its parameters in *count.
int WINAPI getParameterCount(const int* handlerId, int* count);

// Copies the value text of the named parameter, with its terminator, into buffer of size bytes.
int WINAPI getParameterValue(const int* handlerId, const char* name, char* buffer, int size);

// Reads the master file into the caller's empty list. On any failure the list is left empty and
// one line saying what went wrong and where is written to standard error.
int WINAPI getParameterMap(const int* handlerId, ParameterList* list);

// Replaces the value text of the named parameter in the master file; the rest of the file, its
// comments included, is written back byte for byte.
int WINAPI setParameterValue(const int* handlerId, const char* name, const char* value);

// setParameterValue, then tells every handler registered under another identifier.
int WINAPI ApplyFromL3andNotifyGUI(const int* handlerId, const char* name, const char* value);

}  // extern "C"

// The one entry point a caller binding the library at run time needs to call.
using GetParameterMapFn = decltype(&getParameterMap);
