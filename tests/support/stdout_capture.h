// Captures what the process writes to standard output (fd 1), the DLL's std::cout included; or, given
// fd 2, to standard error.
#pragma once

#include <string>

namespace geran::test {

class StdoutCapture {
 public:
  explicit StdoutCapture(int fd = 1);
  ~StdoutCapture();
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;

  // Everything written since construction (or the last Take), as raw bytes.
  std::string Take();

 private:
  int fd_;
  int savedFd_;
  int captureFd_;
  long readOffset_ = 0;
};

}  // namespace geran::test
