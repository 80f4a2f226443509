// The command pattern: one guarded automation call, its failure handling, the result convention.
#pragma once

#include "caller/result.h"
#include "testset/automation.h"
#include "testset/connection.h"
#include "testset/failure_report.h"
#include "testset/trace.h"

#include <functional>

namespace geran {

// What an export does when an automation failure reaches its handler, in this order: its own
// lines (optional), the failure report under its label (unless silent), a trace line with the
// HRESULT (optional).
class OnFailure {
 public:
  // A null label writes no failure report.
  OnFailure(const char* label, const ReportSite& site) : label_(label), site_(site) {}

  // A handler trace line whose format takes the HRESULT as its one "%ld".
  OnFailure& TraceHr(const TraceFile& file, const char* format);
  // Lines written before the report.
  OnFailure& First(std::function<void(const _com_error&)> lines);

  void Handle(const _com_error& failure) const;
  // Handle, with whatever it throws itself (memory running out while it reports) said as
  // ReportUnexpectedException says it; the export's result, 0, either way.
  int HandleGuarded(const _com_error& failure) const noexcept;
  const ReportSite& site() const { return site_; }

 private:
  const char* label_;
  ReportSite site_;
  const TraceFile* traceFile_ = nullptr;
  const char* traceFormat_ = nullptr;
  std::function<void(const _com_error&)> first_;
};

#define GERAN_ON_FAILURE(label) (::geran::OnFailure((label), GERAN_REPORT_SITE))
// An export whose automation failures write no report.
#define GERAN_SILENT_ON_FAILURE (::geran::OnFailure(nullptr, GERAN_REPORT_SITE))

// Runs body so that nothing but its result leaves the export: the caller's process must survive
// whatever happens inside. Any exception gives 0 and one line on standard output naming the export
// and what was caught; the module stays usable.
template <class Body>
int RunGuarded(const ReportSite& site, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    ReportUnexpectedException(site);
    return kFailure;
  }
}

// Runs body in a region guarded for automation failures; body returns the export's result. On an
// automation failure the handler runs and the result is 0; anything else, the handler's own
// failures included (memory running out while it reports), is caught as RunGuarded says. One
// region, with body inline in it: the path of a call that succeeds costs no more than the call.
template <class Body>
int RunCommand(const OnFailure& onFailure, Body&& body) noexcept {
  try {
    return body();
  } catch (const _com_error& failure) {
    return onFailure.HandleGuarded(failure);
  } catch (...) {
    ReportUnexpectedException(onFailure.site());
    return kFailure;
  }
}

// The plain pattern: no connection gives 0 at once; otherwise the guarded body.
template <class Body>
int RunConnectedCommand(const OnFailure& onFailure, Body&& body) {
  if (!IsConnected()) return kFailure;
  return RunCommand(onFailure, static_cast<Body&&>(body));
}

}  // namespace geran
