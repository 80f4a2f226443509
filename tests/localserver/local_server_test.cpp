// The product against the simulator served from a process of its own (TestSetSimulator.exe): the
// faults that only a process boundary brings, and how the simulator registers either kind of server.
// (That every kind of call, failure and value read gives what it gives in-process: the demo's run
// against the local server, CallJournalDemo.)
#include "command_table.h"
#include "failure_report.h"

#include <TestSetApi.h>
#include <olectl.h>
#include <win32/handles.h>
#include <winsvc.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine);  // TestSetSimulator.dll

namespace geran::test {
namespace {

enum class Server { InProcess, Local };

void Register(Server server) {
  ASSERT_EQ(server == Server::Local ? DllInstall(TRUE, L"local") : DllRegisterServer(), S_OK);
}

using Call = std::function<int(const ProductModule&)>;
int burst = 0;  // where GetAccessBurst reads to

class LocalServerTest : public ProductTest {
 protected:
  void SetUp() override {
    Register(Server::Local);
    ProductTest::SetUp();
  }
};

// The value of a server key of the test set's class under classes, or nothing when it is missing.
std::optional<std::wstring> ServerKey(const wchar_t* kind, HKEY root = HKEY_LOCAL_MACHINE) {
  wchar_t clsid[40];
  StringFromGUID2(CLSID_TestSetObject, clsid, 40);
  const std::wstring key = std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\" + kind;
  wchar_t value[MAX_PATH] = L"";
  DWORD size = sizeof value;
  if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

// Each registration leaves one kind of server key, so CLSCTX_ALL finds the kind registered last;
// the words of DllInstall's command line may come in any case and order.
TEST(LocalServerRegistration, RegistrationChoosesOneKindOfServer) {
  wchar_t dll[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"TestSetSimulator.dll"), dll, MAX_PATH), 0u);
  std::wstring exe = dll;
  exe = L"\"" + exe.substr(0, exe.find_last_of(L'\\') + 1) + L"TestSetSimulator.exe\"";
  for (const auto& [words, root] :
       {std::pair{L"LOCAL", HKEY_LOCAL_MACHINE}, std::pair{L"user local", HKEY_CURRENT_USER}}) {
    Register(Server::InProcess);
    ASSERT_EQ(DllInstall(TRUE, L"user"), S_OK);
    ASSERT_EQ(DllInstall(TRUE, words), S_OK);
    EXPECT_EQ(ServerKey(L"InprocServer32", root), std::nullopt) << words;
    EXPECT_EQ(ServerKey(L"LocalServer32", root), exe) << words;
  }
  ASSERT_EQ(DllInstall(FALSE, L"user"), S_OK);
  Register(Server::InProcess);
  EXPECT_EQ(ServerKey(L"InprocServer32"), std::wstring(dll));
  EXPECT_EQ(ServerKey(L"LocalServer32"), std::nullopt);
}

// The local server's process, opened to be waited for or ended.
Handle ServerProcess() {
  return Handle(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(TestSetSim_ServerProcessId())));
}

bool Ends(const Handle& process, DWORD milliseconds = 10000) {
  return WaitForSingleObject(process.get(), milliseconds) == WAIT_OBJECT_0;
}

// What a call gets from a server whose process has gone: before the call, or during it.
constexpr HRESULT kServerGone = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
constexpr HRESULT kCallCut = HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);

constexpr const char* kBerSource = "src/measurement/ber_test.cpp";
constexpr const char* kBerLabel = "znGeranApiInterfaceDll_StartBERTest";

// An export whose call fails once the server has gone: its report's file and label (nullptr: it fails
// silently), after the lines before (with "{hr}" and "{message}").
struct Failure {
  const char* source;
  const char* label;
  Call call;
  std::string before = "";
};

const std::vector<Failure> kAfterTheServer = {
    {"src/testset/reset.cpp", "Reset", GERAN_CALL(Reset)},
    {"", nullptr, GERAN_CALL(ShowText, "text", 5)},
    {"src/cell/access_and_paging.cpp", "Getaccess_burst_fn", GERAN_CALL(GetAccessBurst, &burst),
     " znGeranApiInterfaceDll_GetAccessBurst hr: {hr}\n ErrorMessage :{message}\n"},
    {kBerSource, kBerLabel, GERAN_CALL(StartBERTest, 1, 6)},
};

// Wine 8's COM service keeps the class objects of a server that was killed registered, and hands
// them out, dead, until it restarts (Windows drops them itself): stopped here, it starts afresh with
// the next request.
void ForgetTheKilledServer() {
  using Service = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, decltype(&CloseServiceHandle)>;
  const Service manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT), CloseServiceHandle);
  ASSERT_NE(manager, nullptr);
  const Service service(OpenServiceW(manager.get(), L"RpcSs", SERVICE_STOP | SERVICE_QUERY_STATUS),
                        CloseServiceHandle);
  ASSERT_NE(service, nullptr);
  SERVICE_STATUS status{};
  ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
  for (int i = 0;
       i < 100 && QueryServiceStatus(service.get(), &status) && status.dwCurrentState != SERVICE_STOPPED; ++i)
    Sleep(50);
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
}

class ServerFaultTest : public LocalServerTest {
 protected:
  // Connects anew after the server has gone: a fresh server answers.
  void ExpectAFreshServer(DWORD killedId) {
    ForgetTheKilledServer();
    Reload();
    Connect();
    EXPECT_NE(TestSetSim_ServerProcessId(), static_cast<long>(killedId));
    EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), -1);
  }
};

