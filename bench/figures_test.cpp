#include "figures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace geran::bench {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString("C:\\Test12.txt"), "\"C:\\\\Test12.txt\"");
  EXPECT_EQ(JsonString("say \"hi\""), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(JsonString("a\nb"), "\"a\\u000ab\"");
}

TEST(FiguresWriteJson, AMissingFigureIsNullWithItsNote) {
  Figures figures;
  figures.Add({"call cost", "VoiceLoop", {}, "ns/call", {}, {}, "< 2x", {}, "not written yet"});
  figures.Add({"memory", "live objects", 0.0, "objects", {}, {}, "= 0", true, ""});
  *figures.LocalServerOf("memory", "live objects") = 2.5;
  ASSERT_TRUE(figures.WriteJson("figures_test.json", "here"));
  std::ifstream file("figures_test.json");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("\"item\": \"VoiceLoop\", \"value\": null"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("\"value\": 0, \"unit\": \"objects\""), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("\"local_server\": null, \"target\": \"< 2x\""), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("\"local_server\": 2.5, \"target\": \"= 0\", \"met\": true"), std::string::npos)
      << text.str();
  file.close();
  std::remove("figures_test.json");
}

}  // namespace
}  // namespace geran::bench
