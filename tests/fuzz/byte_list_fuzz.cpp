// The byte list conversions on any values: the input read as 32-bit integers and as doubles (NaN,
// infinities and huge values among them). UBSan stops an undefined conversion; each list holds one
// byte per value, as an independent 64-bit reckoning of the truncation gives it.
#include "cell/byte_list.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace geran::fuzz {
namespace {

template <class Value>
std::vector<Value> ValuesOf(const std::uint8_t* data, std::size_t size) {
  std::vector<Value> values(size / sizeof(Value));
  if (!values.empty()) std::memcpy(values.data(), data, values.size() * sizeof(Value));
  return values;
}

std::uint8_t ExpectedByte(double value) {
  const double truncated = std::trunc(value);
  if (!std::isfinite(truncated) || std::fabs(truncated) >= 2147483648.0) return 0;
  return static_cast<std::uint8_t>(static_cast<std::int64_t>(truncated) & 0xFF);
}

void CheckIntegers(const std::vector<int>& values) {
  const ByteList list = ByteList::FromIntegers(values.data(), static_cast<int>(values.size()));
  Require(list.bytes().size() == values.size(), "one byte per integer");
  for (std::size_t i = 0; i < values.size(); ++i)
    Require(list.bytes()[i] == (static_cast<std::uint32_t>(values[i]) & 0xFF),
            "an integer keeps its low byte");
}

void CheckDoubles(const std::vector<double>& values) {
  const ByteList list = ByteList::FromDoubles(values.data(), static_cast<int>(values.size()));
  Require(list.bytes().size() == values.size(), "one byte per double");
  for (std::size_t i = 0; i < values.size(); ++i)
    Require(list.bytes()[i] == ExpectedByte(values[i]), "a double gives the low byte of its truncation");
}

}  // namespace
}  // namespace geran::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geran::fuzz::CheckIntegers(geran::fuzz::ValuesOf<int>(data, size));
  geran::fuzz::CheckDoubles(geran::fuzz::ValuesOf<double>(data, size));
  geran::fuzz::Require(geran::ByteList::FromIntegers(nullptr, -static_cast<int>(size)).size() == 0,
                       "a count of 0 or less gives an empty list");
  return 0;
}
