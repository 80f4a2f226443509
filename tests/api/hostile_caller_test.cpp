// Every export called as a careless or hostile caller would: each pointer null, each count and
// length at INT_MIN, -1, 0, 1 and INT_MAX (with a small real buffer), unconnected and connected.
// Each call gives its documented result and output, the process survives, the test set receives
// only well-formed calls, and no simulator object outlives the module (the fixture's check).
#include "allocation_failure.h"
#include "failure_report.h"
#include "scenario_lib.h"
#include "simulator.h"
#include "temp_master_file.h"

#include <export_list.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>
#include <utility>

namespace geran::test {
namespace {

// What one call must give: its result, the calls the test set and the scenario library receive,
// and its standard output: out, followed by the failure report for hr under label if one is named.
struct Effect {
  int result;
  std::vector<std::string> calls = {};
  const char* label = nullptr;
  std::string out = "";
  std::vector<std::string> scenario = {};
  HRESULT hr = E_POINTER;  // without a connection, the test set cannot be reached
};

using Invoke = std::function<int(const ProductModule& m)>;

struct Case {
  std::string what;
  Invoke invoke;
  std::optional<Effect> unconnected;  // none: the call would connect
  Effect connected;
};

// One export: its hostile calls in the order made, and the file that writes its failure reports.
struct Export {
  const char* name;
  std::vector<Case> cases;
  const char* source = "";  // none: the export writes no failure report in these calls
};
void PrintTo(const Export& row, std::ostream* os) { *os << row.name; }

// The effect that does not depend on the connection: the export ignores it, or refuses first.
Case Same(std::string what, Invoke invoke, const Effect& effect) {
  return {std::move(what), std::move(invoke), effect, effect};
}
// Refused without a connection; with one, what connected says.
Case Connected(std::string what, Invoke invoke, Effect connected) {
  return {std::move(what), std::move(invoke), Effect{0}, std::move(connected)};
}
// Refused without a connection, and with one the test set receives call.
Case Plain(std::string what, Invoke invoke, const std::string& call) {
  return Connected(std::move(what), std::move(invoke), {-1, {call}});
}

constexpr const char* kAccess = "src/cell/access_and_paging.cpp";
constexpr const char* kDedicated = "src/cell/dedicated_channel.cpp";
constexpr const char* kGeneral = "src/testset/general_commands.cpp";

// The real buffers behind the pointers: small, so INT_MAX runs far past them.
const int kInts[] = {7, 8, 9};
const double kDoubles[] = {7.0, 8.0, 9.0};
char logBuffer[16];
char valueBuffer[ZNGERAN_LEVEL_TEXT_SIZE];
constexpr const wchar_t* kLogFileName = L"hostile.log";
constexpr long kShiftAnswer = INT_MIN;
constexpr const char* kLevelsFile = "[GSM]\nRX Level = -60.5\nTX Level = -50.25\n";

using ArrayInvoke = int (*)(const ProductModule& m, bool real, int count);
#define ARRAY_CALL(Name, elements, ...)            \
  [](const ProductModule& m, bool real, int n) {   \
    const auto* array = real ? elements : nullptr; \
    return GERAN_EXPORT(m, Name)(__VA_ARGS__);     \
  }

// What a count of 0, or one below 0, does: stop the export, or send an empty list.
enum class BelowOne { kRefused, kEmptyList };

std::string Replaced(std::string text, const std::string& name, const std::string& value) {
  const size_t at = text.find(name);
  return at == std::string::npos ? text : text.replace(at, name.size(), value);
}

// Counts of 0 or less keep the count rule whatever the array; a positive count needs a real array
// that holds it: 1 sends the array's first byte, INT_MAX is refused like a null array. call is what
// the test set receives, with "{n}" and "{list}" for the list sent; unconnectedSend is the effect
// where the export would send but there is no connection.
std::vector<Case> ArrayCases(const char* what, ArrayInvoke invoke, const std::string& call, BelowOne atZero,
                             BelowOne belowZero, const Effect& unconnectedSend) {
  const auto sent = [&](const char* n, const char* list) {
    return std::pair<Effect, Effect>{unconnectedSend,
                                     Effect{-1, {Replaced(Replaced(call, "{n}", n), "{list}", list)}}};
  };
  const std::pair<Effect, Effect> refused{Effect{0}, Effect{0}};
  const auto belowOne = [&](BelowOne rule) { return rule == BelowOne::kRefused ? refused : sent("0", "[]"); };
  std::vector<Case> cases;
  for (const bool real : {false, true}) {
    const std::pair<int, std::pair<Effect, Effect>> counts[] = {{INT_MIN, belowOne(belowZero)},
                                                                {-1, belowOne(belowZero)},
                                                                {0, belowOne(atZero)},
                                                                {1, real ? sent("1", "[7]") : refused},
                                                                {INT_MAX, refused}};
    for (const auto& [count, effects] : counts) {
      const int n = count;
      cases.push_back({std::string(what) + (real ? " real" : " null") + ", count " + std::to_string(n),
                       [invoke, real, n](const ProductModule& m) { return invoke(m, real, n); },
                       effects.first, effects.second});
    }
  }
  return cases;
}

std::vector<Case> Joined(std::vector<Case> first, const std::vector<Case>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// All 50 exports, in the export list's order.
std::vector<Export> Exports() {
  const char* const kWords = "INT_MIN, INT_MAX, -1";
  return {
      {"AttachAuxSpeech", {Same("no aux speech object", GERAN_CALL(AttachAuxSpeech, INT_MIN), {0})}},
      {"CallboxMode_StartStop",
       {Same("INT_MIN", GERAN_CALL(CallboxMode_StartStop, INT_MIN),
             {0, {}, nullptr, "", {"CallboxMode_StartStop(-2147483648)"}})}},
      {"ChangeMSPower",
       {Plain(kWords, GERAN_CALL(ChangeMSPower, INT_MIN, INT_MAX),
              "ChangeMSPower(-2147483648, 2147483647)")}},
      {"ChangeTimingAdvance",
       {Plain(kWords, GERAN_CALL(ChangeTimingAdvance, INT_MIN, INT_MAX),
              "ChangeTimingAdvance(-2147483648, 2147483647)")}},
      {"ChangeTxPower",
       {Plain("-0.0, INT_MIN", GERAN_CALL(ChangeTxPower, -0.0f, INT_MIN), "ChangeTxPower(-0, -2147483648)")}},
      {"CipherMode",
       Joined(ArrayCases("key", ARRAY_CALL(CipherMode, kDoubles, 1, 2, 3, array, n, kDoubles, 2, 9),
                         "CipherMode(1, 2, 3, {list}, [7,8], 1, 9)", BelowOne::kRefused, BelowOne::kEmptyList,
                         {0, {}, "CipherMode"}),
              ArrayCases("rand", ARRAY_CALL(CipherMode, kDoubles, 1, 2, 3, kDoubles, 3, array, n, 9),
                         "CipherMode(1, 2, 3, [7,8,9], {list}, 1, 9)", BelowOne::kRefused,
                         BelowOne::kEmptyList, {0, {}, "CipherMode"})),
       kDedicated},
      {"ConfigCch",
       {Plain(kWords,
              GERAN_CALL(ConfigCch, INT_MIN, INT_MAX, INT_MIN, -1, INT_MAX, INT_MIN, 0, INT_MIN, INT_MAX, -1),
              "ConfigCch(-2147483648, -60.5, -50.25, 2147483647, 1, [0], -1, 2147483647, -2147483648, 0, 0, "
              "2147483647, -1)")}},
      {"DisableCch", {Plain(kWords, GERAN_CALL(DisableCch, INT_MIN), "DisableCch(-2147483648)")}},
      {"DisableTrafficMultiframe",
       {Plain(kWords, GERAN_CALL(DisableTrafficMultiframe, INT_MIN),
              "DisableTrafficMultiframe(-2147483648)")}},
      {"DisableVoiceSend",
       {Plain(kWords, GERAN_CALL(DisableVoiceSend, INT_MIN), "DisableVoiceSend(-2147483648)")}},
      {"EnableTrafficMultiframe",
       {{kWords,
         GERAN_CALL(EnableTrafficMultiframe, INT_MIN, INT_MAX, -1, INT_MIN, INT_MAX, -1, INT_MIN, INT_MAX, -1,
                    INT_MIN, INT_MAX, -1),
         Effect{0, {}, "EnableTrafficMultiframe"},
         {-1,
          {"EnableTrafficMultiframe(-60.5, -50.25, -2147483648, 1, [255], -1, -2147483648, 2147483647, -1, "
           "-2147483648, 2147483647, -1, -2147483648, 2147483647, -1)"}}}},
       kDedicated},
      {"EnableVoiceSend",
       ArrayCases("speech", ARRAY_CALL(EnableVoiceSend, kDoubles, 1, array, n, 4),
                  "EnableVoiceSend(1, {n}, {list}, 4)", BelowOne::kRefused, BelowOne::kRefused, {0})},
      {"GetAccessBurst", {Same("null", GERAN_CALL(GetAccessBurst, nullptr), {0})}},
      {"GetErrorMsg", {Same("null, INT_MIN, -1", GERAN_CALL(GetErrorMsg, 0, INT_MIN, -1), {-1})}},
      {"GetErrorMsgLength", {Same("null, INT_MIN", GERAN_CALL(GetErrorMsgLength, 0, INT_MIN), {-1})}},
      {"GetLogFileName",
       {Same("null, 16", GERAN_CALL(GetLogFileName, nullptr, 16), {0}),
        Same("buffer, INT_MIN", GERAN_CALL(GetLogFileName, logBuffer, INT_MIN), {0}),
        Same("buffer, 0", GERAN_CALL(GetLogFileName, logBuffer, 0), {0}),
        Connected("buffer, 11 (the name does not fit with its NUL)",
                  GERAN_CALL(GetLogFileName, logBuffer, 11), {0, {"get_LogFileName()"}}),
        Connected("buffer, INT_MAX", GERAN_CALL(GetLogFileName, logBuffer, INT_MAX),
                  {-1, {"get_LogFileName()"}})}},
      {"GetParameter",
       {Same("null name", GERAN_CALL(GetParameter, nullptr, 0, valueBuffer, 0), {0}),
        Same("null value", GERAN_CALL(GetParameter, "RX Level", INT_MIN, nullptr, INT_MAX), {0}),
        Same("ignored words at INT_MIN, INT_MAX",
             GERAN_CALL(GetParameter, "RX Level", INT_MIN, valueBuffer, INT_MAX), {-1})}},
      {"GetServerVersion", {Same("null", GERAN_CALL(GetServerVersion, 0), {-1})}},
      {"GetUpdatedBerResults",
       {Same("null and INT_MIN words",
             GERAN_CALL(GetUpdatedBerResults, 0, INT_MIN, 0, INT_MIN, 0, INT_MIN, 0, INT_MIN, 0, INT_MIN, 0),
             {0})}},
      {"GetchannelRequestMsg", {Same("null", GERAN_CALL(GetchannelRequestMsg, nullptr), {0})}},
      {"Initialise", {Same(kWords, GERAN_CALL(Initialise, INT_MIN, INT_MAX, -1, 0), {-1})}},
      {"InitialiseSystem", {{"a second time", GERAN_CALL(InitialiseSystem), std::nullopt, {0}}}},
      {"LoadMasterParameterFile",
       {Same("ignored words at INT_MIN, INT_MAX", GERAN_CALL(LoadMasterParameterFile, INT_MIN, INT_MAX),
             {-1})}},
      {"PutKeywordTimeout",
       {Plain("INT_MIN", GERAN_CALL(PutKeywordTimeout, INT_MIN), "put_KeywordTimeout(-2147483648)"),
        Same("0", GERAN_CALL(PutKeywordTimeout, 0), {0})}},
      {"PutLogFileName",
       {Same("null, 8", GERAN_CALL(PutLogFileName, nullptr, 8), {0}),
        Same("name, INT_MIN", GERAN_CALL(PutLogFileName, "run.log", INT_MIN), {0}),
        Same("name, 0", GERAN_CALL(PutLogFileName, "run.log", 0), {0}),
        {"name, 1",
         GERAN_CALL(PutLogFileName, "run.log", 1),
         Effect{0, {}, "put_LogFileName"},
         {-1, {"put_LogFileName(\"run.log\")"}}},
        {"name, INT_MAX",
         GERAN_CALL(PutLogFileName, "run.log", INT_MAX),
         Effect{0, {}, "put_LogFileName"},
         {-1, {"put_LogFileName(\"run.log\")"}}}},
       kGeneral},
      {"QueryFrameNumber", {Same("null", GERAN_CALL(QueryFrameNumber, nullptr), {0})}},
      {"ReleaseAuxSpeech", {Same("no aux speech object", GERAN_CALL(ReleaseAuxSpeech), {0})}},
      {"ReleaseL2Link",
       {Plain(kWords, GERAN_CALL(ReleaseL2Link, INT_MIN, INT_MAX, -1, 0),
              "ReleaseL2Link(-2147483648, 2147483647, -1, 0)")}},
      {"RemoteConnection_Set", {Same("null", GERAN_CALL(RemoteConnection_Set, 0), {-1})}},
      {"Reset", {Plain("no arguments", GERAN_CALL(Reset), "Reset()")}},
      {"RunTestScenario",
       {Same("null, run", GERAN_CALL(RunTestScenario, INT_MIN, nullptr, 1), {0}),
        Same("null, run flag INT_MIN", GERAN_CALL(RunTestScenario, 0, nullptr, INT_MIN), {0}),
        Same("null, not run", GERAN_CALL(RunTestScenario, INT_MAX, nullptr, 0), {-1}),
        Same("empty script, run flag INT_MIN", GERAN_CALL(RunTestScenario, INT_MIN, "", INT_MIN),
             {-1, {}, nullptr, "", {"RunTestScript(\"\", 4, 1)"}})}},
      {"SelectRadioSystem",
       {Plain("INT_MIN", GERAN_CALL(SelectRadioSystem, INT_MIN), "SelectRadioSystem(-2147483648)")}},
      {"SendMsg", ArrayCases("bytes", ARRAY_CALL(SendMsg, kInts, 1, 2, array, n, 4),
                             "SendMsg(1, 2, {n}, {list}, 4)", BelowOne::kRefused, BelowOne::kRefused, {0})},
      {"SendPagingReq",
       ArrayCases("bytes", ARRAY_CALL(SendPagingReq, kInts, 1, 2, array, n, 5),
                  "SendPagingReq(1, 2, {n}, {list}, 5)", BelowOne::kRefused, BelowOne::kRefused,
                  {0, {}, "SendPagingReq"}),
       kAccess},
      {"SendSIMsg",
       ArrayCases("bytes", ARRAY_CALL(SendSIMsg, kInts, 3, array, n), "SendSIMsg(3, {n}, {list})",
                  BelowOne::kEmptyList, BelowOne::kEmptyList, {0, {}, "SendSIMsg"}),
       kAccess},
      {"SetParameter",
       {Same("null name", GERAN_CALL(SetParameter, nullptr, 0, "3", 0), {0}),
        Same("null value", GERAN_CALL(SetParameter, "TCH Timeslot", INT_MIN, nullptr, INT_MAX), {0}),
        Same("ignored words at INT_MIN, INT_MAX",
             GERAN_CALL(SetParameter, "TCH Timeslot", INT_MIN, "3", INT_MAX), {-1})}},
      {"SetSystemMode", {Same("INT_MIN", GERAN_CALL(SetSystemMode, INT_MIN), {-1})}},
      {"ShiftLeft",
       {Connected(kWords, GERAN_CALL(ShiftLeft, INT_MIN, INT_MAX),
                  {static_cast<int>(kShiftAnswer), {"ShiftLeft(-2147483648, 2147483647)"}})}},
      {"ShiftRight",
       {Connected(kWords, GERAN_CALL(ShiftRight, INT_MIN, INT_MAX),
                  {static_cast<int>(kShiftAnswer), {"ShiftRight(-2147483648, 2147483647)"}})}},
      {"ShowText",
       {Connected("null, 5 (shows the empty string)", GERAN_CALL(ShowText, nullptr, 5),
                  {-1, {"ShowText(null)"}}),
        Same("null, INT_MIN", GERAN_CALL(ShowText, nullptr, INT_MIN), {0}),
        Same("text, 0", GERAN_CALL(ShowText, "hi", 0), {0}),
        Plain("text, 1", GERAN_CALL(ShowText, "hi", 1), "ShowText(\"hi\")"),
        Plain("text, INT_MAX", GERAN_CALL(ShowText, "hi", INT_MAX), "ShowText(\"hi\")")}},
      {"Shutdown", {Same("no arguments", GERAN_CALL(Shutdown), {-1})}},
      // Before InitialiseSystem, COM is not initialised on the thread, so nothing can be created.
      {"StartAuxSpeech",
       {{"INT_MIN, INT_MIN",
         GERAN_CALL(StartAuxSpeech, INT_MIN, INT_MIN),
         Effect{0, {}, "Getchannel_req_msg", "", {}, CO_E_NOTINITIALIZED},
         {-1, {"AuxSpeech.Start(AuxSpeech#1, -2147483648, -1)"}}}},
       "src/measurement/aux_speech.cpp"},
      {"StartBERTest",
       {Connected("samples INT_MIN", GERAN_CALL(StartBERTest, INT_MIN, INT_MAX),
                  {-1, {"StartBer(0, 2147483647)", "WaitTime(2000)", "StopBer(2147483647)"}})}},
      {"StartScript",
       {Connected("no arguments", GERAN_CALL(StartScript),
                  {-1, {"StartScript()"}, nullptr, " Start Script Done\n"})}},
      {"StopBERTest", {Plain("INT_MIN", GERAN_CALL(StopBERTest, INT_MIN), "StopBer(-2147483648)")}},
      {"VoiceLoop",
       {Plain(kWords, GERAN_CALL(VoiceLoop, INT_MIN, INT_MAX, -1),
              "VoiceLoop(-2147483648, 2147483647, -1)")}},
      {"WaitAccessBurst",
       {Plain(kWords, GERAN_CALL(WaitAccessBurst, INT_MIN, INT_MIN, INT_MAX),
              "WaitAccessBurst(-2147483648, int:-2147483648, 2147483647)")}},
      {"WaitMsg",
       ArrayCases("bytes", ARRAY_CALL(WaitMsg, kInts, 1, 2, 3, array, n), "WaitMsg(1, 2, 3, {list})",
                  BelowOne::kRefused, BelowOne::kRefused, {-1}),
       kDedicated},
      {"WaitOnMMIReady",
       {Connected("INT_MIN", GERAN_CALL(WaitOnMMIReady, INT_MIN), {-1}),
        Same("0", GERAN_CALL(WaitOnMMIReady, 0), {0})}},
      {"WaitTime",
       {Plain("INT_MIN", GERAN_CALL(WaitTime, INT_MIN), "WaitTime(-2147483648)"),
        Same("0", GERAN_CALL(WaitTime, 0), {0})}},
  };
}

class HostileCallerTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    ScenarioLib_Reset();
    TestSetSim_SetText(sim::text::kLogFileName, kLogFileName);
    TestSetSim_SetValue(sim::value::kShiftAnswer, kShiftAnswer);
  }
  void LoadLevels() {
    StdoutCapture console;                                                 // the load is not under test
    ASSERT_EQ(GERAN_EXPORT(module(), LoadMasterParameterFile)(0, 0), -1);  // pointers to the store matter
  }
  void TearDown() override {
    ProductTest::TearDown();
    ScenarioLib_Reset();
  }

