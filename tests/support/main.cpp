// Test entry point: registers the test-set simulator in the Wine prefix, then runs the tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <olectl.h>  // DllRegisterServer, which the simulator exports

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(DllRegisterServer())) {
    std::fprintf(stderr, "cannot register TestSetSimulator.dll\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
