#include "testset/trace.h"

namespace geran {

TraceBlock::TraceBlock(const TraceFile& file) : stream_(std::fopen(file.path, file.mode)) {}

void TraceBlock::WriteList(const char* format, va_list args) {
  if (stream_) std::vfprintf(stream_.get(), format, args);
}

void TraceBlock::Write(const char* format, ...) {
  va_list args;
  va_start(args, format);
  WriteList(format, args);
  va_end(args);
}

void Trace(const TraceFile& file, const char* format, ...) {
  TraceBlock block(file);
  va_list args;
  va_start(args, format);
  block.WriteList(format, args);
  va_end(args);
}

}  // namespace geran
