// The names under which the product's exports can be found.
#include "product_module.h"

#include <gtest/gtest.h>

namespace geran::test {
namespace {

TEST(ExportNames, RemoteConnectionSetIsFoundOnlyByItsDecoratedName) {
  ProductModule module;
  EXPECT_NE(module.Find("_znGeranApiInterfaceDll_RemoteConnection_Set@4"), nullptr);
  EXPECT_EQ(module.Find("znGeranApiInterfaceDll_RemoteConnection_Set"), nullptr);
  EXPECT_EQ(module.Find("znGeranApiInterfaceDll_RemoteConnection_Set@4"), nullptr);
}

TEST(ExportNames, ThreeStubNamesShareOneBody) {
  ProductModule module;
  const FARPROC setSystemMode = module.Find("znGeranApiInterfaceDll_SetSystemMode");
  ASSERT_NE(setSystemMode, nullptr);
  EXPECT_EQ(module.Find("znGeranApiInterfaceDll_GetServerVersion"), setSystemMode);
  EXPECT_EQ(module.Find("_znGeranApiInterfaceDll_RemoteConnection_Set@4"), setSystemMode);
}

TEST(ExportNames, EveryOrdinalFrom1To50ResolvesAndNoneBeyond) {
  ProductModule module;
  for (WORD ordinal = 1; ordinal <= 50; ++ordinal)
    EXPECT_NE(GetProcAddress(module.handle(), MAKEINTRESOURCEA(ordinal)), nullptr) << "ordinal " << ordinal;
  EXPECT_EQ(GetProcAddress(module.handle(), MAKEINTRESOURCEA(51)), nullptr);
  EXPECT_EQ(GetProcAddress(module.handle(), MAKEINTRESOURCEA(1)),
            module.Find("znGeranApiInterfaceDll_AttachAuxSpeech"));
  EXPECT_EQ(GetProcAddress(module.handle(), MAKEINTRESOURCEA(50)),
            module.Find("znGeranApiInterfaceDll_WaitTime"));
}

}  // namespace
}  // namespace geran::test
