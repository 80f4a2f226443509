// Binding ParameterHandler.dll and judging its answer, with a trace line for every step.
#include "parameters/handler_binding.h"

#include "testset/trace.h"

#include <ParameterHandler.h>

#include <iterator>

namespace geran {
namespace {

// Its address tells the library who is asking.
const int handlerId = 3;

// The entry points in binding order. A found one is traced as "Get Proc <name> Successfull" unless
// it has its own text; the first one missing ends the binding.
struct EntryPoint {
  const char* name;
  const char* foundTrace;
};
constexpr EntryPoint kEntryPoints[] = {
    {"registerParameterHandler", nullptr}, {"getParameterCount", nullptr},
    {"getParameterValue", nullptr},        {"getParameterMap", nullptr},
    {"setParameterValue", nullptr},        {"ApplyFromL3andNotifyGUI", "Entering getParameterMap\n"},
};
constexpr int kGetParameterMap = 3;

// The handle is never released: the library stays loaded for the life of the process.
HMODULE LoadHandlerLibrary() {
  const HMODULE library = LoadLibraryW(L"ParameterHandler.dll");
  Trace(kResultTrace, "Loading Library(TEXT(ParameterHandler.dll))\n");
  if (library == nullptr) Trace(kResultTrace, "ERROR: unable to load ParameterHandler.dll\n");
  return library;
}

GetParameterMapFn BindEntryPoints(HMODULE library) {
  FARPROC addresses[std::size(kEntryPoints)] = {};
  for (size_t i = 0; i < std::size(kEntryPoints); ++i) {
    const EntryPoint& entry = kEntryPoints[i];
    addresses[i] = GetProcAddress(library, entry.name);
    if (addresses[i] == nullptr) {
      Trace(kResultTrace, "Get Proc %s failed\n", entry.name);
      return nullptr;
    }
    if (entry.foundTrace != nullptr)
      Trace(kResultTrace, "%s", entry.foundTrace);
    else
      Trace(kResultTrace, "Get Proc %s Successfull\n", entry.name);
  }
  return reinterpret_cast<GetParameterMapFn>(reinterpret_cast<void*>(addresses[kGetParameterMap]));
}

bool JudgeParameterMap(int code, const ParameterList& list) {
  if (code != 0) {
    Trace(kResultTrace, "getParameterMap returned retCode : %ld\n", static_cast<long>(code));
    return false;
  }
  if (list.empty()) {
    Trace(kResultTrace, "Parameter Map returned failure\n");
    return false;
  }
  Trace(kResultTrace, "Parameter Map returned success\n");
  return true;
}

}  // namespace

bool FetchMasterParameters(ParameterList& list) {
  const HMODULE library = LoadHandlerLibrary();
  if (library == nullptr) return false;
  const GetParameterMapFn getParameterMap = BindEntryPoints(library);
  if (getParameterMap == nullptr) return false;
  Trace(kResultTrace, "Entered getParameterMap\n");
  const int code = getParameterMap(&handlerId, &list);
  Trace(kResultTrace, "called retCode = getParameterMap\n");
  return JudgeParameterMap(code, list);
}

}  // namespace geran
