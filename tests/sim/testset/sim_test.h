// The simulator driven straight through COM: a fixture with a fresh test set, and value helpers.
#pragma once

#include <com_pointers.h>  // the type library's interfaces and their smart pointers
#include <simulator.h>     // the control API, gtest and Journal()

#include <cstdio>

namespace geran::test {

// An HRESULT as gtest should print it: "0x80004005".
inline std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// COM initialised, an empty simulator and one test set; at the end every simulator object must be gone.
class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Hex(CoInitialize(nullptr)), Hex(S_OK));
    TestSetSim_Reset();
    ASSERT_EQ(Hex(testSet_.CreateInstance(CLSID_TestSetObject)), Hex(S_OK));
  }
  void TearDown() override {
    testSet_ = nullptr;
    EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "simulator objects left alive";
    CoUninitialize();
  }

  TestSetApiPtr testSet_;
};

}  // namespace geran::test
