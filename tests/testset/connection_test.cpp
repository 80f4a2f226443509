// The connection (InitialiseSystem), the plain command pattern (Reset) and failure reports.
#include "failure_report.h"
#include "simulator.h"

#include <olectl.h>

namespace geran::test {
namespace {

constexpr const char* kResetSource = "src/testset/reset.cpp";
constexpr const char* kInitialiseSource = "src/testset/initialise_system.cpp";

using InitialiseSystemTest = ProductTest;

TEST_F(InitialiseSystemTest, ConnectsTracesThenWaitsTenSeconds) {
  std::string traceAtWait;
  ProductModule::OnSleep([&](DWORD) { traceAtWait = ReadFileBytes(kTest12); });
  StdoutCapture out;
  EXPECT_EQ(GERAN_EXPORT(module(), InitialiseSystem)(), -1);
  EXPECT_EQ(out.Take(), "");
  EXPECT_EQ(ProductModule::Sleeps(), std::vector<DWORD>{10000});
  EXPECT_EQ(traceAtWait, OnDisk("Ortolan Instance Created Successfully\n")) << "traced before the wait";
  EXPECT_EQ(ReadFileBytes(kTest12), OnDisk("Ortolan Instance Created Successfully\n"));
}

TEST_F(InitialiseSystemTest, UnregisteredServerIsReportedWithoutTrace) {
  ASSERT_EQ(DllUnregisterServer(), S_OK);
  StdoutCapture out;
  const int result = GERAN_EXPORT(module(), InitialiseSystem)();
  ASSERT_EQ(DllRegisterServer(), S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(IsFailureReport(out.Take(), kInitialiseSource, "initialiseRemoteAPI",
                              MessageTextFor(REGDB_E_CLASSNOTREG)));
  EXPECT_FALSE(FileExists(kTest12));
  EXPECT_TRUE(ProductModule::Sleeps().empty());
}

TEST_F(InitialiseSystemTest, ObjectWithoutTheInterfaceLeavesNoConnection) {
  TestSetSim_FailMethod(sim::method::kQueryInterface, E_NOINTERFACE, nullptr, 1);
  StdoutCapture out;
  EXPECT_EQ(GERAN_EXPORT(module(), InitialiseSystem)(), 0);
  EXPECT_EQ(out.Take(), "Ortolan Instance Creation Failed\n");
  EXPECT_EQ(ReadFileBytes(kTest12), OnDisk("Ortolan Instance Creation Failed\n"));
  EXPECT_TRUE(ProductModule::Sleeps().empty());
}

using ResetTest = ProductTest;

// The system's text loses its line end; where it has none, the fallback stands in.
TEST_F(ResetTest, FailureReportFallsBackToTheMessageText) {
  const struct {
    HRESULT hr;
    const char* fallback;  // what the report shows where the system has no text for hr
  } cases[] = {{static_cast<HRESULT>(0x80040201), "IDispatch error #1"},
               {static_cast<HRESULT>(0x80040200), "Unknown error 0x80040200"},
               {E_ACCESSDENIED, "Unknown error 0x80070005"}};
  Connect();
  for (const auto& c : cases) {
    TestSetSim_FailMethod(sim::method::kReset, c.hr, nullptr, 1);
    StdoutCapture out;
    EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), 0);
    const std::optional<std::string> systemText = SystemText(c.hr);
    const std::string expected = systemText ? *systemText : c.fallback;
    EXPECT_TRUE(IsFailureReport(out.Take(), kResetSource, "Reset", expected)) << std::hex << c.hr;
  }
}

}  // namespace
}  // namespace geran::test
