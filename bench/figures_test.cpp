#include "figures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace geran::bench {
namespace {

// A figure not measured is null with its note, the local server's column null unless measured, and
// text is escaped as JSON needs.
TEST(FiguresWriteJson, AMissingFigureIsNullWithItsNote) {
  Figures figures;
  figures.Add({"call cost", "Voice\"Loop\"", {}, "ns/call", {}, {}, "< 2x", {}, "not in C:\\x\n"});
  figures.Add({"memory", "live objects", 0.0, "objects", {}, {}, "= 0", true, ""});
  *figures.LocalServerOf("memory", "live objects") = 2.5;
  ASSERT_TRUE(figures.WriteJson("figures_test.json", "here"));
  std::stringstream text;
  text << std::ifstream("figures_test.json").rdbuf();
  std::remove("figures_test.json");
  for (const char* expected :
       {"\"item\": \"Voice\\\"Loop\\\"\", \"value\": null", "\"local_server\": null, \"target\": \"< 2x\"",
        "\"note\": \"not in C:\\\\x\\u000a\"", "\"value\": 0, \"unit\": \"objects\"",
        "\"local_server\": 2.5, \"target\": \"= 0\", \"met\": true"})
    EXPECT_NE(text.str().find(expected), std::string::npos) << expected << " in\n" << text.str();
}

}  // namespace
}  // namespace geran::bench