  void Check(const std::string& what, const Invoke& invoke, const char* source, const Effect& expected) {
    SCOPED_TRACE(what);
    const size_t scenarioMark = ScenarioCalls().size();
    const CallEffect effect = ObserveCall([&] { return invoke(module()); });
    EXPECT_EQ(effect.result, expected.result);
    EXPECT_EQ(effect.calls, expected.calls);
    EXPECT_EQ(ScenarioCalls(scenarioMark), expected.scenario);
    EXPECT_TRUE(IsOutput(effect.out, expected.out, source, expected.label, MessageTextFor(expected.hr)));
  }

 private:
  TempMasterFile master_{kLevelsFile};
};

class EveryExportTest : public HostileCallerTest, public ::testing::WithParamInterface<Export> {};

TEST_P(EveryExportTest, GivesItsDocumentedResultToHostileCalls) {
  const Export& row = GetParam();
  LoadLevels();
  for (const Case& c : row.cases)
    if (c.unconnected) Check("unconnected: " + c.what, c.invoke, row.source, *c.unconnected);
  Connect();
  for (const Case& c : row.cases) Check("connected: " + c.what, c.invoke, row.source, c.connected);
}

INSTANTIATE_TEST_SUITE_P(Hostile, EveryExportTest, ::testing::ValuesIn(Exports()),
                         [](const ::testing::TestParamInfo<Export>& info) {
                           return std::string(info.param.name);
                         });

// Two pages of integers that end where unreadable memory begins: the first read-write and the
// second read-only (two regions to walk), then a reserved page nothing may read.
class PagesBeforeAHole {
 public:
  PagesBeforeAHole() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    pageSize_ = system.dwPageSize;
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, 3 * pageSize_, MEM_RESERVE, PAGE_NOACCESS));
    EXPECT_NE(VirtualAlloc(base_, 2 * pageSize_, MEM_COMMIT, PAGE_READWRITE), nullptr);
    std::fill_n(reinterpret_cast<int*>(base_), 2 * pageSize_ / sizeof(int), 0x107);  // low byte 7
    DWORD previous = 0;
    EXPECT_TRUE(VirtualProtect(base_ + pageSize_, pageSize_, PAGE_READONLY, &previous));
  }
  ~PagesBeforeAHole() { VirtualFree(base_, 0, MEM_RELEASE); }
  PagesBeforeAHole(const PagesBeforeAHole&) = delete;
  PagesBeforeAHole& operator=(const PagesBeforeAHole&) = delete;

  // The address of the integer that lies count integers before the hole.
  const int* Before(int count) const { return reinterpret_cast<const int*>(base_ + 2 * pageSize_) - count; }
  // bytes written so that their last one lies just before the hole (the read-only page opened for it).
  const char* Text(const std::string& bytes) const {
    BYTE* const hole = base_ + 2 * pageSize_;
    DWORD previous = 0;
    EXPECT_TRUE(VirtualProtect(base_ + pageSize_, pageSize_, PAGE_READWRITE, &previous));
    std::copy(bytes.begin(), bytes.end(), hole - bytes.size());
    EXPECT_TRUE(VirtualProtect(base_ + pageSize_, pageSize_, PAGE_READONLY, &previous));
    return reinterpret_cast<const char*>(hole - bytes.size());
  }
  int IntegersPerPage() const { return static_cast<int>(pageSize_ / sizeof(int)); }

 private:
  DWORD pageSize_;
  BYTE* base_;
};

