// geranbench: the library's own cost per call, the master load, a BER cycle and a soak run, as one table.
#include "session.h"

#include <TestSetSim.h>

#include <cstdio>
#include <exception>
#include <stdexcept>

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

// Registers the simulator in the prefix as an in-process server, or with "local" as the local server
// TestSetSimulator.exe. Looked up by name: oleaut32's import library, also linked here, has a
// DllRegisterServer of its own.
bool RegisterSimulator(const wchar_t* kind) {
  const auto install = reinterpret_cast<HRESULT(WINAPI*)(BOOL, LPCWSTR)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"TestSetSimulator.dll"), "DllInstall")));
  return install != nullptr && SUCCEEDED(install(TRUE, kind));
}

// The call costs again with the product connected to the local server.
void MeasureThroughLocalServer(Figures& figures) {
  if (!RegisterSimulator(L"local")) throw std::runtime_error("cannot register TestSetSimulator.exe");
  Session session;
  SetJournal(false);
  MeasureLocalServerCallCosts(session, figures);
}

}  // namespace

int main(int argc, char** argv) {
  const char* jsonPath = argc > 1 ? argv[1] : "results.json";
  if (!RegisterSimulator(L"")) {
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
  try {
    MeasureThroughLocalServer(figures);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "geranbench: no local server figures: %s\n", failure.what());
  }
  // The prefix is the tests' too: they expect the in-process registration.
  RegisterSimulator(L"");
  RemoveTraceFiles();
  figures.PrintTable(stdout);
  if (!figures.WriteJson(jsonPath, kEnvironment)) {
    std::fprintf(stderr, "geranbench: cannot write %s\n", jsonPath);
    return 1;
  }
  return 0;
}
