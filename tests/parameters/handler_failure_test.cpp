// A master load whose ParameterHandler.dll answers with a failure: 0, its trace, the store untouched.
#include "parameter_test.h"

namespace geran::test {
namespace {

using HandlerFailure = ParameterTest;

TEST_F(HandlerFailure, EachAnswerTracesItsLineAndLeavesTheStore) {
  const struct {
    const char* master;
    std::string answer;
  } cases[] = {
      {"[GSM]\nRX Level -70\n", "getParameterMap returned retCode : 3\n"},
      {"RX Level = -70\n", "getParameterMap returned retCode : 4\n"},
      {"[GSM]\nRX Level = -70\nRX Level = -71\n", "getParameterMap returned retCode : 5\n"},
      {"; nothing but a comment\n", "Parameter Map returned failure\n"},
  };
  ASSERT_EQ(LoadResult("[GSM]\nRX Level = -60.5\n"), -1);
  for (const auto& c : cases) {
    StdoutCapture errors(2);  // the handler's own message is its business, not the product's output
    const Loaded loaded = Load(c.master);
    EXPECT_EQ(loaded.result, 0) << c.master;
    EXPECT_EQ(loaded.console, "") << c.master;
    EXPECT_EQ(ReadFileBytes(kResult), OnDisk(kBoundAndCalled + c.answer)) << c.master;
    EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-60.500000"))) << c.master;
  }
}

TEST_F(HandlerFailure, FailedFirstLoadCreatesNoStore) {
  StdoutCapture errors(2);
  ASSERT_EQ(LoadResult(""), 0);
  EXPECT_EQ(Get("RX Level").result, 0);
  EXPECT_EQ(SetText("RX Level", "-60"), 0);
}

}  // namespace
}  // namespace geran::test
