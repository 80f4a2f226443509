// geranbench: the library's own cost per call, the master load, a BER cycle and a soak run, as one table.
#include "session.h"

#include <TestSetSim.h>

#include <cstdio>
#include <exception>

namespace {

using namespace geran::bench;

#ifdef _WIN64
constexpr const char* kEnvironment =
    "x86_64 build under wine64 on a shared 2-core machine; medians of repetitions in one run";
#else
constexpr const char* kEnvironment =
    "i686 build under wine64 (WoW64 mode) on a shared 2-core machine; medians of repetitions in one run";
#endif

void MeasureAll(Figures& figures) {
  Session session;
  SetJournal(false);
  MeasureCallCosts(session, figures);
  MeasureCallJournal(session, figures);
  MeasureBerCycle(session, figures);
  MeasureParameterLoad(session, figures);
  RunSoak(session, figures);
}

// Once the product is unloaded and the raw object released, the simulator must have nothing alive.
Figure LiveObjectsFigure() {
  const long live = TestSetSim_LiveObjects();
  return {"memory",
          "simulator live objects after unload",
          static_cast<double>(live),
          "objects",
          {},
          {},
          "= 0",
          live == 0,
          ""};
}

// Registers the simulator in the prefix. Looked up by name: oleaut32's import library, also linked
// here, has a DllRegisterServer of its own.
bool RegisterSimulator() {
  const HMODULE simulator = GetModuleHandleW(L"TestSetSimulator.dll");
  const auto registerServer = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(simulator, "DllRegisterServer")));
  return registerServer != nullptr && SUCCEEDED(registerServer());
}

}  // namespace

int main(int argc, char** argv) {
  const char* jsonPath = argc > 1 ? argv[1] : "results.json";
  if (!RegisterSimulator()) {
    std::fprintf(stderr, "geranbench: cannot register TestSetSimulator.dll\n");
    return 2;
  }
  Figures figures;
  try {
    MeasureAll(figures);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "geranbench: %s\n", failure.what());
    return 1;
  }
  figures.Add(LiveObjectsFigure());
  RemoveTraceFiles();
  figures.PrintTable(stdout);
  if (!figures.WriteJson(jsonPath, kEnvironment)) {
    std::fprintf(stderr, "geranbench: cannot write %s\n", jsonPath);
    return 1;
  }
  return 0;
}
