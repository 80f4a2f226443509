// The runner against fakes with the header's prototypes: what each argument form arrives as, out
// values and their reuse, output order, counting and the BER result.
#include "runner.h"
#include "ber_counters.h"
#include "stdout_capture.h"
#include "trace_files.h"

#include <znGeranApiInterfaceDll.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace geran::host {
namespace {

std::vector<std::string> calls;  // what the fakes received, one line per call

template <class... Arguments>
int Record(const char* name, const Arguments&... arguments) {
  std::ostringstream text;
  text << name;
  ((text << " " << arguments), ...);
  calls.push_back(text.str());
  return -1;
}

template <class T>
std::string List(const T* items, int count) {
  if (items == nullptr) return "null";
  std::ostringstream text;
  for (int i = 0; i < count; ++i) text << (i > 0 ? "," : "") << items[i];
  return "[" + text.str() + "]";
}

std::string Text(const void* text, std::size_t length) {
  return text == nullptr ? "null" : Quote(std::string_view(static_cast<const char*>(text), length));
}

int WINAPI FakeChangeTxPower(float level, int channel) { return Record("ChangeTxPower", level, channel); }
int WINAPI FakeSendSIMsg(int type, const int* bytes, int n) {
  return Record("SendSIMsg", type, List(bytes, n));
}
int WINAPI FakeCipherMode(int, int, int, const double* key, int n, const double* rand, int randN, int) {
  return Record("CipherMode", List(key, n), List(rand, randN));
}
// Shows length bytes, so a NUL inside the string and its terminator are visible.
int WINAPI FakeShowText(const char* text, int length) {
  return Record("ShowText", Text(text, length), length);
}
int WINAPI FakeWaitTime(int time) { return Record("WaitTime", time); }
int WINAPI FakeSetParameter(const char* name, int, const void* value, int) {
  if (std::strstr(name, "ARFCN") != nullptr)
    return Record("SetParameter", name, *static_cast<const int*>(value));
  return Record("SetParameter", name, Text(value, std::strlen(static_cast<const char*>(value))));
}

int WINAPI FakeGetAccessBurst(int* burst) {
  if (burst != nullptr) *burst = 0x11;
  return Record("GetAccessBurst", burst == nullptr ? "null" : "pointer") + 1;
}

int WINAPI FakeGetLogFileName(char* buffer, int length) {
  return length > 10 ? (std::strcpy(buffer, "C:\\log.txt"), -1) : 0;
}

int WINAPI FakeGetParameter(const char* name, int, void* value, int) {
  const int arfcn = 512;
  if (std::strcmp(name, "Control ARFCN") == 0) std::memcpy(value, &arfcn, sizeof arfcn);
  if (std::strcmp(name, "RX Level") == 0) std::strcpy(static_cast<char*>(value), "-60.500000");
  if (std::strcmp(name, "Radio System") == 0) *static_cast<unsigned char*>(value) = 2;  // one byte of four
  return -1;
}

int WINAPI FakeInitialiseSystem() { return Record("InitialiseSystem"); }

int WINAPI FakeReset() {
  std::printf("reset by the library\n");
  return Record("Reset");
}

// Leaves its line open, as the library's failure reports do.
int WINAPI FakeStartScript() { return std::printf("COM EXCEPTION: no line end") * 0; }

// Appends one counter block per call, as the library's BER run does per cycle.
int WINAPI FakeStartBERTest(int samples, int) {
  std::ofstream(kCounterFile, std::ios::app)
      << "fer samples : " << samples << "\nfer events  : 6\nfer lastfn  : 99\nc1b samples : 400\n"
      << "c1b cevents : 2\nc1b lastfn  : 99\nc2 samples  : " << samples - 100 << "\nc2 events   : 12\n\n";
  return -1;
}

// A fake whose type differs from the header's prototype fails the build.
#define GERAN_FAKE(Name)                                        \
  std::pair<const std::string_view, FARPROC>(                   \
      #Name, reinterpret_cast<FARPROC>(reinterpret_cast<void*>( \
                 static_cast<decltype(&znGeranApiInterfaceDll_##Name)>(&Fake##Name))))

const Functions kFakes = {
    GERAN_FAKE(ChangeTxPower),    GERAN_FAKE(SendSIMsg),
    GERAN_FAKE(CipherMode),       GERAN_FAKE(ShowText),
    GERAN_FAKE(WaitTime),         GERAN_FAKE(GetAccessBurst),
    GERAN_FAKE(GetLogFileName),   GERAN_FAKE(GetParameter),
    GERAN_FAKE(SetParameter),     GERAN_FAKE(Reset),
    GERAN_FAKE(StartScript),      GERAN_FAKE(StartBERTest),
    GERAN_FAKE(InitialiseSystem),
};

// Runs the script against the fakes; returns what it printed.
std::string RunText(const std::string& text, RunOptions options = {}) {
  const Script script = ParseScript(text);
  EXPECT_TRUE(script.errors.empty()) << text << ": " << script.errors[0].message;
  calls.clear();
  test::StdoutCapture capture;
  Run(script, kFakes, options);
  return capture.Take();
}

// Each piece occurs in output, after the one before it.
void ExpectInOrder(const std::string& output, std::initializer_list<const char*> pieces) {
  std::size_t at = 0;
  for (const char* piece : pieces) {
    at = output.find(piece, at);
    ASSERT_NE(at, std::string::npos) << "missing in order: " << piece << "\n" << output;
  }
}

TEST(Run, EveryArgumentFormArrivesInItsPrototypesType) {
  const struct {
    const char* script;
    const char* call;  // what the last fake received
  } cases[] = {
      {"znGeranApiInterfaceDll_SendSIMsg(-2147483648, [4294967295, 0x1F, -1], 3)",
       "SendSIMsg -2147483648 [-1,31,-1]"},
      {"ChangeTxPower(-85.5f, 3)", "ChangeTxPower -85.5 3"},
      {"SendSIMsg(2, null, 0)", "SendSIMsg 2 null"},
      {"CipherMode(1, 2, 3, [1e3, -2.5f, 0x10], 3, [ ], 0, 4)", "CipherMode [1000,-2.5,16] []"},
      {R"(ShowText("a\n\t\r\\\"b", 7))", R"(ShowText "a\n\t\r\\\"b" 7)"},
      {R"(ShowText("\x41\x7a\x00\xFF", 5))", R"(ShowText "Az\x00\xFF\x00" 5)"},
      {R"(ShowText("# not a comment", 3) # a comment)", R"(ShowText "# n" 3)"},
      {"GetAccessBurst(out b)\nWaitTime($b)", "WaitTime 17"},
      {"GetAccessBurst(out b)\nSendSIMsg(1, [$b, 2], 2)", "SendSIMsg 1 [17,2]"},
      {"GetLogFileName(out log[64], 64)\nShowText($log, 10)", R"(ShowText "C:\\log.txt" 10)"},
      {"SetParameter(\"Control ARFCN\", 0, [512], 0)", "SetParameter Control ARFCN 512"},
      {"GetParameter(\"Control ARFCN\", 0, out a, 0)\nSetParameter(\"Traffic ARFCN\", 0, $a, 0)",
       "SetParameter Traffic ARFCN 512"},
      {"GetParameter(\"RX Level\", 0, out rx[64], 0)\nSetParameter(\"TX Level\", 0, $rx, 0)",
       R"(SetParameter TX Level "-60.500000")"},
      {"\xEF\xBB\xBF# setup\r\n\r\n  ## Heading  \r\n  WaitTime ( 1 )  => -1\r\n\t# end", "WaitTime 1"},
  };
  for (const auto& c : cases) {
    RunText(c.script);
    ASSERT_FALSE(calls.empty()) << c.script;
    EXPECT_EQ(calls.back(), c.call) << c.script;
  }
}

constexpr const char* kNoConnection =
    "\n     note: no connection to the test set (no InitialiseSystem() has returned -1), so this and "
    "every command after it returns 0\n";

constexpr const char* kShown =
    "## Reset\nReset() => 0xFFFFFFFF\nStartScript()\nGetAccessBurst(out burst)\n"
    "GetLogFileName(out log[64], 64) => any\nGetParameter(\"RX Level\", 0, out rx[64], 0)\n"
    "GetParameter(\"Radio System\", 0, out system, 0)\nReset() => 0 # fails";

// The missing connection is said once, at the first 0 from a command that needs it.
TEST(Run, EachCallShowsLibraryOutputResultAndOutValuesInOrderThenTheFailures) {
  const std::string output = RunText(kShown);
  EXPECT_EQ(output.find("note: no connection"), output.rfind("note: no connection")) << "said twice:\n"
                                                                                     << output;
  ExpectInOrder(
      output,
      {"\n== Reset\n", "[2] Reset()\nreset by the library\n     = -1  ok  (",
       "[3] StartScript()\nCOM EXCEPTION: no line end\n     = 0  (", kNoConnection,
       "[4] GetAccessBurst(out burst)\n", "\n     burst = 17 (0x11)\n", "\n     log = \"C:\\\\log.txt\"\n",
       "\n     rx = \"-60.500000\"\n", "\n     system = 2 (0x2)\n",
       "[8] Reset()\nreset by the library\n     = -1  FAILED: expected 0  (",
       "\nnote: 5 test-set commands made without a connection to the test set (no "
       "InitialiseSystem() returned -1)\n\nfailed: line 8: Reset() returned -1, expected 0\n6 "
       "passed, 1 failed\n"});
}

// Quiet, the library's output of a shown call still follows the call's line; stopped, no call follows
// the failure.
TEST(Run, QuietShowsOnlyFailedCallsAndStopMakesNoFurtherCall) {
  RunOptions quietStop;
  quietStop.quiet = quietStop.stopOnFailure = true;
  const std::string output = RunText(kShown + std::string("\nReset()\nReset()"), quietStop);
  for (const char* hidden : {"== Reset", "[2]", "[4]", "burst = ", "note: no connection", "COM EXCEPTION"})
    EXPECT_EQ(output.find(hidden), std::string::npos) << hidden << " in\n" << output;
  EXPECT_EQ(calls, (std::vector<std::string>{"Reset", "GetAccessBurst pointer", "Reset"}));
  EXPECT_EQ(output.rfind("[8] Reset()\nreset by the library\n     = -1  FAILED: expected 0  (", 0), 0u)
      << output;
  ExpectInOrder(output, {"\nstopped at the first failed expectation; 2 calls not made\n",
                         "\nfailed: line 8: Reset() returned -1, expected 0\n6 passed, 1 failed\n"});
}

TEST(Run, BerRunShowsTheResultOfItsOwnCounterBlocks) {
  test::RemoveTraceFiles();
  FakeStartBERTest(100, 0);  // a block of an earlier run, left in the file
  const std::string output = RunText("StartBERTest(300, 1) => -1");
  EXPECT_NE(
      output.find("     BER result: FER 2.00 % (6 of 300 frames), class 1b RBER 0.50 % (2 of 400 bits), "
                  "class 2 RBER 6.00 % (12 of 200 bits)\n"),
      std::string::npos)
      << output;
}

}  // namespace
}  // namespace geran::host
