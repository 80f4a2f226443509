// Every test-set call of the exports that make more than one fails in turn: StartBERTest (its 37
// getter calls a cycle above all), StartAuxSpeech and InitialiseSystem. Each failure is reported under
// the export's label, gives 0, calls nothing more and leaks no simulator object.
#include "failure_report.h"
#include "simulator.h"

#include <functional>
#include <map>

namespace geran::test {
namespace {

constexpr HRESULT kFault = E_FAIL;
constexpr const wchar_t* kDescription = L"injected at this position";

// The n-th call of a method within one export call.
struct Position {
  std::string method;
  int call;
  bool journaled;  // creation steps are not journaled and carry no error object
};

struct MultiCallExport {
  const char* name;
  const char* source;  // of the failure report
  const char* label;
  bool connected;  // called on a connection; otherwise it makes one
  std::function<int(const ProductModule&)> call;
  std::vector<Position> creationSteps;  // positions before the journaled calls
};

const MultiCallExport kExports[] = {
    {"StartBERTest",
     "src/measurement/ber_test.cpp",
     "znGeranApiInterfaceDll_StartBERTest",
     true,
     [](const ProductModule& module) { return GERAN_EXPORT(module, StartBERTest)(1, 3); },
     {}},
    {"StartAuxSpeech",
     "src/measurement/aux_speech.cpp",
     "Getchannel_req_msg",
     true,
     [](const ProductModule& module) { return GERAN_EXPORT(module, StartAuxSpeech)(2, 1); },
     {{sim::method::kAuxSpeechCreateInstance, 1, false}, {sim::method::kAuxSpeechQueryInterface, 1, false}}},
    {"InitialiseSystem",
     "src/testset/initialise_system.cpp",
     "initialiseRemoteAPI",
     false,
     [](const ProductModule& module) { return GERAN_EXPORT(module, InitialiseSystem)(); },
     {{sim::method::kCreateInstance, 1, false}, {sim::method::kQueryInterface, 1, false}}},
};

// Every journal entry as the n-th call of its method.
std::vector<Position> JournaledPositions(const std::vector<std::string>& calls) {
  std::map<std::string, int> seen;
  std::vector<Position> positions;
  for (const std::string& entry : calls) {
    const std::string method = entry.substr(0, entry.find('('));
    positions.push_back({method, ++seen[method], true});
  }
  return positions;
}

// The n-th call of a method as text, for comparisons that name both.
std::string Named(const Position& position) { return position.method + " #" + std::to_string(position.call); }

class FaultPositionsTest : public ProductTest {
 protected:
  // A fresh module and simulator state, connected when the export needs it.
  void Start(const MultiCallExport& e) {
    TestSetSim_Reset();
    Reload();
    if (e.connected) Connect();
  }

  // The export's calls in a run without faults, and the simulator objects alive after it.
  std::vector<std::string> CleanRun(const MultiCallExport& e, long& liveAfter) {
    Start(e);
    EXPECT_NE(e.call(module()), 0) << e.name << " without a fault";
    liveAfter = TestSetSim_LiveObjects();
    return Calls();
  }

  void FailAt(const MultiCallExport& e, const Position& at, const std::vector<std::string>& cleanCalls,
              long liveAfterClean) {
    Start(e);
    TestSetSim_FailCall(at.method.c_str(), at.call, kFault, kDescription, 1);
    StdoutCapture out;
    EXPECT_EQ(e.call(module()), 0);
    EXPECT_TRUE(IsFailureReport(out.Take(), e.source, e.label,
                                at.journaled ? "injected at this position" : MessageTextFor(kFault)));
    const std::vector<std::string> calls = Calls();
    if (at.journaled) {
      ASSERT_FALSE(calls.empty());
      EXPECT_EQ(Named(JournaledPositions(calls).back()), Named(at)) << "the failing call is the last one";
      EXPECT_EQ(calls, std::vector<std::string>(cleanCalls.begin(), cleanCalls.begin() + calls.size()))
          << "the calls up to the failing one are the clean run's";
    } else {
      EXPECT_TRUE(calls.empty()) << "nothing is called after a failed creation";
    }
    EXPECT_LE(TestSetSim_LiveObjects(), liveAfterClean) << "the failed call keeps no more than a clean one";
    Unload();
    EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "every object is released";
  }
};

TEST_F(FaultPositionsTest, EveryCallOfAMultiCallExportFailsInTurn) {
  for (const MultiCallExport& e : kExports) {
    long liveAfterClean = 0;
    const std::vector<std::string> cleanCalls = CleanRun(e, liveAfterClean);
    std::vector<Position> positions = e.creationSteps;
    for (const Position& position : JournaledPositions(cleanCalls)) positions.push_back(position);
    ASSERT_GT(positions.size(), 1u) << e.name << " makes more than one test-set call";
    for (const Position& at : positions) {
      SCOPED_TRACE(std::string(e.name) + " failing at " + Named(at));
      FailAt(e, at, cleanCalls, liveAfterClean);
    }
  }
}

}  // namespace
}  // namespace geran::test
