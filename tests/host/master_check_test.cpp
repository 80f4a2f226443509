// --check-master: which master-file lines are reported, with what, and which are not.
#include "master_check.h"

#include <gtest/gtest.h>

namespace geran::host {
namespace {

// "line: message" for each problem, "error: ..." when the handler refuses the text.
std::vector<std::string> Problems(const std::string& text) {
  const MasterCheck check = CheckMasterText(text, "m.ini");
  if (!check.error.empty()) return {"error: " + check.error};
  std::vector<std::string> lines;
  for (const MasterProblem& problem : check.problems)
    lines.push_back(std::to_string(problem.line) + ": " + problem.message);
  return lines;
}

TEST(CheckMaster, ReportsWhatTheLoadIgnoresOrReadsOtherwise) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string text;
    Lines problems;
  } cases[] = {
      // Read as written: whole numbers, reals, mapped texts, slot values, PBCCH 1, Packet Data Support.
      {"[GSM]\nRadio System = 255\nControl ARFCN = -62\nRX Level = -60.5\nTX Level = 1e3\nSamples = +7\n"
       "[GPRS/EDGE]\nNetwork Mode Of Operation = NMO III\nDLTn7 = 1\nN-PDU ULTn0 = 0\nPBCCH = 1\n"
       "Packet Data Support = 1\nRouting Area Code = 4294967295\nL3 ARFCN = -2147483649\n",
       {"14: \"L3 ARFCN\" = \"-2147483649\" is beyond 32 bits: what it reads as depends on the C runtime"}},
      {"[GSM]\nControl ARFCN = 62a\nRX Level = -60,5\nRadio System = 300\n[GPRS/EDGE]\nULTn3 = 01\n"
       "Samples = 1\nDLTn8 = 1\n[gsm]\nb = 1\na = 2\n",
       {"2: \"Control ARFCN\" = \"62a\" reads as 62: not a whole number",
        "3: \"RX Level\" = \"-60,5\" reads as -60: not wholly a number (the decimal separator is '.')",
        "4: \"Radio System\" = \"300\" reads as 44: an 8-bit value keeps its low 8 bits (0 to 255)",
        "6: \"ULTn3\" = \"01\" reads as 0 (timeslot not marked): a slot key takes 0 or 1",
        "7: key \"Samples\" belongs to [GSM], not [GPRS/EDGE]: ignored here",
        "8: unknown key \"DLTn8\" in [GPRS/EDGE], ignored; did you mean \"DLTn0\"?",
        "10: group [gsm] is not read: only [GSM] and [GPRS/EDGE] are, and the load ends with 0 at its first "
        "key in name order"}},
      {"[GSM]\nSamples = 1\nSamples = 2\n",
       {"error: ParameterHandler: m.ini:3: duplicate key \"Samples\", first defined at line 2 in [GSM]"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Problems(c.text), c.problems) << c.text;
}

}  // namespace
}  // namespace geran::host
