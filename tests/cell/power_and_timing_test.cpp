// Transmit power, the mobile's power, timing advance and burst shifting.
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSource = "src/cell/power_and_timing.cpp";
constexpr const char* kMsPowerLine = "Inside znGeranApiInterfaceDll_ChangeMSPower with MSPower: 5\n";

const Command kCommands[] = {
    {"ChangeTxPower",
     kSource,
     "ChangeTxPower",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ChangeTxPower)(-85.5f, 3); },
     {"ChangeTxPower(-85.5, 3)"},
     {-1, "", nullptr, "", ""},
     {0, "", "ChangeTxPower", "", ""},
     {0, "", nullptr, "", ""}},
    {"ChangeMSPower",
     kSource,
     "ChangeMSPower",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ChangeMSPower)(5, 2); },
     {"ChangeMSPower(5, 2)"},
     {-1, "", nullptr, "", std::string(kMsPowerLine) + "znGeranApiInterfaceDll_ChangeMSPower Successfull\n"},
     {0, "", "znGeranApiInterfaceDll_ChangeMSPower", "",
      std::string(kMsPowerLine) + "znGeranApiInterfaceDll_ChangeMSPower Faied with hr = {hr}\n"},
     {0, "", nullptr, "",
      std::string(kMsPowerLine) + "znGeranApiInterfaceDll_ChangeMSPower testSetAPI is null\n"}},
    {"ChangeTimingAdvance",
     kSource,
     "ChangeTimingAdvance",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ChangeTimingAdvance)(12, 3); },
     {"ChangeTimingAdvance(12, 3)"},
     {-1, "", nullptr, "znGeranApiInterfaceDll_ChangeTimingAdvance Successfull\n", ""},
     {0, "", "znGeranApiInterfaceDll_ChangeTimingAdvance",
      "znGeranApiInterfaceDll_ChangeTimingAdvance Faied with hr = {hr}\n", ""},
     {0, "", nullptr, "", ""}},
    {"ShiftRight",
     kSource,
     "ShiftRight",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ShiftRight)(1, 2); },
     {"ShiftRight(1, 2)"},
     {3, "", nullptr, "", ""},
     {0, "", "B_RIGHT", "", ""},
     {0, "", nullptr, "", ""}},
    {"ShiftLeft",
     kSource,
     "ShiftLeft",
     [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ShiftLeft)(4, -5); },
     {"ShiftLeft(4, -5)"},
     {3, "", nullptr, "", ""},
     {0, "", "B_LEFT", "", ""},
     {0, "", nullptr, "", ""}},
};

class PowerAndTimingTest : public CellCommandTest {};

TEST_F(PowerAndTimingTest, CommandsSucceed) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectSuccess(command);
}

TEST_F(PowerAndTimingTest, FailingMethodsWithTheServerDescription) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectFailure(command, true);
}

TEST_F(PowerAndTimingTest, FailingMethodsWithoutErrorInformation) {
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectFailure(command, false);
}

TEST_F(PowerAndTimingTest, CommandsWithoutConnection) {
  for (const Command& command : kCommands) ExpectUnconnected(command);
}

TEST_F(PowerAndTimingTest, FailurePathsLeaveNothingBehind) {
  for (const Command& command : kCommands) ExpectNoGrowth(command);
  ConnectWithReadBackValues();
  for (const Command& command : kCommands) ExpectNoGrowth(command);
}

// The shift answer is the result whatever it is, even the -1 that means success elsewhere; the
// power reaches the test set bit for bit.
TEST_F(PowerAndTimingTest, AnswersAndPowersPassUnchanged) {
  Connect();
  for (long answer : {-1L, 0L, 0x7FFFFFFFL}) {
    SCOPED_TRACE(answer);
    TestSetSim_SetValue("ShiftAnswer", answer);
    EXPECT_EQ(GERAN_EXPORT(module(), ShiftRight)(0, 0), answer);
    EXPECT_EQ(GERAN_EXPORT(module(), ShiftLeft)(0, 0), answer);
  }
  ExpectQuiet({
      {"ChangeTxPower 0.1",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ChangeTxPower)(0.1f, 0); },
       -1,
       {"ChangeTxPower(0.100000001, 0)"}},
      {"ChangeTxPower smallest denormal",
       [](const ProductModule& m, int*) { return GERAN_EXPORT(m, ChangeTxPower)(1.40129846e-45f, -1); },
       -1,
       {"ChangeTxPower(1.40129846e-45, -1)"}},
  });
}

}  // namespace
}  // namespace geran::test
