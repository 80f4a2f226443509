// Each way binding ParameterHandler.dll or its answer fails. This program runs from a folder of its own
// holding the product but no ParameterHandler.dll; fakes/<folder>/ParameterHandler.dll beside it is the
// complete library or one lacking a single entry point. A module already loaded under that name is
// what the product's LoadLibraryW gets, so each case runs in a process of its own.
#include "parameter_test.h"

namespace geran::test {
namespace {

struct HandlerFailure {
  const char* library;  // the fakes\ folder whose ParameterHandler.dll is loaded first; "": none
  const char* master;
  int bound;            // the lines of kBoundAndCalled before the failure's own line
  const char* failure;  // that line
};

const char* const kGood = "[GSM]\nRX Level = -70\n";
const HandlerFailure kFailures[] = {
    {"", kGood, 1, "ERROR: unable to load ParameterHandler.dll\n"},
    {"without_registerParameterHandler", kGood, 1, "Get Proc registerParameterHandler failed\n"},
    {"without_ApplyFromL3andNotifyGUI", kGood, 6, "Get Proc ApplyFromL3andNotifyGUI failed\n"},
    {"complete", "[GSM]\nRX Level -70\n", 9, "getParameterMap returned retCode : 3\n"},
    {"complete", "; nothing but a comment\n", 9, "Parameter Map returned failure\n"},
};

void PrintTo(const HandlerFailure& c, std::ostream* out) { *out << c.library << " " << c.master; }

class WithoutHandler : public ParameterTest, public ::testing::WithParamInterface<HandlerFailure> {};

TEST_P(WithoutHandler, LoadGives0TracesUpToTheFailureAndLeavesTheStore) {
  const HandlerFailure& c = GetParam();
  char program[MAX_PATH];
  const std::string path(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
  const std::string library = c.library, folder = path.substr(0, path.find_last_of('\\') + 1);
  if (!library.empty()) {
    ASSERT_NE(LoadLibraryA((folder + "fakes\\" + library + "\\ParameterHandler.dll").c_str()), nullptr);
  }
  if (library == "complete") {  // a first load succeeds; without one there is no store to keep
    ASSERT_EQ(Load("[GSM]\nRX Level = -60.5\n").result, -1);
  }
  const Got before = Get("RX Level");
  const Loaded loaded = Load(c.master);
  EXPECT_EQ(loaded.result, 0);
  EXPECT_EQ(loaded.console, "");
  size_t end = 0;
  for (int line = 0; line < c.bound; ++line) end = kBoundAndCalled.find('\n', end) + 1;
  EXPECT_EQ(ReadFileBytes(kResult), OnDisk(kBoundAndCalled.substr(0, end) + c.failure));
  EXPECT_EQ(Get("RX Level").result, before.result);
  EXPECT_EQ(Get("RX Level").buffer, before.buffer);
  EXPECT_EQ(SetText("RX Level", "-1"), before.result);
}

INSTANTIATE_TEST_SUITE_P(EachFailure, WithoutHandler, ::testing::ValuesIn(kFailures), [](const auto& info) {
  return std::to_string(info.index) + "_" + (*info.param.library ? info.param.library : "no_library");
});

}  // namespace
}  // namespace geran::test
