#include "parameters/parameter_store.h"

#include "api/module_state.h"

namespace geran {
namespace {

// Found as the build compiles: a name missing from the table is a null dereference, a build error.
constexpr const parameters::Field& kRxLevel = *parameters::FindNamed("RX Level");
constexpr const parameters::Field& kTxLevel = *parameters::FindNamed("TX Level");

}  // namespace

float ParameterStore::RxLevel() const { return Level(kRxLevel); }

float ParameterStore::TxLevel() const { return Level(kTxLevel); }

ParameterStore* Parameters() { return State().parameters.get(); }

ParameterStore& detail::CreateParametersOnce() {
  std::unique_ptr<ParameterStore>& store = State().parameters;
  if (store == nullptr) store = std::make_unique<ParameterStore>();
  return *store;
}

}  // namespace geran
