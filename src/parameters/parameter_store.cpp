#include "parameters/parameter_store.h"

#include <memory>

namespace geran {
namespace {

// Made by the first master parameter load that got a parameter list (on the heap: running out of
// memory there fails that load); freed with the module.
std::unique_ptr<ParameterStore> moduleStore;

// Found as the build compiles: a name missing from the table is a null dereference, a build error.
constexpr const parameters::Field& kRxLevel = *parameters::FindNamed("RX Level");
constexpr const parameters::Field& kTxLevel = *parameters::FindNamed("TX Level");

}  // namespace

float ParameterStore::RxLevel() const { return Level(kRxLevel); }

float ParameterStore::TxLevel() const { return Level(kTxLevel); }

ParameterStore* Parameters() { return moduleStore.get(); }

ParameterStore& detail::CreateParametersOnce() {
  if (moduleStore == nullptr) moduleStore = std::make_unique<ParameterStore>();
  return *moduleStore;
}

}  // namespace geran
