// The host's export table against the product DLL and the header's prototypes.
#include "exports.h"
#include "product_module.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

TEST(Exports, AllFiftyResolveInOrdinalOrder) {
  const test::ProductModule module;
  ASSERT_EQ(Exports().size(), 50u);
  for (std::size_t i = 0; i < Exports().size(); ++i) {
    const Export& entry = Exports()[i];
    const FARPROC byOrdinal = GetProcAddress(module.handle(), MAKEINTRESOURCEA(i + 1));
    EXPECT_NE(byOrdinal, nullptr) << entry.symbol;
    EXPECT_EQ(module.Find(entry.symbol), byOrdinal) << entry.symbol << " is not ordinal " << i + 1;
  }
}

TEST(Exports, KindsComeFromThePrototypes) {
  const struct {
    const char* name;
    const char* signature;
  } cases[] = {
      {"Reset", "Reset()"},
      {"ChangeTxPower", "ChangeTxPower(float, int)"},
      {"GetLogFileName", "GetLogFileName(out char[], int)"},
      {"PutLogFileName", "PutLogFileName(const char*, int)"},
      {"GetAccessBurst", "GetAccessBurst(out int)"},
      {"SendPagingReq", "SendPagingReq(int, int, const int[], int, int)"},
      {"CipherMode", "CipherMode(int, int, int, const double[], int, const double[], int, int)"},
      {"GetParameter", "GetParameter(const char*, int, out int|char[], int)"},
      {"SetParameter", "SetParameter(const char*, int, const char*|int[], int)"},
      {"GetUpdatedBerResults", "GetUpdatedBerResults(int, int, int, int, int, int, int, int, int, int, int)"},
  };
  for (const auto& c : cases) {
    const Export* entry = FindExport(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(Signature(*entry), c.signature);
  }
}

TEST(Exports, FoundWithOrWithoutThePrefixAndNearestNameOtherwise) {
  EXPECT_EQ(FindExport("znGeranApiInterfaceDll_WaitTime"), FindExport("WaitTime"));
  EXPECT_EQ(FindExport("waittime"), nullptr);
  EXPECT_EQ(FindExport("znGeranApiInterfaceDll_"), nullptr);
  const struct {
    const char* name;
    const char* nearest;
  } cases[] = {
      {"waittime", "WaitTime"},
      {"StartBerTest", "StartBERTest"},
      {"ShiftRigth", "ShiftRight"},
      {"znGeranApiInterfaceDll_Rset", "Reset"},
      {"Hello", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestExportName(c.name), c.nearest) << c.name;
}

}  // namespace
}  // namespace geran::host
