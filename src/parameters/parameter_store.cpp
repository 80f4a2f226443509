#include "parameters/parameter_store.h"

#include "api/module_state.h"

namespace geran {

ParameterStore* Parameters() { return State().parameters.get(); }

ParameterStore& detail::CreateParametersOnce() {
  std::unique_ptr<ParameterStore>& store = State().parameters;
  if (store == nullptr) store = std::make_unique<ParameterStore>();
  return *store;
}

}  // namespace geran
