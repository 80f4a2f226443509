// The product DLL as the benchmarks load it: exports resolved once, the settle wait skipped.
#pragma once

#include <windows.h>

#include <trace_files.h>
#include <znGeranApiInterfaceDll.h>

#include <string>
#include <vector>

namespace geran::bench {

// The exports the benchmarks call.
#define GERAN_BENCH_EXPORTS(X) \
  X(InitialiseSystem)          \
  X(LoadMasterParameterFile)   \
  X(DisableCch)                \
  X(SelectRadioSystem)         \
  X(VoiceLoop)                 \
  X(ShiftRight)                \
  X(SendSIMsg)                 \
  X(CipherMode)                \
  X(ShowText)                  \
  X(QueryFrameNumber)          \
  X(GetLogFileName)            \
  X(StartAuxSpeech)            \
  X(AttachAuxSpeech)           \
  X(ReleaseAuxSpeech)          \
  X(StartBERTest)

struct Exports {
#define GERAN_BENCH_DECLARE_EXPORT(Name) decltype(&znGeranApiInterfaceDll_##Name) Name = nullptr;
  GERAN_BENCH_EXPORTS(GERAN_BENCH_DECLARE_EXPORT)
#undef GERAN_BENCH_DECLARE_EXPORT
};

// Loads znGeranApiInterfaceDll.dll beside this program and makes its settle wait after
// connecting return at once (its import of Sleep is patched), as the tests do. Unloading it
// releases its connection; then the thread's COM initialisation it made is balanced.
class ProductLibrary {
 public:
  ProductLibrary();  // throws std::runtime_error
  ~ProductLibrary();
  ProductLibrary(const ProductLibrary&) = delete;
  ProductLibrary& operator=(const ProductLibrary&) = delete;

  const Exports& exports() const { return exports_; }
  // InitialiseSystem on this thread, which must not have initialised COM yet; throws on failure.
  void Connect();

 private:
  HMODULE module_;
  Exports exports_;
  bool connected_ = false;
};

// Journal lines of the simulator from index first on.
std::vector<std::string> JournalFrom(int first);

// The product's trace files on drive C:, which the benchmarks make grow, are removed as the tests do.
using test::RemoveTraceFiles;

// Standard output goes to NUL while this lives (the product's failure reports are not wanted).
class StdoutToNul {
 public:
  StdoutToNul();
  ~StdoutToNul();
  StdoutToNul(const StdoutToNul&) = delete;
  StdoutToNul& operator=(const StdoutToNul&) = delete;

 private:
  int saved_;
};

}  // namespace geran::bench
