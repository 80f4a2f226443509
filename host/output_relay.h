// Takes what the library writes to standard output during a call, passes it on to the real standard
// output (or holds it, for the caller to show later) and keeps a copy, so the host knows whether the
// library left its last line open and what the call wrote.
#pragma once

#include <string>
#include <thread>

namespace geran::host {

class OutputRelay {
 public:
  enum class Mode { kPassOn, kHold };

  // Flushes standard output and points it at a pipe that a thread reads (and, to pass it on, copies
  // to where standard output pointed before).
  explicit OutputRelay(Mode mode = Mode::kPassOn);
  ~OutputRelay();
  OutputRelay(const OutputRelay&) = delete;
  OutputRelay& operator=(const OutputRelay&) = delete;

  // Ends the relay (standard output points where it did before); true when the last byte relayed
  // was not a line end.
  bool EndsMidLine();

  // What the call wrote, complete once the relay has ended.
  const std::string& Text() const { return text_; }

 private:
  void Relay();

  int saved_ = -1;  // the original standard output
  int pipe_ = -1;   // the pipe's read end
  Mode mode_;
  std::string text_;
  std::thread thread_;
};

}  // namespace geran::host
