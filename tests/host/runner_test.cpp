// The runner against fake exports with the header's prototypes: what each call receives, out
// values, counting, exit codes, output order and the BER result.
#include "runner.h"
#include "ber_counters.h"
#include "progress.h"
#include "stdout_capture.h"
#include "trace_files.h"

#include <znGeranApiInterfaceDll.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <type_traits>

namespace geran::host {
namespace {

using test::StdoutCapture;

std::vector<std::string> calls;  // what the fakes received, one line per call
int resetResult = -1;

std::string Hex(std::uint32_t bits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", bits);
  return text;
}

std::string Words(const int* words, int count) {
  if (words == nullptr) return "null";
  std::string text = "[";
  for (int i = 0; i < count; ++i) text += (i > 0 ? "," : "") + std::to_string(words[i]);
  return text + "]";
}

std::string Reals(const double* reals, int count) {
  if (reals == nullptr) return "null";
  std::string text = "[";
  for (int i = 0; i < count; ++i) text += (i > 0 ? "," : "") + std::to_string(reals[i]);
  return text + "]";
}

std::string Bytes(const char* text) { return text == nullptr ? "null" : Quote(text); }

int WINAPI FakeChangeTxPower(float level, int channel) {
  std::uint32_t bits;
  std::memcpy(&bits, &level, sizeof bits);
  calls.push_back("ChangeTxPower " + Hex(bits) + " " + std::to_string(channel));
  return -1;
}

int WINAPI FakeSendSIMsg(int type, const int* bytes, int count) {
  calls.push_back("SendSIMsg " + std::to_string(type) + " " + Words(bytes, count));
  return -1;
}

int WINAPI FakeCipherMode(int mode, int algorithm, int direction, const double* key, int keyCount,
                          const double* randValue, int randCount, int channel) {
  calls.push_back("CipherMode " + std::to_string(mode + algorithm + direction + channel) + " " +
                  Reals(key, keyCount) + " " + Reals(randValue, randCount));
  return -1;
}

int WINAPI FakeShowText(const char* text, int length) {
  calls.push_back("ShowText " + Bytes(text) + " " + std::to_string(length));
  return -1;
}

int WINAPI FakeWaitTime(int time) {
  calls.push_back("WaitTime " + std::to_string(time));
  return -1;
}

int WINAPI FakeGetAccessBurst(int* accessBurst) {
  if (accessBurst != nullptr) *accessBurst = 0x11;
  calls.push_back(std::string("GetAccessBurst ") + (accessBurst == nullptr ? "null" : "pointer"));
  return 0;
}

int WINAPI FakeGetLogFileName(char* buffer, int length) {
  const char name[] = "C:\\log.txt";
  if (length < static_cast<int>(sizeof name)) return 0;
  std::memcpy(buffer, name, sizeof name);
  return -1;
}

int WINAPI FakeGetParameter(const char* name, int, void* value, int) {
  const int arfcn = 512;
  if (std::strcmp(name, "Control ARFCN") == 0) std::memcpy(value, &arfcn, sizeof arfcn);
  if (std::strcmp(name, "RX Level") == 0) std::strcpy(static_cast<char*>(value), "-60.500000");
  if (std::strcmp(name, "Radio System") == 0) *static_cast<unsigned char*>(value) = 2;
  return -1;
}

int WINAPI FakeSetParameter(const char* name, int, const void* value, int) {
  const bool arfcn = std::strstr(name, "ARFCN") != nullptr;
  calls.push_back(
      "SetParameter " + std::string(name) + " " +
      (arfcn ? std::to_string(*static_cast<const int*>(value)) : Bytes(static_cast<const char*>(value))));
  return -1;
}

int WINAPI FakeReset() {
  std::printf("reset by the library\n");
  calls.push_back("Reset");
  return resetResult;
}

// Leaves its line open, as the library's failure reports do.
int WINAPI FakeStartScript() {
  std::printf("COM EXCEPTION: no line end");
  return 0;
}

// Appends one counter block per call, as the library's BER run does per cycle.
int WINAPI FakeStartBERTest(int samples, int) {
  std::ofstream file(kCounterFile, std::ios::app);
  file << "fer samples : " << samples << "\nfer events  : 6\nfer lastfn  : 99\nc1a samples : 1\n"
       << "c1a events  : 0\nc1a lastfn  : 99\nc1b samples : 400\nc1b cevents : 2\nc1b lastfn  : 99\n"
       << "c2 samples  : 800\nc2 events   : 12\nc2 lastfn   : 99\n\n";
  return -1;
}

// A fake under an export's name; a fake whose type differs from the header's prototype fails the build.
template <class Prototype>
std::pair<const std::string_view, FARPROC> Fake(std::string_view name, Prototype fake) {
  return {name, reinterpret_cast<FARPROC>(reinterpret_cast<void*>(fake))};
}

#define GERAN_FAKE(Name) Fake<decltype(&znGeranApiInterfaceDll_##Name)>(#Name, &Fake##Name)

const Functions kFakes = {
    GERAN_FAKE(ChangeTxPower),  GERAN_FAKE(SendSIMsg),    GERAN_FAKE(CipherMode),
    GERAN_FAKE(ShowText),       GERAN_FAKE(WaitTime),     GERAN_FAKE(GetAccessBurst),
    GERAN_FAKE(GetLogFileName), GERAN_FAKE(GetParameter), GERAN_FAKE(SetParameter),
    GERAN_FAKE(Reset),          GERAN_FAKE(StartBERTest), GERAN_FAKE(StartScript),
};

struct Outcome {
  Summary summary;
  std::string output;
};

Outcome RunText(const std::string& text, RunOptions options = {}) {
  const Script script = ParseScript(text);
  EXPECT_TRUE(script.errors.empty()) << script.errors[0].message;
  StdoutCapture capture;
  const Summary summary = Run(script, kFakes, options);
  return {summary, capture.Take()};
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    resetResult = -1;
    test::RemoveTraceFiles();
  }
};

TEST_F(RunTest, PassesEveryArgumentInItsPrototypesType) {
  const struct {
    const char* script;
    const char* call;
  } cases[] = {
      {"ChangeTxPower(-85.5f, 3)", "ChangeTxPower 0xC2AB0000 3"},
      {"ChangeTxPower(1, -1)", "ChangeTxPower 0x3F800000 -1"},
      {"SendSIMsg(0x1F, [1, 0xFF, -1], 3)", "SendSIMsg 31 [1,255,-1]"},
      {"SendSIMsg(2, [], 0)", "SendSIMsg 2 []"},
      {"SendSIMsg(2, null, 0)", "SendSIMsg 2 null"},
      {"CipherMode(1, 2, 3, [0.5, 255.9], 2, null, 0, 4)", "CipherMode 10 [0.500000,255.900000] null"},
      {R"(ShowText("a\tb\x41", 3))", R"(ShowText "a\tbA" 3)"},
      {"ShowText(null, 1)", "ShowText null 1"},
      {"GetAccessBurst(null)", "GetAccessBurst null"},
      {"GetAccessBurst(out b)\nWaitTime($b)", "WaitTime 17"},
      {"GetAccessBurst(out b)\nSendSIMsg(1, [$b, 2], 2)", "SendSIMsg 1 [17,2]"},
      {"GetLogFileName(out log[64], 64)\nShowText($log, 1)", R"(ShowText "C:\\log.txt" 1)"},
      {"SetParameter(\"Control ARFCN\", 0, [512], 0)", "SetParameter Control ARFCN 512"},
      {"SetParameter(\"TCH Rate\", 0, \"3\", 0)", R"(SetParameter TCH Rate "3")"},
      {"GetParameter(\"Control ARFCN\", 0, out a, 0)\nSetParameter(\"Traffic ARFCN\", 0, $a, 0)",
       "SetParameter Traffic ARFCN 512"},
      {"GetParameter(\"RX Level\", 0, out rx[64], 0)\nSetParameter(\"TX Level\", 0, $rx, 0)",
       R"(SetParameter TX Level "-60.500000")"},
  };
  for (const auto& c : cases) {
    calls.clear();
    RunText(c.script);
    ASSERT_FALSE(calls.empty()) << c.script;
    EXPECT_EQ(calls.back(), c.call) << c.script;
  }
}

TEST_F(RunTest, PrintsWhatOutValuesReceived) {
  const std::string output = RunText(
                                 "GetAccessBurst(out burst)\n"
                                 "GetLogFileName(out log[64], 64)\n"
                                 "GetParameter(\"Radio System\", 0, out system, 0)\n"
                                 "GetParameter(\"RX Level\", 0, out rx[64], 0)\n")
                                 .output;
  EXPECT_NE(output.find("\n     burst = 17 (0x11)\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\n     log = \"C:\\\\log.txt\"\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\n     system = 2 (0x2)\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\n     rx = \"-60.500000\"\n"), std::string::npos) << output;
}

TEST_F(RunTest, CountsExpectationsAndEndsWithTheClosingLine) {
  const struct {
    const char* script;
    int resetResult;
    int passed;
    int failed;
    int exitCode;
  } cases[] = {
      {"Reset() => -1\nReset()\nReset() => any", -1, 3, 0, 0},
      {"Reset() => -1\nReset() => 0\nReset()", -1, 2, 1, 1},
      {"Reset() => -1\nReset() => -1", 0, 0, 2, 1},
      {"Reset() => 7", 7, 1, 0, 0},
      {"# nothing to call", -1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    resetResult = c.resetResult;
    const Outcome outcome = RunText(c.script);
    EXPECT_EQ(outcome.summary.passed, c.passed) << c.script;
    EXPECT_EQ(outcome.summary.failed, c.failed) << c.script;
    EXPECT_EQ(ExitCode(outcome.summary), c.exitCode) << c.script;
    const std::string closing =
        std::to_string(c.passed) + " passed, " + std::to_string(c.failed) + " failed\n";
    ASSERT_GE(outcome.output.size(), closing.size());
    EXPECT_EQ(outcome.output.substr(outcome.output.size() - closing.size()), closing) << outcome.output;
  }
}

TEST_F(RunTest, NamesEveryFailedLineBeforeTheClosingLine) {
  const std::string output = RunText("Reset() => -1\nReset() => 0\n\nReset() => 5 # five").output;
  EXPECT_NE(output.find("     = -1  FAILED: expected 0  ("), std::string::npos) << output;
  EXPECT_NE(output.find("\nfailed: line 2: Reset() returned -1, expected 0\nfailed: line 4: Reset() returned "
                        "-1, expected 5\n1 passed, 2 failed\n"),
            std::string::npos)
      << output;
}

TEST_F(RunTest, StopOnFailureMakesNoFurtherCall) {
  RunOptions options;
  options.stopOnFailure = true;
  const Outcome outcome = RunText("Reset() => 0\nReset()\nReset()", options);
  EXPECT_EQ(calls, std::vector<std::string>{"Reset"});
  EXPECT_NE(outcome.output.find("stopped at the first failed expectation; 2 calls not made\n"),
            std::string::npos);
  EXPECT_EQ(outcome.summary.failed, 1);
}

TEST_F(RunTest, LibraryOutputStandsBetweenTheCallAndItsResult) {
  const std::string output = RunText("## Reset\nReset() => -1").output;
  const std::size_t heading = output.find("\n== Reset\n");
  const std::size_t head = output.find("[2] Reset()\n");
  const std::size_t library = output.find("reset by the library\n");
  const std::size_t result = output.find("     = -1  ok  (");
  ASSERT_NE(result, std::string::npos) << output;
  EXPECT_LT(heading, head) << output;
  EXPECT_LT(head, library) << output;
  EXPECT_LT(library, result) << output;
}

TEST_F(RunTest, ResultStartsOnItsOwnLineAfterAnOpenLibraryLine) {
  const std::string output = RunText("StartScript()\nReset()").output;
  EXPECT_NE(output.find("[1] StartScript()\nCOM EXCEPTION: no line end\n     = 0  ("), std::string::npos)
      << output;
  EXPECT_NE(output.find("[2] Reset()\nreset by the library\n     = -1  ("), std::string::npos) << output;
}

TEST_F(RunTest, QuietShowsOnlyFailedCallsAndTheClosingLine) {
  RunOptions options;
  options.quiet = true;
  const std::string output =
      RunText("## Reset\nReset() => -1\nGetAccessBurst(out b)\nReset() => 0", options).output;
  EXPECT_EQ(output.find("[2]"), std::string::npos) << output;
  EXPECT_EQ(output.find("b = "), std::string::npos) << output;
  EXPECT_EQ(output.find("== Reset"), std::string::npos) << output;
  EXPECT_NE(output.find("[4] Reset()\n     = -1  FAILED: expected 0"), std::string::npos) << output;
}

TEST_F(RunTest, BerRunShowsTheResultOfItsOwnCounterBlocks) {
  FakeStartBERTest(100, 0);  // a block of an earlier run, left in the file
  const std::string output = RunText("StartBERTest(300, 1) => -1").output;
  EXPECT_NE(
      output.find("     BER result: FER 2.00 % (6 of 300 frames), class 1b RBER 0.50 % (2 of 400 bits), "
                  "class 2 RBER 1.50 % (12 of 800 bits)\n"),
      std::string::npos)
      << output;
}

TEST(CallWatch, BerStatusFollowsTheBlocksWrittenDuringTheCall) {
  test::RemoveTraceFiles();
  FakeStartBERTest(100, 0);
  Slot target;
  target.word = 300;
  const std::unique_ptr<CallWatch> watch = WatchFor("StartBERTest", {target, Slot()});
  ASSERT_NE(watch, nullptr);
  EXPECT_EQ(watch->Status({}), "BER 0/300 samples, waiting for the first counters");
  EXPECT_EQ(watch->Conclusion(), "BER result: the run wrote no counters");
  FakeStartBERTest(120, 0);
  EXPECT_EQ(watch->Status({}), "BER 120/300 samples  FER 5.00 %  class 1b RBER 0.50 %  class 2 RBER 1.50 %");
}

TEST(CallWatch, ConnectionCountsDownTheTenSecondWait) {
  const std::unique_ptr<CallWatch> watch = WatchFor("InitialiseSystem", {});
  ASSERT_NE(watch, nullptr);
  EXPECT_EQ(watch->Status(std::chrono::milliseconds(2500)), "connecting: the test set settles, 8 s to go");
  EXPECT_EQ(watch->Status(std::chrono::seconds(12)), "connecting: 12 s");
  EXPECT_EQ(WatchFor("Reset", {}), nullptr);
}

TEST(Bind, ListsTheSymbolsTheLibraryLacks) {
  const Script script = ParseScript("Reset()\nRemoteConnection_Set(1)\nReset()\nWaitTime(1)");
  const Binding binding = Bind(script, [](const char* symbol) {
    return std::strcmp(symbol, "znGeranApiInterfaceDll_WaitTime") == 0 ? kFakes.at("WaitTime") : nullptr;
  });
  EXPECT_EQ(binding.missing, (std::vector<std::string>{"znGeranApiInterfaceDll_Reset",
                                                       "_znGeranApiInterfaceDll_RemoteConnection_Set@4"}));
}

}  // namespace
}  // namespace geran::host
