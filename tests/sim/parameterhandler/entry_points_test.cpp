// ParameterHandler.dll through its import library, over real master files.
#include "stdout_capture.h"
#include "temp_master_file.h"

#include <ParameterHandler.h>
#include <gtest/gtest.h>

#include <malloc.h>

#include <vector>

namespace geran::test {
namespace {

const int kHandlerId = 3;

struct MapRead {
  int code = -1;
  ParameterList list;
  std::string errors;
};

MapRead ReadMap() {
  MapRead read;
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
  struct Expected {
    const char *name, *value, *group, *line;
  };
  const Expected expected[] = {
      {"Empty", "", "GPRS/EDGE", "10"},
      {"Formula", "a = b ; not a comment", "GPRS/EDGE", "9"},
      {"N-PDU Exp. Rx Level", "-25", "Other", "12"},
      {"Network Mode Of Operation", "NMO II", "GPRS/EDGE", "8"},
      {"RX Level", "-60.5", "GSM", "3"},
      {"Tch Timeslot", "3", "GSM", "4"},
  };
  ASSERT_EQ(read.list.size(), std::size(expected));
  auto entry = read.list.begin();
  for (const Expected& e : expected) {
    const ParameterRecord& record = entry->second;
    EXPECT_EQ(entry->first, e.name);
    EXPECT_EQ(record.name, e.name);
    EXPECT_EQ(record.value, e.value) << e.name;
    EXPECT_EQ(record.group, e.group) << e.name;
    EXPECT_EQ(record.sourceLine, e.line) << e.name;
    EXPECT_EQ(record.sourceFile, file.path()) << e.name;
    ++entry;
  }
}

TEST(GetParameterMap, EachBadInputHasItsCodeAnEmptyListAndOneLineOnStderr) {
  struct Case {
    const char* text;
    int code;
    const char* where;  // the message after "ParameterHandler: <path>"
  };
  const Case cases[] = {
      {"[GSM]\nRX Level -60\n", kMasterFileMalformedLine,
       ":2: malformed line: expected [group], key = value, a comment or a blank line"},
      {"[GSM]\nRX Level = 1\nbroken\n", kMasterFileMalformedLine,
       ":3: malformed line: expected [group], key = value, a comment or a blank line"},
      {"[GSM\n", kMasterFileMalformedLine, ":1: malformed line: group header without a closing ']'"},
      {"[GSM] x = 1\n", kMasterFileMalformedLine, ":1: malformed line: text after the group header"},
      {"\n[ \t]\n", kMasterFileMalformedLine, ":2: malformed line: empty group name"},
      {"[GSM]\r\n = 5\r\n", kMasterFileMalformedLine, ":2: malformed line: empty key"},
      {"; settings\nRX Level = 1\n[GSM]\n", kMasterFileKeyOutsideGroup,
       ":2: key \"RX Level\" before the first [group]"},
      {"[GSM]\nRX Level = 1\nTX Level = 2\nRX Level = 3\n", kMasterFileDuplicateKey,
       ":4: duplicate key \"RX Level\", first defined at line 2 in [GSM]"},
      {"[GSM]\nPBCCH = 1\n[GPRS/EDGE]\nPBCCH = 0\n", kMasterFileDuplicateKey,
       ":4: duplicate key \"PBCCH\", first defined at line 2 in [GSM]"},
  };
  for (const Case& c : cases) {
    const TempMasterFile file(c.text);
    const MapRead read = ReadMap();
    EXPECT_EQ(read.code, c.code) << c.text;
    EXPECT_TRUE(read.list.empty()) << c.text;
    EXPECT_EQ(read.errors, "ParameterHandler: " + file.path() + c.where + "\n");
  }
}

TEST(GetParameterMap, MissingAndUnreadableFilesHaveTheirOwnCodes) {
  const std::string missing = TempFilePath();
  DeleteFileA(missing.c_str());
  const std::string folder = FolderOf(missing);
  struct Case {
    std::string path;
    int code;
    const char* what;
  };
  const Case cases[] = {
      {missing, kMasterFileNotFound, ": master parameter file not found\n"},
      {folder, kMasterFileUnreadable, ": master parameter file cannot be read\n"},
  };
  for (const Case& c : cases) {
    const MasterFileVariable variable(c.path);
    const MapRead read = ReadMap();
    EXPECT_EQ(read.code, c.code) << c.path;
    EXPECT_TRUE(read.list.empty());
    EXPECT_EQ(read.errors, "ParameterHandler: " + c.path + c.what);
  }
}

TEST(GetParameterMap, FileWithoutKeysGivesAnEmptyListAndSuccess) {
  for (const char* text : {"", "; only\n\n# comments\r\n", "[GSM]\n[GPRS/EDGE]\n"}) {
    const TempMasterFile file(text);
    const MapRead read = ReadMap();
    EXPECT_EQ(read.code, kHandlerOk) << text;
    EXPECT_TRUE(read.list.empty()) << text;
    EXPECT_EQ(read.errors, "");
  }
}

TEST(GetParameterMap, WithoutTheVariableReadsTheExampleBesideTheDll) {
  SetEnvironmentVariableA("GERAN_MASTER_PARAMETER_FILE", nullptr);
  char dll[MAX_PATH];
  ASSERT_NE(GetModuleFileNameA(GetModuleHandleA("ParameterHandler.dll"), dll, MAX_PATH), 0u);
  const MapRead read = ReadMap();
  ASSERT_EQ(read.code, kHandlerOk) << read.errors;
  ASSERT_EQ(read.list.count("RX Level"), 1u);
  EXPECT_EQ(read.list.at("RX Level").value, "-60.5");
  EXPECT_EQ(read.list.at("RX Level").sourceFile, FolderOf(dll) + "MasterParameters.ini");
}

TEST(GetParameterMap, ListsFilledByTheLibraryAreFreedByTheCallerManyTimes) {
  const std::string longValue(200, 'v');  // beyond any small-string buffer: the heap is used
  const TempMasterFile file("[GSM]\nA parameter name longer than sixteen = " + longValue +
                            "\nAnother parameter name of some length = 1\n");
  for (int round = 0; round < 1000; ++round) {
    ParameterList list;
    ASSERT_EQ(getParameterMap(&kHandlerId, &list), kHandlerOk);
    ASSERT_EQ(list.size(), 2u);
    ASSERT_EQ(list.begin()->second.value, longValue);
  }
  EXPECT_EQ(_heapchk(), _HEAPOK);
}

TEST(GetParameterCount, CountsTheFilesParameters) {
  const TempMasterFile file("[GSM]\nA = 1\nB = 2\n[GPRS/EDGE]\nC = 3\n");
  int count = -1;
  EXPECT_EQ(getParameterCount(&kHandlerId, &count), kHandlerOk);
  EXPECT_EQ(count, 3);
  file.Rewrite("A = 1\n");
  StdoutCapture errors(2);
  EXPECT_EQ(getParameterCount(&kHandlerId, &count), kMasterFileKeyOutsideGroup);
  EXPECT_EQ(count, 3) << "untouched on failure";
  EXPECT_NE(errors.Take(), "");
}

TEST(GetParameterValue, CopiesTheValueTextWhenItFits) {
  const TempMasterFile file("[GSM]\nRX Level = -60.5\n");
  struct Case {
    const char* name;
    int size;
    int code;
    const char* buffer;
  };
  const Case cases[] = {
      {"RX Level", 64, kHandlerOk, "-60.5"},
      {"RX Level", 6, kHandlerOk, "-60.5"},
      {"RX Level", 5, kParameterBufferTooSmall, "untouched"},
      {"rx level", 64, kParameterUnknown, "untouched"},
  };
  for (const Case& c : cases) {
    char buffer[64] = "untouched";
    EXPECT_EQ(getParameterValue(&kHandlerId, c.name, buffer, c.size), c.code) << c.name << " " << c.size;
    EXPECT_STREQ(buffer, c.buffer) << c.name << " " << c.size;
  }
}

TEST(SetParameterValue, ReplacesOnlyTheValueBytes) {
  const TempMasterFile file("[GSM]\r\nRX Level   =   -60.5\r\n; keep = me\r\nTX Level=-50");
  EXPECT_EQ(setParameterValue(&kHandlerId, "RX Level", "-70.25"), kHandlerOk);
  EXPECT_EQ(setParameterValue(&kHandlerId, "TX Level", "-40"), kHandlerOk);
  EXPECT_EQ(file.Read(), "[GSM]\r\nRX Level   =   -70.25\r\n; keep = me\r\nTX Level=-40");
}

TEST(SetParameterValue, RefusesUnknownNamesAndLineBreaksLeavingTheFile) {
  const std::string text = "[GSM]\nRX Level = -60.5\n";
  const TempMasterFile file(text);
  StdoutCapture errors(2);
  EXPECT_EQ(setParameterValue(&kHandlerId, "TX Level", "-40"), kParameterUnknown);
  EXPECT_EQ(errors.Take(), "ParameterHandler: " + file.path() + ": no parameter \"TX Level\"\n");
  EXPECT_EQ(setParameterValue(&kHandlerId, "RX Level", "-40\n[Other]"), kHandlerBadArgument);
  EXPECT_EQ(file.Read(), text);
}

std::vector<std::string> notifications;

template <int Receiver>
void WINAPI Record(int changedBy, const char* name, const char* value) {
  notifications.push_back("to " + std::to_string(Receiver) + " from " + std::to_string(changedBy) + ": " +
                          name + " = " + value);
}

TEST(ApplyFromL3andNotifyGUI, StoresTheValueAndTellsEveryOtherRegisteredHandler) {
  const TempMasterFile file("[GSM]\nRX Level = -60.5\n");
  const int one = 1, two = 2, three = 3;
  ASSERT_EQ(registerParameterHandler(&one, &Record<1>), kHandlerOk);
  ASSERT_EQ(registerParameterHandler(&two, &Record<2>), kHandlerOk);
  ASSERT_EQ(registerParameterHandler(&three, &Record<3>), kHandlerOk);
  ASSERT_EQ(registerParameterHandler(&three, nullptr), kHandlerOk);
  EXPECT_EQ(ApplyFromL3andNotifyGUI(&one, "RX Level", "-70"), kHandlerOk);
  EXPECT_EQ(notifications, std::vector<std::string>{"to 2 from 1: RX Level = -70"});
  EXPECT_EQ(file.Read(), "[GSM]\nRX Level = -70\n");
  StdoutCapture errors(2);
  EXPECT_EQ(ApplyFromL3andNotifyGUI(&two, "TX Level", "-40"), kParameterUnknown);
  EXPECT_EQ(notifications.size(), 1u) << "a failed change notifies nobody";
}

}  // namespace
}  // namespace geran::test
