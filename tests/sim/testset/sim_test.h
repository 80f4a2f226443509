// The simulator driven straight through COM: a fixture with a fresh test set, and value helpers.
#pragma once

#include <simulator.h>

#include <TestSetApi.h>
#include <comdef.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <com_pointers.h>

namespace geran::test {

// An HRESULT as gtest should print it: "0x80004005".
std::string Hex(HRESULT hr);

// A VT_ARRAY | VT_UI1 VARIANT holding bytes (lower bound 0).
_variant_t Bytes(const std::vector<BYTE>& bytes);
// A VARIANT of the given type with zeroed data (VT_INT 5 and the like set their value after).
_variant_t OfType(VARTYPE type);

// COM initialised, an empty simulator and one test set; at the end every object must be gone.
class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Releases the fixture's test set (TearDown then checks that nothing else is alive).
  void DropTestSet() { testSet_ = nullptr; }

  TestSetApiPtr testSet_;
};

}  // namespace geran::test
