// Test entry point: registers the test-set simulator in the Wine prefix, then runs the tests.
#include <gtest/gtest.h>

#include <windows.h>

#ifdef GERAN_WITH_SIMULATOR
#include <olectl.h>
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef GERAN_WITH_SIMULATOR
  if (FAILED(DllRegisterServer())) {
    std::fprintf(stderr, "cannot register TestSetSimulator.dll\n");
    return 2;
  }
#endif
  return RUN_ALL_TESTS();
}
