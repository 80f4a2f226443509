// Passes what the library writes to standard output during a call on to the real standard output,
// so the host knows whether the library left its last line open.
#pragma once

#include <thread>

namespace geran::host {

class OutputRelay {
 public:
  // Flushes standard output and points it at a pipe that a thread copies to where it pointed before.
  OutputRelay();
  ~OutputRelay();
  OutputRelay(const OutputRelay&) = delete;
  OutputRelay& operator=(const OutputRelay&) = delete;

  // Ends the relay (standard output points where it did before); true when the last byte relayed
  // was not a line end.
  bool EndsMidLine();

 private:
  void Relay();

  int saved_ = -1;  // the original standard output
  int pipe_ = -1;   // the pipe's read end
  char last_ = '\n';
  std::thread thread_;
};

}  // namespace geran::host
