// Files the user points the program at that are not there yet: a database is started empty and
// the user is told which one, and a log that does not exist yet is not opened but explained.
#include <gtest/gtest.h>

#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using Texts = std::vector<std::string>;

class MissingFiles : public TodoFixture {
protected:
    void start_with_one_entry() {
        write_file(in_program_folder("todo.dat"),
                   database_bytes(
                       {{"Ring Mr Patel", " 1", "01-03-2026", "12-03-2026", "10:00", " 6"}}, 1));
        start();
    }
};

TEST_F(MissingFiles, ADatabaseMissingFromLineFiveIsStartedEmptyAndSaidSo) {
    start();  // the very first start makes its database without a word
    EXPECT_TRUE(shown("Message...start...").empty());
    EXPECT_TRUE(exists(in_program_folder("todo.dat")));

    const std::string mistyped = in_program_folder("tood.dat");
    write_file(in_program_folder("todo.ini"), settings_for(mistyped));
    start_again();
    EXPECT_EQ(shown("Message...start..."),
              Texts{"No data base found at \r\n " + mistyped +
                    " \r\n a new, empty data base is being started \r\n (the data base is named "
                    "on line 5 of todo.ini)"});
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(column(ID_TEXT_COLUMN).empty());
    EXPECT_TRUE(exists(mistyped));
    start_again();
    EXPECT_EQ(shown("Message...start...").size(), 1u) << "once made, it is found";
}

TEST_F(MissingFiles, TheDataBaseRequesterStartsANewDatabaseUnderANewName) {
    start_with_one_entry();
    const std::string fresh = current_folder + "office.dat";
    driver.answer_file_requester(fresh);
    driver.choose_tool(main_dialog, ID_TOOL_BAR, CMD_DATA_BASE);
    EXPECT_EQ(shown("Message...Data base..."),
              Texts{"No data base found at \r\n " + fresh +
                    " \r\n a new, empty data base is being started"});
    EXPECT_TRUE(column(ID_TEXT_COLUMN).empty());
    EXPECT_EQ(state.settings.database_path, fresh);
    driver.type(main_dialog, ID_ENTRY_EDIT, "Order panels");
    driver.click(main_dialog, ID_ADD);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Order panels"}) << "the new one is kept";
    driver.answer_file_requester(in_program_folder("todo.dat"));
    driver.choose_tool(main_dialog, ID_TOOL_BAR, CMD_DATA_BASE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Ring Mr Patel"});
    EXPECT_EQ(shown("Message...Data base...").size(), 1u) << "an existing one is just opened";
}

TEST_F(MissingFiles, OpenLogBeforeThereIsALogSaysSo) {
    start_with_one_entry();
    driver.choose_tool(main_dialog, ID_TOOL_BAR, CMD_OPEN_LOG);
    EXPECT_TRUE(driver.started_programs().empty());
    EXPECT_EQ(shown("Message...Open log..."),
              Texts{"There is no log yet \r\n ToDoLog.txt is started when the first entry \r\n "
                    "is sent to the log"});
    EXPECT_TRUE(driver.messages().back().had_owner) << "over the main dialog";

    driver.select_row(main_dialog, ID_TEXT_COLUMN, 0);
    driver.choose_tool(main_dialog, ID_TOOL_BAR, CMD_SEND_TO_LOG);
    driver.choose_tool(main_dialog, ID_TOOL_BAR, CMD_OPEN_LOG);
    ASSERT_EQ(driver.started_programs().size(), 1u);
    EXPECT_EQ(driver.started_programs()[0].file, current_folder + "ToDoLog.txt");
}

}  // namespace
}  // namespace todo::testing
