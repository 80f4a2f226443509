// What the system says about a path or an error, as the simulator and geranhost show it to users.
#pragma once

#include <windows.h>

#include <string>

namespace geran {

// The full path of a file name as the system resolves it (from the current folder); the name as
// given when it cannot be resolved.
std::string FullPath(const std::string& path);

// The system's text for an error code without its line break, or "error <code>" when it has none.
std::string SystemMessage(DWORD error);

// The same, its "%1" (the file a loader message is about) filled with path.
std::string SystemMessage(DWORD error, const std::string& path);

}  // namespace geran
