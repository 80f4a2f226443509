// What the system says about a path or an error, as the simulator and geranhost show it to users,
// and the handles they close.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace geran {

// A kernel handle that closes itself.
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The full path of a file name as the system resolves it (from the current folder); the name as
// given when it cannot be resolved.
std::string FullPath(const std::string& path);

// The system's text for an error code without its line break, or "error <code>" when it has none.
std::string SystemMessage(DWORD error);

// The same, its "%1" (the file a loader message is about) filled with path.
std::string SystemMessage(DWORD error, const std::string& path);

}  // namespace geran
