// Captures what the process writes to standard output (fd 1), the DLL's std::cout included, or to
// standard error (fd 2).
#pragma once

#include <string>

namespace geran::test {

class OutputCapture {
 public:
  explicit OutputCapture(int fd);
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // Everything written since construction (or the last Take), as raw bytes.
  std::string Take();

 private:
  void Restore();
  int fd_;
  int savedFd_;
  int captureFd_;
  long readOffset_ = 0;
};

class StdoutCapture : public OutputCapture {
 public:
  StdoutCapture() : OutputCapture(1) {}
};

class StderrCapture : public OutputCapture {
 public:
  StderrCapture() : OutputCapture(2) {}
};

}  // namespace geran::test
