#include "allocation_failure.h"

#include <gtest/gtest.h>

#include <oleauto.h>

namespace geran::test {
namespace {

int allowed = -1;  // allocations still let through before the one that fails; -1: none fails
bool failed = false;
void* realMalloc = nullptr;
void* realSysAllocStringLen = nullptr;
void* realSafeArrayCreateVector = nullptr;

bool FailsNow() {
  if (allowed < 0 || allowed-- > 0) return false;
  failed = true;
  return true;
}

void* Malloc(size_t size) {
  return FailsNow() ? nullptr : reinterpret_cast<decltype(&Malloc)>(realMalloc)(size);
}
BSTR WINAPI AllocString(const OLECHAR* text, UINT length) {
  return FailsNow() ? nullptr : reinterpret_cast<decltype(&AllocString)>(realSysAllocStringLen)(text, length);
}
SAFEARRAY* WINAPI CreateVector(VARTYPE type, LONG lower, ULONG count) {
  return FailsNow()
             ? nullptr
             : reinterpret_cast<decltype(&CreateVector)>(realSafeArrayCreateVector)(type, lower, count);
}

struct Import {
  const char* dll;
  const char* function;
  void* replacement;
  void** real;
};
const Import kImports[] = {
    {"msvcrt.dll", "malloc", reinterpret_cast<void*>(&Malloc), &realMalloc},
    {"oleaut32.dll", "SysAllocStringLen", reinterpret_cast<void*>(&AllocString), &realSysAllocStringLen},
    {"oleaut32.dll", "SafeArrayCreateVector", reinterpret_cast<void*>(&CreateVector),
     &realSafeArrayCreateVector},
};

}  // namespace

AllocationFails::AllocationFails(const ProductModule& module, Allocator allocator, int after)
    : module_(module), allocator_(allocator) {
  const Import& import = kImports[static_cast<int>(allocator)];
  *import.real = PatchImport(module.handle(), import.dll, import.function, import.replacement);
  EXPECT_NE(*import.real, nullptr) << "the product does not import " << import.function << " from "
                                   << import.dll;
  allowed = after;
  failed = false;
}

AllocationFails::~AllocationFails() {
  const Import& import = kImports[static_cast<int>(allocator_)];
  allowed = -1;
  PatchImport(module_.handle(), import.dll, import.function, *import.real);
}

bool AllocationFails::Failed() const { return failed; }

}  // namespace geran::test