// An array is read when all of it lies in readable memory, across regions too; one element more,
// reaching into the hole, and nothing is read or sent.
TEST_F(HostileCallerTest, ArraysAreReadUpToUnreadableMemoryAndNotIntoIt) {
  const PagesBeforeAHole pages;
  const int* start = pages.Before(2 * pages.IntegersPerPage());
  Connect();
  for (const int extra : {0, 1}) {
    const int count = 2 * pages.IntegersPerPage() + extra;
    std::string sevens = "7";
    for (int i = 1; i < count; ++i) sevens += ",7";
    const Effect sent{-1, {"SendSIMsg(3, " + std::to_string(count) + ", [" + sevens + "])"}};
    Check(
        "count " + std::to_string(count) + " from two pages before the hole",
        [start, count](const ProductModule& m) { return GERAN_EXPORT(m, SendSIMsg)(3, start, count); },
        kAccess, extra == 0 ? sent : Effect{0});
  }
}

// A text is read to its NUL when the NUL lies before unreadable memory, across regions too; the same
// bytes without their NUL run into the hole, and nothing is read there or sent.
TEST_F(HostileCallerTest, TextsAreReadUpToUnreadableMemoryAndNotIntoIt) {
#define TEXT_CALL(Name, ...) \
  [](const ProductModule& m, const char* t) { return GERAN_EXPORT(m, Name)(__VA_ARGS__); }
  const std::string across(5000, 'B');  // from the read-write page into the read-only one
  const struct {
    std::string text;
    int (*invoke)(const ProductModule& m, const char* text);
    Effect terminated;
  } cases[] = {
      {"AAAAAAAA", TEXT_CALL(ShowText, t, 1), {-1, {"ShowText(\"AAAAAAAA\")"}}},
      {across, TEXT_CALL(ShowText, t, 1), {-1, {"ShowText(\"" + across + "\")"}}},
      {"run.log", TEXT_CALL(PutLogFileName, t, 1), {-1, {"put_LogFileName(\"run.log\")"}}},
      {"RX Level", TEXT_CALL(GetParameter, t, 0, valueBuffer, 0), {-1}},
      {"TCH Timeslot", TEXT_CALL(SetParameter, t, 0, "3", 0), {-1}},
      {"3", TEXT_CALL(SetParameter, "TCH Timeslot", 0, t, 0), {-1}},
      {"# a comment",
       TEXT_CALL(RunTestScenario, 0, t, 1),
       {-1, {}, nullptr, "", {"RunTestScript(\"# a comment\", 4, 12)"}}},
  };
#undef TEXT_CALL
  const PagesBeforeAHole pages;
  LoadLevels();
  Connect();
  for (const auto& c : cases) {
    const auto invoke = [&c, &pages](const std::string& bytes) {
      return [&c, &pages, bytes](const ProductModule& m) { return c.invoke(m, pages.Text(bytes)); };
    };
    const std::string what = c.text.substr(0, 12);
    Check(what + ", NUL before the hole", invoke(c.text + '\0'), kGeneral, c.terminated);
    Check(what + ", no NUL before the hole", invoke(c.text), kGeneral, Effect{0});
  }
}

