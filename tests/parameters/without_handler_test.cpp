// The master load when ParameterHandler.dll cannot be loaded or lacks an entry point. This program
// runs from a folder of its own holding the product but no ParameterHandler.dll; beside it,
// fakes/without_<name>/ParameterHandler.dll lacks just that entry point. A module already loaded
// under the name ParameterHandler.dll is what the product's LoadLibraryW gets.
#include "parameter_test.h"

namespace geran::test {
namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, length);
  return program.substr(0, program.find_last_of('\\') + 1);
}

// The first count lines of text.
std::string FirstLines(const std::string& text, int count) {
  size_t end = 0;
  for (int line = 0; line < count; ++line) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

using WithoutHandler = ParameterTest;

TEST_F(WithoutHandler, MissingLibraryFailsTheLoadWithItsTwoLines) {
  ASSERT_EQ(GetFileAttributesA((ProgramFolder() + "ParameterHandler.dll").c_str()), INVALID_FILE_ATTRIBUTES);
  const Loaded loaded = Load("[GSM]\nRX Level = -60.5\n");
  EXPECT_EQ(loaded.result, 0);
  EXPECT_EQ(loaded.console, "");
  EXPECT_EQ(
      ReadFileBytes(kResult),
      OnDisk("Loading Library(TEXT(ParameterHandler.dll))\nERROR: unable to load ParameterHandler.dll\n"));
  EXPECT_EQ(Get("RX Level").result, 0) << "no store was created";
}

struct MissingEntryPoint {
  const char* name;
  int position;  // in binding order, from 0
};

void PrintTo(const MissingEntryPoint& missing, std::ostream* out) { *out << missing.name; }

class WithoutEntryPoint : public ParameterTest, public ::testing::WithParamInterface<MissingEntryPoint> {};

TEST_P(WithoutEntryPoint, BindingStopsAtTheFirstMissingOne) {
  const MissingEntryPoint missing = GetParam();
  const std::string fake = ProgramFolder() + "fakes\\without_" + missing.name + "\\ParameterHandler.dll";
  ASSERT_NE(LoadLibraryA(fake.c_str()), nullptr) << fake;
  const Loaded loaded = Load("[GSM]\nRX Level = -60.5\n");
  EXPECT_EQ(loaded.result, 0);
  EXPECT_EQ(loaded.console, "");
  // The lines a complete library gives, up to the missing one, which is traced as failed instead.
  EXPECT_EQ(ReadFileBytes(kResult), OnDisk(FirstLines(kBoundAndCalled, 1 + missing.position) + "Get Proc " +
                                           missing.name + " failed\n"));
  EXPECT_EQ(Get("RX Level").result, 0) << "no store was created";
}

INSTANTIATE_TEST_SUITE_P(EachEntryPoint, WithoutEntryPoint,
                         ::testing::Values(MissingEntryPoint{"registerParameterHandler", 0},
                                           MissingEntryPoint{"getParameterCount", 1},
                                           MissingEntryPoint{"getParameterValue", 2},
                                           MissingEntryPoint{"getParameterMap", 3},
                                           MissingEntryPoint{"setParameterValue", 4},
                                           MissingEntryPoint{"ApplyFromL3andNotifyGUI", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace geran::test
