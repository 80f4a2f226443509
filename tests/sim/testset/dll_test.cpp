// The COM server: creation as clients do it, creation faults, registration, unloading.
#include "sim_test.h"

#include <olectl.h>

// Exported by the simulator; no system header declares it.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine);

namespace geran::test {
namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

// The string value of a registry key; "<missing>" when the key or value does not exist.
std::wstring RegistryText(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t text[MAX_PATH];
  DWORD size = sizeof text;
  const LONG status = RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size);
  return status == ERROR_SUCCESS ? text : L"<missing>";
}

std::wstring SimulatorPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(GetModuleHandleW(L"TestSetSimulator.dll"), path, MAX_PATH);
  return path;
}

std::wstring ClassKey(REFCLSID clsid) { return L"Software\\Classes\\CLSID\\" + GuidText(clsid); }

// Creation in the three steps a client takes: IUnknown, OleRun, then the class's interface.
struct Creation {
  HRESULT create = E_UNEXPECTED;
  HRESULT run = E_UNEXPECTED;
  HRESULT query = E_UNEXPECTED;
};

Creation CreateLikeAClient(REFCLSID clsid, REFIID iid) {
  Creation steps;
  IUnknownPtr unknown;
  steps.create =
      CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
  if (FAILED(steps.create)) return steps;
  steps.run = OleRun(unknown);
  IUnknownPtr object;
  steps.query = unknown->QueryInterface(iid, reinterpret_cast<void**>(&object));
  return steps;
}

using DllTest = SimulatorTest;

TEST_F(DllTest, ClientCreationStepsSucceedForBothClasses) {
  for (const auto& [clsid, iid] :
       {std::pair{CLSID_TestSetObject, IID_TestSetApi}, std::pair{CLSID_AuxSpeechObject, IID_AuxSpeech}}) {
    const Creation steps = CreateLikeAClient(clsid, iid);
    EXPECT_EQ(Hex(steps.create), Hex(S_OK));
    EXPECT_EQ(Hex(steps.run), Hex(S_OK)) << "OleRun on an object without IRunnableObject";
    EXPECT_EQ(Hex(steps.query), Hex(S_OK));
  }
}

struct CreationFaultCase {
  const char* fault;
  REFCLSID clsid;
  REFIID iid;
  Creation first;  // the second creation must then succeed
};

TEST_F(DllTest, CreationFaultsFailTheirStepOnce) {
  const std::vector<CreationFaultCase> cases = {
      {"CreateInstance", CLSID_TestSetObject, IID_TestSetApi, {E_OUTOFMEMORY}},
      {"QueryInterface", CLSID_TestSetObject, IID_TestSetApi, {S_OK, S_OK, E_OUTOFMEMORY}},
      {"AuxSpeech.CreateInstance", CLSID_AuxSpeechObject, IID_AuxSpeech, {E_OUTOFMEMORY}},
      {"AuxSpeech.QueryInterface", CLSID_AuxSpeechObject, IID_AuxSpeech, {S_OK, S_OK, E_OUTOFMEMORY}},
  };
  for (const CreationFaultCase& test : cases) {
    TestSetSim_FailMethod(test.fault, E_OUTOFMEMORY, nullptr, 1);
    const Creation first = CreateLikeAClient(test.clsid, test.iid);
    EXPECT_EQ(Hex(first.create), Hex(test.first.create)) << test.fault;
    EXPECT_EQ(Hex(first.run), Hex(test.first.run)) << test.fault;
    EXPECT_EQ(Hex(first.query), Hex(test.first.query)) << test.fault;
    EXPECT_EQ(Hex(CreateLikeAClient(test.clsid, test.iid).query), Hex(S_OK)) << test.fault;
    EXPECT_EQ(TestSetSim_LiveObjects(), 1) << test.fault << ": only the fixture's test set is left";
  }
  EXPECT_EQ(TestSetSim_JournalCount(), 0) << "creation is not journaled";
}

TEST_F(DllTest, RefusedTestSetApiKeepsIUnknownAndIDispatch) {
  TestSetSim_FailMethod("QueryInterface", E_NOINTERFACE, L"no licence", 0);
  IUnknownPtr unknown;
  ASSERT_EQ(Hex(CoCreateInstance(CLSID_TestSetObject, nullptr, CLSCTX_ALL, IID_IUnknown,
                                 reinterpret_cast<void**>(&unknown))),
            Hex(S_OK));
  TestSetApiPtr api;
  EXPECT_EQ(Hex(unknown->QueryInterface(IID_TestSetApi, reinterpret_cast<void**>(&api))), Hex(E_NOINTERFACE));
  EXPECT_EQ(api, nullptr);
  IUnknownPtr again;
  EXPECT_EQ(Hex(unknown->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again))), Hex(S_OK));
  IDispatchPtr dispatch;
  EXPECT_EQ(Hex(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))), Hex(S_OK));
  EXPECT_EQ(Hex(CoCreateInstance(CLSID_TestSetObject, nullptr, CLSCTX_ALL, IID_TestSetApi,
                                 reinterpret_cast<void**>(&api))),
            Hex(E_NOINTERFACE))
      << "asked for TestSetApi directly";
}

