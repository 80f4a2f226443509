#include "stdout_capture.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

namespace geran::test {
namespace {

int OpenTemporaryFile() {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "out", 0, path) == 0) std::abort();
  return _open(path, _O_CREAT | _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_TRUNC, _S_IREAD | _S_IWRITE);
}

}  // namespace

StdoutCapture::StdoutCapture(int fd) : fd_(fd), savedFd_(-1), captureFd_(OpenTemporaryFile()) {
  std::fflush(nullptr);
  savedFd_ = _dup(fd_);
  _dup2(captureFd_, fd_);
}

StdoutCapture::~StdoutCapture() {
  std::fflush(nullptr);
  _dup2(savedFd_, fd_);
  _close(savedFd_);
  _close(captureFd_);
}

std::string StdoutCapture::Take() {
  std::fflush(nullptr);
  const long end = _lseek(captureFd_, 0, SEEK_END);
  std::string bytes(static_cast<size_t>(end - readOffset_), '\0');
  _lseek(captureFd_, readOffset_, SEEK_SET);
  if (!bytes.empty()) _read(captureFd_, &bytes[0], static_cast<unsigned>(bytes.size()));
  _lseek(captureFd_, 0, SEEK_END);
  readOffset_ = end;
  return bytes;
}

}  // namespace geran::test
