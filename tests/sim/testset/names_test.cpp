// The registry of the simulator's method names (what --sim-fail accepts) against the simulator's
// own type library: every method of every interface of the test set under its journal name, and
// nothing else but the creation steps.
#include <TestSetSimNames.h>

#include <com_pointers.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace geran::test {
namespace {

// Interface and method names are ASCII identifiers.
std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; text != nullptr && *text != L'\0'; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

// "ConfigCch", "get_LogFileName" on the test set's interface; "AuxSpeech.Start" on the others.
// The library describes each interface as a dispatch interface.
std::set<std::string> JournalNamesOf(ITypeInfo* type) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(type->GetTypeAttr(&attributes))) return {};
  _bstr_t interfaceName;
  type->GetDocumentation(MEMBERID_NIL, interfaceName.GetAddress(), nullptr, nullptr, nullptr);
  const std::string owner = Narrow(interfaceName);
  if (owner == "SimulatorControl") {  // the control channel of the local server: not the test set's
    type->ReleaseTypeAttr(attributes);
    return {};
  }
  const std::string prefix = owner == "TestSetApi" ? "" : owner + ".";
  std::set<std::string> names;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(type->GetFuncDesc(i, &function))) continue;
    if ((function->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0) {  // IUnknown's and IDispatch's own
      type->ReleaseFuncDesc(function);
      continue;
    }
    _bstr_t name;
    type->GetDocumentation(function->memid, name.GetAddress(), nullptr, nullptr, nullptr);
    const char* accessor = function->invkind == INVOKE_PROPERTYGET ? "get_"
                           : function->invkind == INVOKE_FUNC      ? ""
                                                                   : "put_";
    names.insert(prefix + accessor + Narrow(name));
    type->ReleaseFuncDesc(function);
  }
  type->ReleaseTypeAttr(attributes);
  return names;
}

TEST(SimulatorNames, MethodsAreTheTypeLibrarysAndTheCreationSteps) {
  ITypeLibPtr library;
  ASSERT_EQ(LoadTypeLibEx(L"TestSetSimulator.dll", REGKIND_NONE, &library), S_OK);
  std::set<std::string> expected = {"CreateInstance", "QueryInterface", "AuxSpeech.CreateInstance",
                                    "AuxSpeech.QueryInterface"};
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    ITypeInfoPtr type;
    if (FAILED(library->GetTypeInfoType(i, &kind)) || (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH) ||
        FAILED(library->GetTypeInfo(i, &type)))
      continue;
    const std::set<std::string> names = JournalNamesOf(type);
    expected.insert(names.begin(), names.end());
  }
  std::set<std::string> registered;
  for (const std::string_view name : sim::kMethodNames) EXPECT_TRUE(registered.emplace(name).second) << name;
  EXPECT_EQ(registered, expected);
}

}  // namespace
}  // namespace geran::test