TEST_F(ServerFaultTest, AServerKilledBetweenTwoCallsFailsEveryCallAndAFreshOneServesTheNextConnection) {
  Connect();
  const DWORD killedId = static_cast<DWORD>(TestSetSim_ServerProcessId());
  const Handle server = ServerProcess();
  ASSERT_NE(server, nullptr);
  ASSERT_TRUE(TerminateProcess(server.get(), 9));
  ASSERT_TRUE(Ends(server));
  const DWORD start = GetTickCount();
  for (const Failure& failure : kAfterTheServer) {
    StdoutCapture out;
    EXPECT_EQ(failure.call(module()), 0) << failure.source;
    EXPECT_TRUE(IsOutput(out.Take(), Fill(failure.before, kServerGone), failure.source, failure.label,
                         MessageTextFor(kServerGone)));
  }
  EXPECT_LT(GetTickCount() - start, 10000u) << "nothing waits for the server that has gone";
  ExpectAFreshServer(killedId);
}

// A server that goes during a call ends the call with a report: with waits in real time a BER run is
// in its first two-second wait then, and WaitTime, which COM lets take as long as the server does,
// waits until the server's process ends. Each row leaves a fresh server connected for the next.
TEST_F(ServerFaultTest, AServerThatDiesDuringACallEndsTheCallWithAReport) {
  const struct {
    const char* source;
    const char* label;
    Call call;
    DWORD killAfter;
    std::optional<std::string> test12;
  } cases[] = {
      {kBerSource, kBerLabel, GERAN_CALL(StartBERTest, 10, 6), 500,
       std::string(kBerLabel) + " returned hr : 0\n" + kBerLabel +
           " Faied with hr = " + std::to_string(kCallCut) + "\n"},
      {"src/testset/general_commands.cpp", "WaitTime", GERAN_CALL(WaitTime, 600000), 1500, std::nullopt},
  };
  Connect();
  for (const auto& c : cases) {
    const DWORD killedId = static_cast<DWORD>(TestSetSim_ServerProcessId());
    const Handle server = ServerProcess();
    TestSetSim_SetValue(sim::value::kRealTimeWait, 1);
    RemoveTraceFiles();
    const DWORD start = GetTickCount();
    StdoutCapture out;
    std::thread kill([&] {  // ends the server's process while the call is made
      Sleep(c.killAfter);
      TerminateProcess(server.get(), 9);
    });
    const int result = c.call(module());
    kill.join();
    const DWORD waited = GetTickCount() - start;
    EXPECT_EQ(result, 0) << c.label;
    EXPECT_GE(waited, c.killAfter - 100) << c.label << ": the call waited for the server";
    EXPECT_LT(waited, 20000u) << c.label << ": the call ended with the server's process";
    EXPECT_TRUE(IsFailureReport(out.Take(), c.source, c.label, MessageTextFor(kCallCut)));
    EXPECT_EQ(ReadFileBytes(kTest12), c.test12 ? OnDisk(*c.test12) : "") << c.label;
    ExpectAFreshServer(killedId);
  }
}

// The connection belongs to the thread that made it; through a proxy, another thread is refused
// (in-process, the simulator would answer it).
TEST_F(LocalServerTest, ACallFromAnotherThreadIsRefusedWithAReport) {
  Connect();
  int result = 1;
  std::string output;
  std::thread([&] {
    StdoutCapture out;
    result = GERAN_EXPORT(module(), Reset)();
    output = out.Take();
  }).join();
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(IsFailureReport(output, "src/testset/reset.cpp", "Reset", MessageTextFor(RPC_E_WRONG_THREAD)));
  EXPECT_EQ(Calls(), std::vector<std::string>{}) << "the refused call never reached the test set";
  EXPECT_EQ(GERAN_EXPORT(module(), Reset)(), -1) << "the connecting thread still works";
}

// Run as a child process by the test below: connects, then ends its process still holding the
// connection. Its exit code is the local server's process id, or 0 when it could not connect.
TEST(LocalServerChild, DISABLED_ExitsWhileConnected) {
  Register(Server::Local);
  TestSetSim_Reset();
  const auto* module = new ProductModule();  // never unloaded: the process ends holding it
  const bool connected =
      GERAN_EXPORT(*module, InitialiseSystem)() == -1 && GERAN_EXPORT(*module, Reset)() == -1;
  std::exit(connected ? static_cast<int>(TestSetSim_ServerProcessId()) : 0);
}

// The product lets its references go at process exit without a call to the server, which ends with
// its last client.
TEST(LocalServerExit, AProcessThatEndsWhileConnectedEndsAtOnceAndItsServerWithIt) {
  wchar_t program[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  std::wstring command =
      std::wstring(L"\"") + program +
      L"\" --gtest_also_run_disabled_tests --gtest_filter=LocalServerChild.DISABLED_ExitsWhileConnected";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(
      CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
  const Handle process(child.hProcess), thread(child.hThread);
  ASSERT_TRUE(Ends(process, 60000)) << "the child hangs at its exit";
  DWORD serverId = 0;
  GetExitCodeProcess(process.get(), &serverId);
  ASSERT_NE(serverId, 0u) << "the child connected and called";
  const Handle server(OpenProcess(SYNCHRONIZE, FALSE, serverId));
  EXPECT_TRUE(server == nullptr || Ends(server)) << "the server ends with its last client";
}

}  // namespace
}  // namespace geran::test
