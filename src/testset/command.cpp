#include "testset/command.h"

#include <utility>

namespace geran {

OnFailure& OnFailure::TraceHr(const TraceFile& file, const char* format) {
  traceFile_ = &file;
  traceFormat_ = format;
  return *this;
}

OnFailure& OnFailure::First(std::function<void(const _com_error&)> lines) {
  first_ = std::move(lines);
  return *this;
}

void OnFailure::Handle(const _com_error& failure) const {
  if (first_) first_(failure);
  if (label_ != nullptr) ReportFailure(label_, site_, failure);
  if (traceFile_ != nullptr) Trace(*traceFile_, traceFormat_, static_cast<long>(failure.Error()));
}

int OnFailure::HandleGuarded(const _com_error& failure) const noexcept {
  try {
    Handle(failure);
  } catch (...) {
    ReportUnexpectedException(site_);
  }
  return kFailure;
}

}  // namespace geran
