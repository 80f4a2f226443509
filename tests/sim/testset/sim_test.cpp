#include "sim_test.h"

#include <cstdio>

namespace geran::test {

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

_variant_t Bytes(const std::vector<BYTE>& bytes) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  void* data = nullptr;
  SafeArrayAccessData(array, &data);
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  SafeArrayUnaccessData(array);
  VARIANT value;
  V_VT(&value) = VT_ARRAY | VT_UI1;
  V_ARRAY(&value) = array;
  return _variant_t(value, false);
}

_variant_t OfType(VARTYPE type) {
  VARIANT value{};
  V_VT(&value) = type;
  return _variant_t(value, false);
}

void SimulatorTest::SetUp() {
  ASSERT_EQ(Hex(CoInitialize(nullptr)), Hex(S_OK));
  TestSetSim_Reset();
  ASSERT_EQ(Hex(testSet_.CreateInstance(CLSID_TestSetObject)), Hex(S_OK));
}

void SimulatorTest::TearDown() {
  testSet_ = nullptr;
  EXPECT_EQ(TestSetSim_LiveObjects(), 0) << "simulator objects left alive";
  CoUninitialize();
}

}  // namespace geran::test
