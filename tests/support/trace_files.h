// The product's trace files on drive C:, read back as raw bytes (lines end in CR LF on disk).
#pragma once

#include <string>

namespace geran::test {

inline constexpr const char* kTest12 = "C:\\Test12.txt";
inline constexpr const char* kRemoteApi = "C:\\GeranRemoteAPI.txt";
inline constexpr const char* kResult = "C:\\result.txt";
inline constexpr const char* kCallBox = "C:\\GeranCallBoxNew.txt";

// The file's bytes; an empty string when it does not exist.
std::string ReadFileBytes(const char* path);
bool FileExists(const char* path);
// name in the temp folder.
std::string TempPath(const std::string& name);
void RemoveTraceFiles();

// "a\nb\n" as a text-mode file holds it: "a\r\nb\r\n".
std::string OnDisk(const std::string& text);

}  // namespace geran::test