TEST_F(DllTest, FactoryRefusesAggregationAndUnknownClasses) {
  IClassFactoryPtr factory;
  ASSERT_EQ(
      Hex(DllGetClassObject(CLSID_TestSetObject, IID_IClassFactory, reinterpret_cast<void**>(&factory))),
      Hex(S_OK));
  IUnknownPtr object;
  EXPECT_EQ(Hex(factory->CreateInstance(testSet_, IID_IUnknown, reinterpret_cast<void**>(&object))),
            Hex(CLASS_E_NOAGGREGATION));
  IClassFactoryPtr none;
  EXPECT_EQ(Hex(DllGetClassObject(IID_TestSetApi, IID_IClassFactory, reinterpret_cast<void**>(&none))),
            Hex(CLASS_E_CLASSNOTAVAILABLE));
}

TEST_F(DllTest, CanUnloadOnlyWithNoObjectAndNoLock) {
  EXPECT_EQ(Hex(DllCanUnloadNow()), Hex(S_FALSE)) << "the fixture's test set is alive";
  DropTestSet();
  EXPECT_EQ(TestSetSim_LiveObjects(), 0);
  EXPECT_EQ(Hex(DllCanUnloadNow()), Hex(S_OK));
  IClassFactoryPtr factory;
  ASSERT_EQ(
      Hex(DllGetClassObject(CLSID_AuxSpeechObject, IID_IClassFactory, reinterpret_cast<void**>(&factory))),
      Hex(S_OK));
  factory->LockServer(TRUE);
  EXPECT_EQ(Hex(DllCanUnloadNow()), Hex(S_FALSE));
  factory->LockServer(FALSE);
  EXPECT_EQ(Hex(DllCanUnloadNow()), Hex(S_OK));
}

TEST_F(DllTest, RegisteredMachineWideWithApartmentThreading) {
  for (REFCLSID clsid : {CLSID_TestSetObject, CLSID_AuxSpeechObject}) {
    const std::wstring server = ClassKey(clsid) + L"\\InprocServer32";
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, server, nullptr), SimulatorPath());
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, server, L"ThreadingModel"), L"Apartment");
  }
  BSTR raw = nullptr;
  ASSERT_EQ(Hex(QueryPathOfRegTypeLib(LIBID_GeranTestSetLib, 1, 0, LOCALE_NEUTRAL, &raw)), Hex(S_OK));
  const _bstr_t typeLibPath(raw, false);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(typeLibPath)), SimulatorPath());
}

TEST_F(DllTest, UnregisteredClassCannotBeCreatedUntilRegisteredAgain) {
  ASSERT_EQ(Hex(DllUnregisterServer()), Hex(S_OK));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, ClassKey(CLSID_TestSetObject) + L"\\InprocServer32", nullptr),
            L"<missing>");
  EXPECT_EQ(Hex(CreateLikeAClient(CLSID_TestSetObject, IID_TestSetApi).create), Hex(REGDB_E_CLASSNOTREG));
  ASSERT_EQ(Hex(DllRegisterServer()), Hex(S_OK));
  EXPECT_EQ(Hex(CreateLikeAClient(CLSID_TestSetObject, IID_TestSetApi).query), Hex(S_OK));
}

TEST_F(DllTest, InstallForUserWritesAndRemovesOnlyTheUsersClasses) {
  const std::wstring server = ClassKey(CLSID_TestSetObject) + L"\\InprocServer32";
  ASSERT_EQ(Hex(DllInstall(TRUE, L"user")), Hex(S_OK));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, server, nullptr), SimulatorPath());
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, server, L"ThreadingModel"), L"Apartment");
  ASSERT_EQ(Hex(DllInstall(FALSE, L"user")), Hex(S_OK));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, server, nullptr), L"<missing>");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, server, nullptr), SimulatorPath());
}

TEST_F(DllTest, UninstallForUserKeepsTheMachineTypeLib) {
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr)
    GTEST_SKIP() << "Wine's UnRegisterTypeLibForUser removes the machine-wide type library registration";
  ASSERT_EQ(Hex(DllInstall(TRUE, L"user")), Hex(S_OK));
  ASSERT_EQ(Hex(DllInstall(FALSE, L"user")), Hex(S_OK));
  BSTR raw = nullptr;
  EXPECT_EQ(Hex(QueryPathOfRegTypeLib(LIBID_GeranTestSetLib, 1, 0, LOCALE_NEUTRAL, &raw)), Hex(S_OK));
  const _bstr_t typeLibPath(raw, false);
}

}  // namespace
}  // namespace geran::test
