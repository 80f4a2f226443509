// Replacing a function a loaded module imports: how the tests, the benchmarks and geranhost's
// --no-connect-wait take the product's Sleep out without a switch in the product.
#pragma once

#include <windows.h>

namespace geran {

// Replaces one imported function of a module; returns the previous address or nullptr.
void* PatchImport(HMODULE module, const char* dllName, const char* function, void* replacement);

}  // namespace geran
