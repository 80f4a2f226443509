// Test entry point: ties the processes a test starts to this one, registers the test-set simulator
// in the Wine prefix, then runs the tests.
#include <gtest/gtest.h>

#include <win32/handles.h>
#include <windows.h>

#include <olectl.h>  // DllRegisterServer, which the simulator exports

namespace {

// Every process started from here (geranhost, a child test program, the simulator's local server,
// which COM starts from its client) joins this process's job. If this process is killed (ctest's
// time-out), its handle to the job closes and the job ends them all, so a hung run leaves nothing
// behind. A program that ends normally lets them go first: a local server ends by itself after its
// last client, and one killed outright leaves COM a dead server to connect the next client to. A
// test program started by another is in that one's job already, and leaves its server to it.
class ChildrenEndWithThisProcess {
 public:
  ChildrenEndWithThisProcess() {
    BOOL inJob = FALSE;
    if (!IsProcessInJob(GetCurrentProcess(), nullptr, &inJob)) return;
    tied_ = inJob;
    if (inJob) return;
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    tied_ = job_ != nullptr && Limit(JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE) &&
            AssignProcessToJobObject(job_.get(), GetCurrentProcess());
  }
  ~ChildrenEndWithThisProcess() {
    if (job_ != nullptr) Limit(0);
  }

  bool tied() const { return tied_; }

 private:
  bool Limit(DWORD flags) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = flags;
    return SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }

  geran::Handle job_;
  bool tied_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const ChildrenEndWithThisProcess children;
  if (!children.tied()) {
    std::fprintf(stderr, "cannot put this test program in a job object: error %lu\n", GetLastError());
    return 2;
  }
  if (FAILED(DllRegisterServer())) {
    std::fprintf(stderr, "cannot register TestSetSimulator.dll\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
