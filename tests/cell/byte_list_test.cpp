// Byte lists: the conversions at their edges and the packed VARIANT's shape.
#include "cell/packed_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace geran {
namespace {

std::vector<BYTE> Unpack(const VARIANT& value) {
  EXPECT_EQ(V_VT(&value), VT_ARRAY | VT_UI1);
  SAFEARRAY* array = V_ARRAY(&value);
  EXPECT_EQ(SafeArrayGetDim(array), 1u);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  EXPECT_EQ(lower, 0);
  std::vector<BYTE> bytes(static_cast<size_t>(upper - lower + 1));
  for (LONG i = 0; i < static_cast<LONG>(bytes.size()); ++i) SafeArrayGetElement(array, &i, &bytes[i]);
  return bytes;
}

TEST(ByteList, IntegersKeepTheirLowByte) {
  const int values[] = {0, 255, 256, 300, -1, -256, 0x12345678, INT32_MIN};
  EXPECT_EQ(ByteList::FromIntegers(values, 8).bytes(), (std::vector<BYTE>{0, 255, 0, 44, 255, 0, 0x78, 0}));
  EXPECT_EQ(ByteList::FromValue(-1).bytes(), std::vector<BYTE>{255});
}

TEST(ByteList, DoublesAreTruncatedTowardZeroThenCut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    BYTE expected;
  } cases[] = {{0.5, 0},           {1.9, 1},          {255.9, 255}, {256.0, 0},          {300.7, 44},
               {-1.5, 255},        {-0.9, 0},         {65.9, 65},   {1e10, 0},           {-1e10, 0},
               {nan, 0},           {inf, 0},          {-inf, 0},    {2147483647.9, 255}, {2147483648.0, 0},
               {-2147483648.9, 0}, {-2147483649.0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(ByteList::FromDoubles(&c.value, 1).bytes(), std::vector<BYTE>{c.expected}) << c.value;
}

// The packed VARIANT is one-dimensional from 0, empty or not. (The test set accepts other shapes.)
TEST(ByteList, PacksIntoAOneDimensionalByteArrayFromZero) {
  const int integers[] = {20, 300, -1};
  EXPECT_EQ(Unpack(Pack(ByteList::FromIntegers(integers, 3))), (std::vector<BYTE>{20, 44, 255}));
  EXPECT_TRUE(Unpack(Pack(ByteList::FromIntegers(integers, 0))).empty());
}

}  // namespace
}  // namespace geran
