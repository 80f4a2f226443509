// The recording layer around the simulator's own objects: its stand-ins keep COM's rules. (What
// they journal and pass through is checked through the product, recorded and not.)
#include "sim_test.h"
#include "trace_files.h"

#include <recording/recording.h>

namespace geran::test {
namespace {

// A simulator test set behind the recording layer, journaling to a temporary file.
class RecordingTest : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    DWORD error = ERROR_SUCCESS;
    journal_ = recording::CallJournal::Create(std::wstring(path_.begin(), path_.end()), error);
    ASSERT_TRUE(journal_) << "cannot create the journal, error " << error;
    recorded_ = recording::Recorded(testSet_, journal_);
  }
  void TearDown() override {
    recorded_ = nullptr;
    journal_ = nullptr;
    DeleteFileA(path_.c_str());
    SimulatorTest::TearDown();
  }

  const std::string path_ = TempPath("recording_test.journal");
  std::shared_ptr<recording::CallJournal> journal_;
  TestSetApiPtr recorded_;
};

TEST_F(RecordingTest, StandInsKeepCountsAndIdentity) {
  IUnknownPtr unknown;
  ASSERT_EQ(Hex(recorded_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))), Hex(S_OK));
  EXPECT_EQ(unknown.GetInterfacePtr(), static_cast<IUnknown*>(recorded_.GetInterfacePtr()));
  IUnknownPtr other;
  EXPECT_EQ(Hex(recorded_->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other))),
            Hex(E_NOINTERFACE));
  UINT count = 0;
  EXPECT_EQ(Hex(recorded_->GetTypeInfoCount(&count)), Hex(S_OK));
  EXPECT_EQ(count, 1u);
  TestSetSim_SetValue(sim::value::kBerNullGetterGetBerMeasurement, 1);
  BerMeasurementPtr measurement;
  EXPECT_EQ(Hex(recorded_->GetBerMeasurement(&measurement)), Hex(S_OK));
  EXPECT_FALSE(measurement) << "no object to stand in for";
  TestSetSim_SetValue(sim::value::kBerNullGetterGetBerMeasurement, 0);
  EXPECT_EQ(Hex(recorded_->GetBerMeasurement(&measurement)), Hex(S_OK));
  EXPECT_EQ(TestSetSim_LiveObjects(), 2);
  measurement = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "releasing the stand-in releases the measurement";
  testSet_ = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 1) << "the stand-in holds the test set";
}

}  // namespace
}  // namespace geran::test
