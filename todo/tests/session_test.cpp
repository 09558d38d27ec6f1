// A new user's first session from an empty folder, and the next start finding everything again.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

class Session : public TodoFixture {
protected:
    void add(const std::string& text, const std::string& hours, const std::string& minutes) {
        type(ID_ENTRY_EDIT, text);
        type(ID_HOURS_FIELD, hours);
        type(ID_MINUTES_FIELD, minutes);
        click(ID_ADD);
    }
};

TEST_F(Session, FirstDayWithTheProgram) {
    start();
    type(ID_DAY_FIELD, "12");
    add("Call the scaffolder", "08", "00");
    for (int i = 0; i < 4; ++i) click(ID_DAY_BUTTON);  // year, Tue, Wed, Thu, Fri
    add("Survey at Elm Road", "14", "30");
    click(ID_YEAR_BUTTON);
    click(ID_MONTH_BUTTON);
    add("Send the Baker invoice", "16", "45");
    EXPECT_EQ(column(ID_DATE_COLUMN), (std::vector<std::string>{"12-03-2026", "--Fri", "10--Mar"}));

    select_row(ID_PRIORITY_COLUMN, 2);
    click(ID_INCREASE_PRIORITY);
    click(ID_INCREASE_PRIORITY);
    choose_tool(CMD_PRIORITY);
    EXPECT_EQ(column(ID_TEXT_COLUMN),
              (std::vector<std::string>{"Call the scaffolder", "Send the Baker invoice",
                                        "Survey at Elm Road"}));
    select_row(ID_TEXT_COLUMN, 0);
    choose_tool(CMD_SEND_TO_LOG);
    driver.close_box(main_dialog);
    EXPECT_FALSE(state.run);
    EXPECT_TRUE(shown("Error...SaveData...").empty());

    start_again();
    EXPECT_EQ(entries(),
              (std::vector<Entry>{
                  {"Send the Baker invoice", " 1", "10-03-2026", "10--Mar", "16:45", " 6"},
                  {"Survey at Elm Road", " 2", "10-03-2026", "--Fri", "14:30", " 6"}}));
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Number of entries in the list:  2");
    EXPECT_EQ(read_file(in_current_folder("ToDoLog.txt")),
              "10-03-2026 12-03-2026  10-03-2026 Call the scaffolder\r\n");
    EXPECT_EQ(read_file(in_current_folder("AddFile.txt")),
              "Call the scaffolder 10-03-2026  1 12-03-2026 08:00 \r\n"
              "Survey at Elm Road 10-03-2026  2 --Fri 14:30 \r\n"
              "Send the Baker invoice 10-03-2026  3 10--Mar 16:45 \r\n");
    EXPECT_EQ(read_file(in_current_folder("todo.bak")), read_file(in_program_folder("todo.dat")));
}

TEST_F(Session, LogAndNoteFilesThatCannotBeWrittenAreReported) {
    start();
    std::filesystem::create_directory(in_current_folder("ToDoLog.txt"));
    std::filesystem::create_directory(in_current_folder("AddFile.txt"));
    add("Ring the bank", "10", "00");
    EXPECT_EQ(column(ID_TEXT_COLUMN), std::vector<std::string>{"Ring the bank"});
    EXPECT_EQ(shown("error...AddToTxtFile..."),
              std::vector<std::string>{"Problem adding note to backup text file"});
    select_row(ID_TEXT_COLUMN, 0);
    choose_tool(CMD_SEND_TO_LOG);
    EXPECT_EQ(shown("Error...sub SendToLog..."),
              std::vector<std::string>{"Unable to write to log"});
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 1u) << "an entry that was not logged stays";
}

}  // namespace
}  // namespace todo::testing
