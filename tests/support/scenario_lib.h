// The scenario library seen from a test: its call journal, and a fixture that resets it.
#pragma once

#include <GERANScenarioLib.h>
#include <GERANScenarioLibControl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace geran::test {

// The calls the scenario library recorded since its last reset, from index from on.
std::vector<std::string> ScenarioCalls(size_t from = 0);

// Resets the library before and after each test.
class ScenarioLibTest : public ::testing::Test {
 protected:
  void SetUp() override { ScenarioLib_Reset(); }
  void TearDown() override { ScenarioLib_Reset(); }
};

}  // namespace geran::test
