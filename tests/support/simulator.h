// The test-set simulator seen from a test: its journal, and a fixture that checks for leaks.
#pragma once

#include "product_module.h"
#include "stdout_capture.h"
#include "trace_files.h"

#include <TestSetSim.h>
#include <TestSetSimNames.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace geran::test {

// The failure the tables inject: a code without a system text ("IDispatch error #7"), so a report
// shows the server's description, or the fallback when there is none.
constexpr HRESULT kRefused = static_cast<HRESULT>(0x80040207);

// The simulator's journal entries from index from on.
std::vector<std::string> Journal(size_t from = 0);

// What one export call did, from no trace files and the journal's end: its result, the calls the
// test set received, its standard output and the trace files it left.
struct CallEffect {
  int result = 0;
  std::vector<std::string> calls;
  std::string out, test12, remoteApi, callBox;
};
CallEffect ObserveCall(const std::function<int()>& call);

// A test with a fresh product module, an empty journal, no trace files and no faults; at the
// end the module is unloaded and the simulator must have no object left alive.
class ProductTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const ProductModule& module() const { return *module_; }
  // InitialiseSystem, which must succeed; the journal and trace files start empty afterwards.
  void Connect();
  // Journal entries since Connect (all of them without it).
  std::vector<std::string> Calls() const;
  // Unloads the product now (TearDown's check then sees the objects it released).
  void Unload() { module_.reset(); }
  // Unloads the product, then loads it afresh: no connection, nothing kept from before.
  void Reload();

 private:
  std::optional<ProductModule> module_;
  size_t journalMark_ = 0;
};

}  // namespace geran::test
