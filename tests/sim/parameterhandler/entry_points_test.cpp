// ParameterHandler.dll through its import library, over real master files.
#include "stdout_capture.h"
#include "temp_master_file.h"
#include "trace_files.h"

#include <ParameterHandler.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

namespace geran::test {
namespace {

const int kHandlerId = 3;

struct MapRead {
  int code;
  ParameterList list;
  std::string errors;
};

MapRead ReadMap() {
  MapRead read{-1, {}, {}};
  StdoutCapture errors(2);
  read.code = getParameterMap(&kHandlerId, &read.list);
  read.errors = errors.Take();
  return read;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

TEST(GetParameterMap, ReadsKeysValuesAndGroupsVerbatim) {
  const TempMasterFile file(
      "\xEF\xBB\xBF; a comment\r\n[GSM]\r\nRX Level = -60.5\r\n  Tch Timeslot\t=\t3  \r\n# another\r\n\r\n"
      "[ GPRS/EDGE ]\nNetwork Mode Of Operation = NMO II\nFormula = a = b ; not a comment\nEmpty =\n"
      "[Other]\nN-PDU Exp. Rx Level=-25");
  const MapRead read = ReadMap();
  ASSERT_EQ(read.code, kHandlerOk) << read.errors;
  EXPECT_EQ(read.errors, "");
  std::string records;  // key: name, value, group, line number; the file is the one named
  for (const auto& [key, r] : read.list)
    records += key + ": " + r.name + ", " + r.value + ", " + r.group + ", " + r.sourceLine +
               (r.sourceFile == file.path() ? "\n" : ", " + r.sourceFile + "\n");
  EXPECT_EQ(records,
            "Empty: Empty, , GPRS/EDGE, 10\n"
            "Formula: Formula, a = b ; not a comment, GPRS/EDGE, 9\n"
            "N-PDU Exp. Rx Level: N-PDU Exp. Rx Level, -25, Other, 12\n"
            "Network Mode Of Operation: Network Mode Of Operation, NMO II, GPRS/EDGE, 8\n"
            "RX Level: RX Level, -60.5, GSM, 3\n"
            "Tch Timeslot: Tch Timeslot, 3, GSM, 4\n");
}

TEST(GetParameterMap, EachBadInputHasItsCodeAnEmptyListAndItsLineOnStderr) {
  enum Where { kFile, kNoFile, kFolder };
  using namespace std::string_literals;
  const struct {
    Where where;
    std::string text;
    int code;
    const char* message;  // after "ParameterHandler: <path>"
  } cases[] = {
      {kNoFile, "", kMasterFileNotFound, ": master parameter file not found"},
      {kFolder, "", kMasterFileUnreadable, ": master parameter file cannot be read"},
      {kFile, "[GSM]\nRX Level -60\n", kMasterFileMalformedLine,
       ":2: malformed line: expected [group], key = value, a comment or a blank line"},
      {kFile, "; settings\nRX Level = 1\n[GSM]\n", kMasterFileKeyOutsideGroup,
       ":2: key \"RX Level\" before the first [group]"},
      {kFile, "[GSM]\nPBCCH = 1\n[GPRS/EDGE]\nPBCCH = 0\n", kMasterFileDuplicateKey,
       ":4: duplicate key \"PBCCH\", first defined at line 2 in [GSM]"},
      {kFile, "[GSM]\nRX\0Level = 1\n"s, kMasterFileMalformedLine,
       ":2: not a text file: control byte 0x00 at column 3"},
      {kFile, "[GSM]\r\nRX Level = " + std::string(10 << 20, '9') + "\r\n", kMasterFileMalformedLine,
       ":2: line too long: 10485771 bytes, at most 65536"},
  };
  for (const auto& c : cases) {
    const TempMasterFile file(c.text);
    std::string path = file.path();
    if (c.where == kNoFile) DeleteFileA(path.c_str());
    if (c.where == kFolder) SetEnvironmentVariableA(kMasterVariable, (path = FolderOf(path)).c_str());
    const MapRead read = ReadMap();
    const std::string shown = c.text.substr(0, 40);
    EXPECT_EQ(read.code, c.code) << shown;
    EXPECT_EQ(read.list.size(), 0u) << shown;
    EXPECT_EQ(read.errors, "ParameterHandler: " + path + c.message + "\n") << shown;
  }
}

TEST(GetParameterMap, WithoutTheVariableReadsTheExampleBesideTheDll) {
  SetEnvironmentVariableA(kMasterVariable, nullptr);
  char dll[MAX_PATH];
  ASSERT_NE(GetModuleFileNameA(GetModuleHandleA("ParameterHandler.dll"), dll, MAX_PATH), 0u);
  const MapRead read = ReadMap();
  ASSERT_EQ(read.code, kHandlerOk) << read.errors;
  EXPECT_EQ(read.list.at("RX Level").sourceFile, FolderOf(dll) + "MasterParameters.ini");
}

std::vector<std::string> told;  // what registered handlers were told, in order

template <int Receiver>
void WINAPI Tell(int changedBy, const char* name, const char* value) {
  told.push_back(std::to_string(Receiver) + " from " + std::to_string(changedBy) + ": " + name + " = " +
                 value);
}

// The five entry points the product binds but never calls, in one sequence over one file.
TEST(OtherEntryPoints, AnswerTheirCodesAndChangeOnlyValueBytes) {
  const TempMasterFile file("[GSM]\r\nRX Level   =   -60.5\r\n; keep = me\r\nTX Level=-50");
  const int one = 1, two = 2, three = 3;
  int count = -1;
  char tooSmall[8] = "none", fits[8] = "none";
  const std::pair<std::function<int()>, int> calls[] = {
      {[&] { return getParameterCount(&one, &count); }, kHandlerOk},
      {[&] { return getParameterValue(&one, "RX Level", tooSmall, 5); }, kParameterBufferTooSmall},
      {[&] { return getParameterValue(&one, "rx level", tooSmall, 8); }, kParameterUnknown},
      {[&] { return getParameterValue(&one, "RX Level", fits, 6); }, kHandlerOk},
      {[&] { return registerParameterHandler(&one, &Tell<1>); }, kHandlerOk},
      {[&] { return registerParameterHandler(&two, &Tell<2>); }, kHandlerOk},
      {[&] { return registerParameterHandler(&three, &Tell<3>); }, kHandlerOk},
      {[&] { return registerParameterHandler(&three, nullptr); }, kHandlerOk},
      {[&] { return setParameterValue(&one, "RX Level", "-70.25"); }, kHandlerOk},
      {[&] { return setParameterValue(&one, "RX Level", "-1\n[Other]"); }, kHandlerBadArgument},
      {[&] { return setParameterValue(&one, "RX Level", "-1\x1A"); }, kHandlerBadArgument},
      {[&] { return ApplyFromL3andNotifyGUI(&one, "TX Level", "-40"); }, kHandlerOk},
      {[&] { return ApplyFromL3andNotifyGUI(&two, "Samples", "5"); }, kParameterUnknown},
  };
  StdoutCapture errors(2);
  for (size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(calls[i].first(), calls[i].second) << "call " << i;
  EXPECT_EQ(errors.Take(), "ParameterHandler: " + file.path() +
                               ":2: not a text file: control byte 0x1A at column 18\n"
                               "ParameterHandler: " +
                               file.path() + ": no parameter \"Samples\"\n");
  EXPECT_EQ(count, 2);
  EXPECT_STREQ(tooSmall, "none");
  EXPECT_STREQ(fits, "-60.5");
  EXPECT_EQ(told, std::vector<std::string>{"2 from 1: TX Level = -40"}) << "only other, registered handlers";
  EXPECT_EQ(ReadFileBytes(file.path().c_str()),
            "[GSM]\r\nRX Level   =   -70.25\r\n; keep = me\r\nTX Level=-40");
}

}  // namespace
}  // namespace geran::test
