// What the host shows while a long call blocks (a live line on stderr) and after it (on stdout).
#pragma once

#include "exports.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace geran::host {

// Watches one call: its status is asked for from a watcher thread while the call runs.
class CallWatch {
 public:
  virtual ~CallWatch() = default;
  virtual std::string Status(std::chrono::steady_clock::duration elapsed) = 0;
  // Printed on stdout once the call has returned; "" for nothing.
  virtual std::string Conclusion() { return {}; }
};

// The watch for a call of the export with these arguments, or nullptr for a call that needs none:
// the connection wait of InitialiseSystem and the counters of StartBERTest.
std::unique_ptr<CallWatch> WatchFor(std::string_view exportName, const std::vector<Slot>& slots);

// Rewrites one line on stderr with the watch's status a few times a second, from its own thread,
// until destroyed; then clears the line.
class ProgressLine {
 public:
  explicit ProgressLine(CallWatch& watch);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

 private:
  void Run(CallWatch& watch);

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::size_t width_ = 0;
  std::thread thread_;
};

}  // namespace geran::host
