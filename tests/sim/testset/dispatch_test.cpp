// IDispatch of the simulator's objects, answered from the embedded type library.
#include "sim_test.h"

namespace geran::test {
namespace {

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  auto* names = const_cast<LPOLESTR>(name);
  EXPECT_EQ(Hex(object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id)), Hex(S_OK)) << name;
  return id;
}

// Invokes name with arguments given in call order (DISPPARAMS wants them reversed).
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<_variant_t> arguments,
                     VARIANT* result = nullptr, EXCEPINFO* exception = nullptr) {
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  UINT argumentError = 0;
  return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception,
                        &argumentError);
}

using DispatchTest = SimulatorTest;

TEST_F(DispatchTest, MethodsAndPropertiesByName) {
  IDispatch* dispatch = testSet_;
  EXPECT_EQ(Hex(InvokeByName(dispatch, L"WaitTime", DISPATCH_METHOD, {_variant_t(2000L)})), Hex(S_OK));
  EXPECT_EQ(Hex(InvokeByName(dispatch, L"LogFileName", DISPATCH_PROPERTYPUT, {_variant_t(L"run.log")})),
            Hex(S_OK));
  _variant_t name;
  EXPECT_EQ(Hex(InvokeByName(dispatch, L"LogFileName", DISPATCH_PROPERTYGET, {}, &name)), Hex(S_OK));
  EXPECT_EQ(V_VT(&name), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&name)), L"run.log");
  EXPECT_EQ(Journal(), (std::vector<std::string>{"WaitTime(2000)", "put_LogFileName(\"run.log\")",
                                                 "get_LogFileName()"}));
}

TEST_F(DispatchTest, AuxSpeechStartByName) {
  AuxSpeechPtr speech;
  ASSERT_EQ(Hex(speech.CreateInstance(CLSID_AuxSpeechObject)), Hex(S_OK));
  EXPECT_EQ(Hex(InvokeByName(speech, L"Start", DISPATCH_METHOD, {_variant_t(4L), _variant_t(true)})),
            Hex(S_OK));
  EXPECT_EQ(Journal(), std::vector<std::string>{"AuxSpeech.Start(AuxSpeech#1, 4, -1)"});
}

TEST_F(DispatchTest, FaultArrivesAsException) {
  TestSetSim_FailMethod("StartScript", E_ACCESSDENIED, L"script locked", 1);
  EXCEPINFO exception{};
  EXPECT_EQ(Hex(InvokeByName(testSet_, L"StartScript", DISPATCH_METHOD, {}, nullptr, &exception)),
            Hex(DISP_E_EXCEPTION));
  const _bstr_t description(exception.bstrDescription, false);
  const _bstr_t source(exception.bstrSource, false);
  const _bstr_t help(exception.bstrHelpFile, false);
  EXPECT_EQ(Hex(exception.scode), Hex(E_ACCESSDENIED));
  EXPECT_STREQ(static_cast<const wchar_t*>(description), L"script locked");
}

TEST_F(DispatchTest, TypeInfoAndUnknownNames) {
  UINT count = 0;
  EXPECT_EQ(Hex(testSet_->GetTypeInfoCount(&count)), Hex(S_OK));
  EXPECT_EQ(count, 1u);
  ITypeInfoPtr info;
  ASSERT_EQ(Hex(testSet_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)), Hex(S_OK));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(Hex(info->GetTypeAttr(&attributes)), Hex(S_OK));
  EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_TestSetApi));
  info->ReleaseTypeAttr(attributes);
  DISPID id = 0;
  auto* name = const_cast<LPOLESTR>(L"NoSuchMethod");
  EXPECT_EQ(Hex(testSet_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)),
            Hex(DISP_E_UNKNOWNNAME));
}

}  // namespace
}  // namespace geran::test
