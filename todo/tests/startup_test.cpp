// Start-up: where the dialogs stand, what they hold, the backup, and the ends of the program.
#include "startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/services.h"
#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using common::list_count;

TEST_F(TodoFixture, FirstStartWithoutSettings) {
    start();
    ASSERT_TRUE(main_dialog.is_open());
    EXPECT_EQ(state.settings.database_path, program_folder + "todo.dat");
    EXPECT_EQ(main_dialog.dialog_template.x, 0);
    EXPECT_EQ(main_dialog.dialog_template.y, 0);
    EXPECT_EQ(weights_dialog.dialog_template.x, 387);
    EXPECT_EQ(weights_dialog.dialog_template.y, 365);
    EXPECT_EQ(common::get_window_title(main_dialog), "ZaZu R008a - Database: todo.dat");
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Number of entries in the list:  0");
    EXPECT_EQ(state.entry_count, 0);
    EXPECT_TRUE(shown("Error...start...").empty()) << "a first start has nothing to back up";
    EXPECT_EQ(text(ID_DAY_FIELD), "10");
    EXPECT_EQ(text(ID_MONTH_FIELD), "03");
    EXPECT_EQ(text(ID_THIRD_FIELD), "2026");
    EXPECT_EQ(text(ID_HOURS_FIELD), "09");
    EXPECT_EQ(text(ID_MINUTES_FIELD), "30");
    EXPECT_EQ(common::get_check(main_dialog, ID_MESSAGE_FILE_CHECK), 1);
    EXPECT_EQ(common::get_check(main_dialog, ID_SHOW_OUTPUT_CHECK), 1);
    EXPECT_EQ(common::get_check(main_dialog, ID_FINE_TUNE_CHECK), 0);
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 2000);
}

TEST_F(TodoFixture, DialogsAreDeclaredInTabOrderWithTheirTools) {
    start();
    std::vector<int> order;
    for (const auto& control : main_dialog.dialog_template.controls) order.push_back(control.id);
    EXPECT_EQ(order, (std::vector<int>{66, 69, 9,  13, 14, 20, 28, 29, 30, 54, 59, 60, 61, 39,
                                       52, 51, 53, 62, 63, 64, 46, 47, 1,  2,  7,  56, 68, 70,
                                       11, 8,  10, 12, 15, 17, 19, 23, 31, 32, 33, 38, 44}));
    EXPECT_EQ(alarm_dialog.dialog_template.controls.size(), 10u);
    EXPECT_EQ(alarm_dialog.dialog_template.title, "Alarm Action");
    ASSERT_EQ(weights_dialog.dialog_template.controls.size(), 21u);
    EXPECT_EQ(weights_dialog.dialog_template.controls[0].caption, "hello");
    EXPECT_EQ(weights_dialog.dialog_template.controls[5].x, 392);
    EXPECT_EQ(common::tool_bar_label(main_dialog, ID_TOOL_BAR, CMD_CLEAR_ALL), "Clear All");
    EXPECT_EQ(common::tool_bar_tooltip(main_dialog, ID_TOOL_BAR, CMD_CLEAR_ALL),
              "Clear everthing in the list");
    EXPECT_EQ(common::tool_bar_label(main_dialog, ID_TOOL_BAR, CMD_NN_WEIGHTS), "NN weights");
    EXPECT_EQ(common::tool_bar_tooltip(main_dialog, ID_TOOL_BAR, CMD_OPEN_LOG),
              "Open notepad and load ToDoLog.txt");
}

TEST_F(TodoFixture, SavedPositionPlacesBothDialogsAndTheBackupGoesToTheCurrentFolder) {
    write_file(in_program_folder("todo.ini"),
               "\r\n\r\n 0\r\n 0\r\n" + program_folder + "todo.dat\r\n 120  45 ToDo: \r\n");
    write_file(in_program_folder("todo.dat"), database_bytes({}, 0));
    start();
    EXPECT_EQ(main_dialog.dialog_template.x, 120);
    EXPECT_EQ(weights_dialog.dialog_template.x, 507);
    EXPECT_EQ(weights_dialog.dialog_template.y, 410);
    EXPECT_EQ(read_file(in_current_folder("todo.bak")), database_bytes({}, 0));
    EXPECT_FALSE(exists(in_program_folder("todo.bak")));
}

TEST_F(TodoFixture, FailedBackupIsReportedAndTheProgramGoesOn) {
    write_file(in_program_folder("todo.dat"), database_bytes({}, 0));
    std::filesystem::create_directory(in_current_folder("todo.bak"));
    start();
    EXPECT_EQ(
        shown("Error...start..."),
        std::vector<std::string>{"Unable to create backup \r\n of todo.dat an error occured"});
    EXPECT_TRUE(main_dialog.is_open());
}

// A database path that cannot be opened ends the program at once, writing nothing.
TEST_F(TodoFixture, UnopenableDatabaseEndsTheRunLoopAtOnce) {
    std::filesystem::create_directory(in_program_folder("folder.dat"));
    write_file(in_program_folder("todo.ini"),
               "\r\n\r\n 0\r\n 0\r\n" + program_folder + "folder.dat\r\n 5  5 ToDo: \r\n");
    const std::string settings = read_file(in_program_folder("todo.ini"));
    EXPECT_EQ(run_todo(), 0);
    EXPECT_EQ(exits, 1);
    // The folder cannot be backed up either; that is reported first.
    ASSERT_EQ(shown("Error...start...").size(), 2u);
    EXPECT_EQ(shown("Error...start...")[1],
              "Cant create or access todo.dat \r\n try updating todo.ini \r\n line 5 \r\n (" +
                  program_folder + "folder.dat is a folder, not a file)");
    EXPECT_EQ(read_file(in_program_folder("todo.ini")), settings);
}

}  // namespace
}  // namespace todo::testing
