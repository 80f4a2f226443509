// The COM server: IDispatch from the type library, and how many calls an injected fault hits.
#include "sim_test.h"

namespace geran::test {
namespace {

using ComServerTest = SimulatorTest;

TEST_F(ComServerTest, DispatchAnswersFromTheTypeLibrary) {
  IDispatch* dispatch = testSet_;
  auto invoke = [&](const wchar_t* name, WORD flags, std::vector<_variant_t> arguments, VARIANT* result,
                    EXCEPINFO* exception) {
    DISPID id = DISPID_UNKNOWN, named = DISPID_PROPERTYPUT;
    auto* names = const_cast<LPOLESTR>(name);
    EXPECT_EQ(Hex(dispatch->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id)), Hex(S_OK)) << name;
    DISPPARAMS params{reinterpret_cast<VARIANT*>(arguments.data()), nullptr,
                      static_cast<UINT>(arguments.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    if (params.cNamedArgs != 0) params.rgdispidNamedArgs = &named;
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception, nullptr);
  };
  _variant_t name;
  EXCEPINFO exception{};
  EXPECT_EQ(Hex(invoke(L"WaitTime", DISPATCH_METHOD, {_variant_t(2000L)}, nullptr, nullptr)), Hex(S_OK));
  EXPECT_EQ(Hex(invoke(L"LogFileName", DISPATCH_PROPERTYPUT, {_variant_t(L"run.log")}, nullptr, nullptr)),
            Hex(S_OK));
  EXPECT_EQ(Hex(invoke(L"LogFileName", DISPATCH_PROPERTYGET, {}, &name, nullptr)), Hex(S_OK));
  EXPECT_EQ(std::wstring(static_cast<_bstr_t>(name)), L"run.log");
  TestSetSim_FailMethod(sim::method::kStartScript, E_ACCESSDENIED, L"script locked", 1);
  EXPECT_EQ(Hex(invoke(L"StartScript", DISPATCH_METHOD, {}, nullptr, &exception)), Hex(DISP_E_EXCEPTION));
  const _bstr_t description(exception.bstrDescription, false), source(exception.bstrSource, false),
      help(exception.bstrHelpFile, false);
  EXPECT_EQ(Hex(exception.scode), Hex(E_ACCESSDENIED));
  EXPECT_STREQ(static_cast<const wchar_t*>(description), L"script locked");
  EXPECT_EQ(Journal(), (std::vector<std::string>{"WaitTime(2000)", "put_LogFileName(\"run.log\")",
                                                 "get_LogFileName()", "StartScript()"}));
}

// Where a fault starts, failed creation and the error information the caller finds are pinned by the
// product suites that use faults.
TEST_F(ComServerTest, InjectedFaultsHitAsManyCallsAsTimesSaysAndZeroClears) {
  const struct {
    int times;
    std::vector<HRESULT> results;  // of consecutive StartScript calls
  } cases[] = {
      {1, {E_FAIL, S_OK, S_OK}},
      {2, {E_FAIL, E_FAIL, S_OK}},
      {0, {E_FAIL, E_FAIL, E_FAIL, E_FAIL}},
  };
  LONG answer = 0;
  for (const auto& c : cases) {
    TestSetSim_Reset();
    TestSetSim_FailMethod(sim::method::kStartScript, E_FAIL, nullptr, c.times);
    for (size_t call = 0; call < c.results.size(); ++call)
      EXPECT_EQ(Hex(testSet_->StartScript()), Hex(c.results[call]))
          << "times " << c.times << ", call " << call;
    EXPECT_EQ(Hex(testSet_->ShiftLeft(1, 1, &answer)), Hex(S_OK)) << "only the named method fails";
    EXPECT_EQ(TestSetSim_JournalCount(), static_cast<int>(c.results.size()) + 1) << "failing calls too";
  }
  TestSetSim_FailMethod(sim::method::kStartScript, 0, nullptr, 0);
  EXPECT_EQ(Hex(testSet_->StartScript()), Hex(S_OK)) << "hresult 0 clears";
}

}  // namespace
}  // namespace geran::test
