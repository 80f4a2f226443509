// znGeranApiInterfaceDll_GetParameter / _SetParameter on the store a master load created.
#include "parameter_test.h"

namespace geran::test {
namespace {

const char* const kTwelveNames[] = {"Radio System",   "Control ARFCN",  "Traffic ARFCN", "TCH Timeslot",
                                    "Call Scenarios", "RX Level",       "TX Level",      "Ciphering Type",
                                    "Ciphering Algo", "SDDCH Timeslot", "TCH Rate",      "Dedicated Channel"};

class ParameterAccess : public ParameterTest {
 protected:
  void LoadAnything() { ASSERT_EQ(LoadResult("[GSM]\nLoopback = 0\n"), -1); }
};

TEST_F(ParameterAccess, BeforeAnyLoadNothingIsReadOrWritten) {
  for (const char* name : kTwelveNames) {
    const Got got = Get(name);
    EXPECT_EQ(got.result, 0) << name;
    EXPECT_EQ(got.buffer, Buffer("")) << name;
    EXPECT_EQ(GERAN_EXPORT(module(), SetParameter)(name, 0, "1", 0), 0) << name;
  }
  EXPECT_EQ(SetInteger("Control ARFCN", 512), 0);
}

TEST_F(ParameterAccess, OnlyTheTwelveNamesAnswer) {
  LoadAnything();
  for (const char* name : {"Tch Timeslot", "Ciphering Algorithm", "Tch Rate", "radio system", "Radio System ",
                           "RX", "Samples", ""}) {
    const Got got = Get(name);
    EXPECT_EQ(got.result, 0) << name;
    EXPECT_EQ(got.buffer, Buffer("")) << name;
    EXPECT_EQ(SetText(name, "9"), 0) << name;
  }
  EXPECT_EQ(Get(nullptr).result, 0);
}

TEST_F(ParameterAccess, EightBitFieldsTakeTextAndGiveTheRawByte) {
  LoadAnything();
  const struct {
    const char* name;
    const char* text;
    int byte;
  } cases[] = {{"Radio System", "2", 2},
               {"TCH Timeslot", "260", 4},
               {"TCH Rate", "-1", 255},
               {"Ciphering Algo", "x", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(SetText(c.name, c.text), -1) << c.name;
    const Got got = Get(c.name);
    EXPECT_EQ(got.result, -1) << c.name;
    EXPECT_EQ(got.buffer, Buffer(ByteValue(c.byte))) << c.name << " " << c.text;
  }
}

TEST_F(ParameterAccess, ArfcnsCrossAsRawIntegersBothWays) {
  LoadAnything();
  EXPECT_EQ(SetInteger("Control ARFCN", 512), -1);
  EXPECT_EQ(SetInteger("Traffic ARFCN", -2), -1);
  EXPECT_EQ(Get("Control ARFCN").buffer, Buffer(Int32Value(512)));
  EXPECT_EQ(Get("Traffic ARFCN").buffer, Buffer(Int32Value(-2)));
}

TEST_F(ParameterAccess, LevelsCrossAsFixedPointText) {
  LoadAnything();
  const struct {
    const char* text;
    const char* read;
  } cases[] = {{"-60.5", "-60.500000"},
               {"abc", "0.000000"},
               {"0.1", "0.100000"},
               {"-3.4028235e38", "-340282346638528859811704183484516925440.000000"}};  // the longest text
  for (const auto& c : cases) {
    EXPECT_EQ(SetText("TX Level", c.text), -1);
    EXPECT_EQ(Get("TX Level").buffer, Buffer(TextValue(c.read))) << c.text;
  }
}

TEST_F(ParameterAccess, EachNameReachesItsOwnField) {
  LoadAnything();
  const struct {
    const char* name;
    int value;  // set as text, or as a raw integer for the ARFCNs
    std::string read;
  } cases[] = {
      {"Radio System", 1, ByteValue(1)},      {"Control ARFCN", 2, Int32Value(2)},
      {"Traffic ARFCN", 3, Int32Value(3)},    {"TCH Timeslot", 4, ByteValue(4)},
      {"Call Scenarios", 5, ByteValue(5)},    {"RX Level", 6, TextValue("6.000000")},
      {"TX Level", 7, TextValue("7.000000")}, {"Ciphering Type", 8, ByteValue(8)},
      {"Ciphering Algo", 9, ByteValue(9)},    {"SDDCH Timeslot", 10, ByteValue(10)},
      {"TCH Rate", 11, ByteValue(11)},        {"Dedicated Channel", 12, ByteValue(12)},
  };
  for (const auto& c : cases) {
    const bool raw = c.read.size() == sizeof(std::int32_t);
    const int result = raw ? SetInteger(c.name, c.value) : SetText(c.name, std::to_string(c.value).c_str());
    EXPECT_EQ(result, -1) << c.name;
  }
  for (const auto& c : cases) EXPECT_EQ(Get(c.name).buffer, Buffer(c.read)) << c.name;
}

TEST_F(ParameterAccess, ValueSetHereLastsUntilALoadListsItsKey) {
  LoadAnything();
  ASSERT_EQ(SetText("RX Level", "-75"), -1);
  ASSERT_EQ(LoadResult("[GSM]\nTX Level = -50\n"), -1);
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-75.000000")));
  ASSERT_EQ(LoadResult("[GSM]\nRX Level = -60.5\n"), -1);
  EXPECT_EQ(Get("RX Level").buffer, Buffer(TextValue("-60.500000")));
}

}  // namespace
}  // namespace geran::test