// Memory running out inside an export (the heap, a BSTR, a SAFEARRAY) gives 0 and one line naming the export,
// and nothing reaches the test set; once memory is back the same call succeeds: the module stayed usable. The
// first load cannot make its store; the commands after it need the levels it loads.
TEST_F(HostileCallerTest, RunningOutOfMemoryGivesZeroAndOneLine) {
  const struct {
    const char* name;
    Invoke invoke;
    std::vector<std::string> calls;
    Allocator allocator = Allocator::kHeap;
  } cases[] = {
      {"LoadMasterParameterFile", GERAN_CALL(LoadMasterParameterFile, 0, 0), {}},
      {"SendSIMsg", GERAN_CALL(SendSIMsg, 3, kInts, 3), {"SendSIMsg(3, 3, [7,8,9])"}},
      {"SendMsg", GERAN_CALL(SendMsg, 1, 2, kInts, 3, 4), {"SendMsg(1, 2, 3, [7,8,9], 4)"}},
      {"WaitMsg", GERAN_CALL(WaitMsg, 1, 2, 3, kInts, 3), {"WaitMsg(1, 2, 3, [7,8,9])"}},
      {"CipherMode",
       GERAN_CALL(CipherMode, 1, 2, 3, kDoubles, 3, kDoubles, 2, 9),
       {"CipherMode(1, 2, 3, [7,8,9], [7,8], 1, 9)"}},
      {"EnableVoiceSend",
       GERAN_CALL(EnableVoiceSend, 1, kDoubles, 3, 4),
       {"EnableVoiceSend(1, 3, [7,8,9], 4)"}},
      {"ConfigCch",
       GERAN_CALL(ConfigCch, 1, 0, 20, 0, 0, 0, 0, 7, 3, 1),
       {"ConfigCch(1, -60.5, -50.25, 0, 1, [20], 0, 0, 0, 0, 0, 3, 1)"}},
      {"GetLogFileName", GERAN_CALL(GetLogFileName, logBuffer, 16), {"get_LogFileName()"}},
      {"PutLogFileName", GERAN_CALL(PutLogFileName, "run.log", 8), {"put_LogFileName(\"run.log\")"}},
      {"PutLogFileName",
       GERAN_CALL(PutLogFileName, "run.log", 8),
       {"put_LogFileName(\"run.log\")"},
       Allocator::kBstr},
      {"ShowText", GERAN_CALL(ShowText, "hi", 2), {"ShowText(\"hi\")"}, Allocator::kBstr},
      {"SendSIMsg", GERAN_CALL(SendSIMsg, 3, kInts, 3), {"SendSIMsg(3, 3, [7,8,9])"}, Allocator::kSafeArray},
  };
  Connect();
  for (const auto& c : cases) {
    const std::string line = std::string("znGeranApiInterfaceDll_") + c.name + " failed: out of memory\n";
    {
      const AllocationFails exhausted(module(), c.allocator);
      Check(std::string("memory exhausted: ") + c.name, c.invoke, "", {0, {}, nullptr, line});
      EXPECT_TRUE(exhausted.Failed()) << c.name << " allocated nothing";
    }
    Check(std::string("memory back: ") + c.name, c.invoke, "", {-1, c.calls});
  }
}

// The table leaves no export out: it names the export list's exports, in their order.
TEST(HostileCallerTable, CoversEveryExport) {
#define GERAN_NAME(Name, Ordinal, Bytes, ExportedName) #Name,
  const std::vector<std::string> listed = {GERAN_EXPORT_LIST(GERAN_NAME)};
#undef GERAN_NAME
  std::vector<std::string> covered;
  for (const Export& row : Exports()) covered.push_back(row.name);
  EXPECT_EQ(covered, listed);
}

}  // namespace
}  // namespace geran::test
