// parameterPtr: the one parameter store of the module.
#include "parameters/parameter_store.h"

namespace geran {
namespace {

// Never freed: the store lives as long as the module, and nothing needs it torn down.
ParameterStore* parameterPtr = nullptr;

}  // namespace

ParameterStore* Parameters() { return parameterPtr; }

ParameterStore& detail::CreateParametersOnce() {
  if (parameterPtr == nullptr) parameterPtr = new ParameterStore;
  return *parameterPtr;
}

}  // namespace geran
