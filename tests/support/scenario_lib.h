// The scenario library seen from a test: its call journal, and a fixture that resets it.
#pragma once

#include "harness.h"

#include <GERANScenarioLib.h>
#include <GERANScenarioLibControl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace geran::test {

// The calls the scenario library recorded since its last reset, from index from on.
inline std::vector<std::string> ScenarioCalls(size_t from = 0) {
  return ReadEntries(ScenarioLib_CallCount, ScenarioLib_Call, static_cast<int>(from));
}

// Resets the library before and after each test.
class ScenarioLibTest : public ::testing::Test {
 protected:
  void SetUp() override { ScenarioLib_Reset(); }
  void TearDown() override { ScenarioLib_Reset(); }
};

}  // namespace geran::test
