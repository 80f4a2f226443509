// The simulator's COM server driven straight through IDispatch, as a script host drives it.
#include <com_pointers.h>  // the type library's interfaces and their smart pointers
#include <simulator.h>     // the control API, gtest and Journal()

#include <cstdio>

namespace geran::test {
namespace {

// An HRESULT as gtest should print it: "0x80004005".
std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// COM initialised, an empty simulator and one test set; at the end every simulator object must be gone.
class ComServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Hex(CoInitialize(nullptr)), Hex(S_OK));
    TestSetSim_Reset();
    ASSERT_EQ(Hex(testSet_.CreateInstance(CLSID_TestSetObject)), Hex(S_OK));
  }
  void TearDown() override {
    testSet_ = nullptr;
    EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "simulator objects left alive";
    CoUninitialize();
  }

  TestSetApiPtr testSet_;
};

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

}  // namespace
}  // namespace geran::test
