// StopBERTest and GetUpdatedBerResults.
#include "failure_report.h"
#include "simulator.h"

#include <iterator>

namespace geran::test {
namespace {

constexpr const char* kBerResultsSource = "src/measurement/ber_results.cpp";

class BerResultsTest : public ProductTest {
 protected:
  int Stop(int berSelector) { return GERAN_EXPORT(module(), StopBERTest)(berSelector); }
  int Results() { return GERAN_EXPORT(module(), GetUpdatedBerResults)(-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9); }
};

TEST_F(BerResultsTest, StopBerTestAnswersWhatTheTestSetMakesOfIt) {
  const struct {
    HRESULT hr;  // 0: no fault injected
    int result;
    const char* trace;
  } cases[] = {{0, -1, "znGeranApiInterfaceDll_StopBERTest Successfull\n"},
               {S_FALSE, -1, "znGeranApiInterfaceDll_StopBERTest Successfull\n"},
               {E_FAIL, 0, "znGeranApiInterfaceDll_StopBERTest Faied with hr = -2147467259\n"}};
  Connect();
  for (const auto& c : cases) {
    RemoveTraceFiles();
    TestSetSim_FailMethod("StopBer", c.hr, L"no BER test running", 1);
    StdoutCapture out;
    EXPECT_EQ(Stop(-3), c.result) << std::hex << c.hr;
    const std::string output = out.Take();
    if (c.result == 0) {
      EXPECT_TRUE(IsFailureReport(output, kBerResultsSource, "znGeranApiInterfaceDll_StopBERTest",
                                  "no BER test running"));
    } else {
      EXPECT_EQ(output, "");
    }
    EXPECT_EQ(Calls().back(), "StopBer(-3)");
    EXPECT_EQ(ReadFileBytes(kTest12), OnDisk(c.trace)) << std::hex << c.hr;
  }
  EXPECT_EQ(Calls().size(), std::size(cases));
}

TEST_F(BerResultsTest, StopBerTestWithoutConnectionDoesNothing) {
  StdoutCapture out;
  EXPECT_EQ(Stop(1), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_TRUE(Journal().empty());
  EXPECT_FALSE(FileExists(kTest12));
}

TEST_F(BerResultsTest, GetUpdatedBerResultsTracesACountOfZeroBeforeAnyRunWithoutConnection) {
  StdoutCapture out;
  EXPECT_EQ(Results(), 0);
  EXPECT_EQ(out.Take(), "");
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(ReadFileBytes(kTest12),
            OnDisk("znGeranApiInterfaceDll_GetUpdatedBerResults Successfull\n"
                   "znGeranApiInterfaceDll_GetUpdatedBerResults frameErasureCount: 0\n"));
}

}  // namespace
}  // namespace geran::test
