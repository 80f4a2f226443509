#include "host_process.h"
#include "trace_files.h"

#include <win32/handles.h>

#include <algorithm>

namespace geran::test {

DWORD RunGeranhost(const std::string& arguments, std::string& output) {
  // A file of its own per run: a helper process Wine starts may inherit the handle and outlive the run.
  char folder[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  if (GetTempFileNameA(folder, "gho", 0, name) == 0) return 99;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string command = "geranhost.exe " + arguments;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 99;  // not started
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    const Handle child(process.hProcess), thread(process.hThread);
    WaitForSingleObject(child.get(), 60000);
    GetExitCodeProcess(child.get(), &exitCode);
  }
  CloseHandle(startup.hStdOutput);
  output = ReadFileBytes(name);
  DeleteFileA(name);
  output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
  return exitCode;
}

std::string DemoFile(const char* name) {
  char path[MAX_PATH];
  const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return program.substr(0, program.find_last_of('\\') + 1) + "demo\\" + name;
}

}  // namespace geran::test
