// The general test-set commands: the call the test set sees, output, trace lines and reports.
#include "command_table.h"

namespace geran::test {
namespace {

constexpr const char* kSource = "src/testset/general_commands.cpp";

const Command kCommands[] = {
    Row("StartScript", kSource, GERAN_CALL(StartScript), "StartScript()",
        {-1, nullptr, " Start Script Done\n", "StartScript Done Successfully\n"},
        {0, "StartScript", "", "StartScript Faied with hr = {hr}\n"}, {0}),
    // The name fits its buffer exactly with its NUL; a failed read leaves the buffer as it was.
    Row("GetLogFileName", kSource, GERAN_CALL(GetLogFileName, nameBack, 10), "get_LogFileName()",
        {-1, nullptr, "", "", "", {}, "trace.log"}, {0, "GetLogFileName", "", "", "", {}, "xxxxxxxxxxxxxxx"},
        {0}),
    // No connection check first: the missing connection is reported.
    Row("PutLogFileName", kSource, GERAN_CALL(PutLogFileName, "log.txt", 8), "put_LogFileName(\"log.txt\")",
        {-1}, {0, "put_LogFileName"}, {0, "put_LogFileName"}),
    Row("PutKeywordTimeout", kSource, GERAN_CALL(PutKeywordTimeout, -5), "put_KeywordTimeout(-5)",
        {-1, nullptr, "", "KeywordTimeout successful\n"},
        {0, "put_KeywordTimeout", "", "KeywordTimeout Faied with hr = {hr}\n"}, {0}),
    Row("WaitTime", kSource, GERAN_CALL(WaitTime, 30), "WaitTime(30)", {-1}, {0, "WaitTime"}, {0}),
    Row("SelectRadioSystem", kSource, GERAN_CALL(SelectRadioSystem, 0), "SelectRadioSystem(0)",
        {-1, nullptr, "", "SelectRadioSystem Successfull\n"},
        {0, "SelectRadioSystem", "", "SelectRadioSystem Faied with hr = {hr}\n"}, {0}),
    // Best effort: a failure is not reported.
    Row("ShowText", kSource, GERAN_CALL(ShowText, "text", 5), "ShowText(\"text\")", {-1}, {0}, {0}),
};

class GeneralCommandTest : public CommandTableTest {};

TEST_P(GeneralCommandTest, GivesWhatItsRowSays) { CheckRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(General, GeneralCommandTest, ::testing::ValuesIn(kCommands), RowName);

}  // namespace
}  // namespace geran::test
