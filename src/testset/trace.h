// Trace files on drive C: each event opens its file, appends and closes it again.
#pragma once

#include "testset/trace_files.h"

#include <win32/handles.h>

#include <cstdarg>
#include <cstdio>

namespace geran {

// Appends one printf-style text. A file that cannot be opened is skipped: tracing never fails a command.
void Trace(const TraceFile& file, const char* format, ...);

// Several texts under one open of the file: the BER counter block, the one event that writes several lines.
class TraceBlock {
 public:
  explicit TraceBlock(const TraceFile& file);
  void Write(const char* format, ...);
  void WriteList(const char* format, va_list args);

 private:
  File stream_;
};

}  // namespace geran
