// A call journal file as the product's recording layer writes it, read back.
#pragma once

#include "trace_files.h"

#include <journal/recorded_journal.h>

#include <string>
#include <vector>

namespace geran::test {

inline std::vector<journal::RecordedCall> RecordedJournal(const std::string& path) {
  return journal::ParseRecording(ReadFileBytes(path.c_str()));
}

// The texts of the recorded calls from index first on.
inline std::vector<std::string> RecordedCalls(const std::string& path, size_t first = 0) {
  const std::vector<journal::RecordedCall> recording = RecordedJournal(path);
  std::vector<std::string> calls;
  for (size_t i = first; i < recording.size(); ++i) calls.push_back(recording[i].call);
  return calls;
}

}  // namespace geran::test
