#include "session.h"

#include <algorithm>
#include <cstdint>

#include <TestSetSim.h>
#include <TestSetSimNames.h>

#include <stdexcept>

namespace geran::bench {
namespace {

constexpr size_t kSiMessageBytes = 23;
constexpr size_t kCipherElements = 64;

template <class Value>
_variant_t Packed(const std::vector<Value>& values) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(values.size()));
  if (array == nullptr) throw std::runtime_error("cannot create a SAFEARRAY");
  BYTE* bytes = static_cast<BYTE*>(array->pvData);
  for (size_t i = 0; i < values.size(); ++i) bytes[i] = static_cast<BYTE>(static_cast<int>(values[i]));
  _variant_t packed;
  V_VT(&packed) = VT_ARRAY | VT_UI1;
  V_ARRAY(&packed) = array;
  return packed;
}

template <class Value>
std::vector<Value> Sequence(size_t count, int first) {
  std::vector<Value> values;
  for (size_t i = 0; i < count; ++i)
    values.push_back(static_cast<Value>((first + static_cast<int>(i)) % 256));
  return values;
}

// 100 characters that start 50 before a page boundary inside pages, and their NUL.
const char* PlacePageCrossingText(std::vector<char>& pages) {
  constexpr std::uintptr_t kPage = 4096;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(pages.data());
  char* text = pages.data() + (kPage - start % kPage) + kPage - 50;
  std::fill_n(text, 100, 'x');
  text[100] = '\0';
  return text;
}

// An ASCII text as the test set receives it.
std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TestSetApiPtr CreateTestSet() {
  TestSetApiPtr testSet;
  const HRESULT hr = CoCreateInstance(CLSID_TestSetObject, nullptr, CLSCTX_ALL, __uuidof(TestSetApi),
                                      reinterpret_cast<void**>(&testSet));
  if (FAILED(hr)) throw std::runtime_error("cannot create the simulator's test set object");
  return testSet;
}

}  // namespace

Payloads::Payloads()
    : siMessage(Sequence<int>(kSiMessageBytes, 0x40)),
      cipherKey(Sequence<double>(kCipherElements, 1)),
      cipherRand(Sequence<double>(kCipherElements, 100)),
      siList(Packed(siMessage)),
      keyList(Packed(cipherKey)),
      randList(Packed(cipherRand)),
      shortText("cell ready"),
      textPages(3 * 4096),
      pageCrossingText(PlacePageCrossingText(textPages)),
      shortTextValue(Widened(shortText).c_str()),
      pageCrossingTextValue(Widened(pageCrossingText).c_str()) {}

Session::Session() {
  product.Connect();
  testSet = CreateTestSet();
}

void SetJournal(bool on) { TestSetSim_SetValue(sim::value::kJournal, on ? 1 : 0); }

}  // namespace geran::bench
