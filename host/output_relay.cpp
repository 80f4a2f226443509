#include "output_relay.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace geran::host {

OutputRelay::OutputRelay(Mode mode) : mode_(mode) {
  std::fflush(stdout);
  int ends[2];
  if (_pipe(ends, 4096, _O_BINARY) != 0) return;  // no relay: the output goes straight through
  saved_ = _dup(1);
  _dup2(ends[1], 1);
  _close(ends[1]);
  pipe_ = ends[0];
  thread_ = std::thread([this] { Relay(); });
}

OutputRelay::~OutputRelay() { EndsMidLine(); }

bool OutputRelay::EndsMidLine() {
  if (saved_ < 0) return false;
  std::fflush(stdout);
  _dup2(saved_, 1);  // closes the pipe's last write end, so the relay reads to its end
  thread_.join();
  _close(saved_);
  _close(pipe_);
  saved_ = -1;
  return !text_.empty() && text_.back() != '\n';
}

void OutputRelay::Relay() {
  char buffer[4096];
  int count;
  while ((count = _read(pipe_, buffer, sizeof buffer)) > 0) {
    if (mode_ == Mode::kPassOn) _write(saved_, buffer, static_cast<unsigned>(count));
    text_.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace geran::host
