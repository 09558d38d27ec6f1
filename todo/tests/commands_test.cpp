// The main dialog's commands driven as the user drives them.
#include <gtest/gtest.h>

#include "common/services.h"
#include "common/window.h"
#include "startup.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using Texts = std::vector<std::string>;

class Commands : public TodoFixture {
protected:
    // n entries "e1".."en" with priorities 1..n.
    void start_with_entries(int n, const std::string& date = "12-03-2026") {
        std::vector<Entry> list;
        for (int i = 1; i <= n; ++i) {
            list.push_back({"e" + std::to_string(i), " " + std::to_string(i), "01-03-2026", date,
                            "10:00", " 6"});
        }
        write_file(in_program_folder("todo.dat"), database_bytes(list, n));
        start();
    }
    void set_date_fields(const std::string& d, const std::string& m, const std::string& third) {
        type(ID_DAY_FIELD, d);
        type(ID_MONTH_FIELD, m);
        type(ID_THIRD_FIELD, third);
    }
};

TEST_F(Commands, AddAppendsAnInactiveEntrySavesAndNotesIt) {
    start_with_entries(2);
    type(ID_ENTRY_EDIT, "Quote for Mr Patel");
    set_date_fields("24", "12", "2026");
    type(ID_HOURS_FIELD, "08");
    type(ID_MINUTES_FIELD, "05");
    click(ID_ADD);
    EXPECT_EQ(entries().back(),
              (Entry{"Quote for Mr Patel", " 3", "10-03-2026", "24-12-2026", "08:05", " 6"}));
    EXPECT_EQ(state.entry_count, 3);
    EXPECT_EQ(read_file(in_current_folder("AddFile.txt")),
              "Quote for Mr Patel 10-03-2026  3 24-12-2026 08:05 \r\n");
    EXPECT_FALSE(exists(in_program_folder("AddFile.txt")));
    EXPECT_EQ(read_file(in_program_folder("todo.dat")).size(), 4u * 1036) << "saved at once";

    state.reselect = false;
    type(ID_ENTRY_EDIT, "");
    click(ID_ADD);
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_TRUE(state.reselect) << "an empty edit adds nothing but still re-selects";
}

TEST_F(Commands, DeleteTwiceRemovesOneEntryThenOnlySaves) {
    start_with_entries(4);
    select_row(ID_TEXT_COLUMN, 1);
    EXPECT_EQ(common::list_get_selected(main_dialog, ID_DATE_COLUMN), 1)
        << "the row is chosen in all";
    choose_tool(CMD_DELETE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3", "e4"}));
    EXPECT_EQ(column(ID_STATUS_COLUMN).size(), 3u);
    choose_tool(CMD_DELETE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3", "e4"}));
    EXPECT_EQ(state.entry_count, 3);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3", "e4"}));
}

TEST_F(Commands, ClearAllEmptiesTheWholeListAndAddsTheAboutEntry) {
    start_with_entries(45);
    choose_tool(CMD_CLEAR_ALL);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].text.rfind("ZaZu R008a", 0), 0u);
    EXPECT_EQ(entries()[0].priority, " 1");
    EXPECT_EQ(entries()[0].created, "06-02-2004");
    EXPECT_EQ(entries()[0].date, "10-03-2026");
    EXPECT_EQ(entries()[0].time, " 1");
    EXPECT_EQ(entries()[0].status, " 0");
    EXPECT_EQ(state.entry_count, 1);
    const std::string cleared = read_file(in_program_folder("todo.dat"));
    EXPECT_EQ(cleared, std::string(41 * 1036, '\0'));
    choose_tool(CMD_FINNISHED);
    start_again();
    EXPECT_EQ(entries().size(), 1u) << "the about entry is stored by the next save";
}

TEST_F(Commands, PriorityButtonsAndTheReminderSwitch) {
    start_with_entries(3);
    select_row(ID_PRIORITY_COLUMN, 0);
    click(ID_INCREASE_PRIORITY);
    EXPECT_EQ(column(ID_PRIORITY_COLUMN)[0], " 1") << "1 is the highest";
    select_row(ID_PRIORITY_COLUMN, 2);
    click(ID_INCREASE_PRIORITY);
    EXPECT_EQ(column(ID_PRIORITY_COLUMN)[2], " 2");
    EXPECT_EQ(common::list_get_selected(main_dialog, ID_PRIORITY_COLUMN), 2);
    for (int i = 0; i < 100; ++i) click(ID_DECREASE_PRIORITY);
    EXPECT_EQ(column(ID_PRIORITY_COLUMN)[2], " 102");

    state.highlighted_row = 1;
    select_row(ID_STATUS_COLUMN, 1);
    click(ID_SWITCH_REMINDER);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[1], " 5");
    click(ID_SWITCH_REMINDER);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[1], " 6");
    EXPECT_EQ(state.highlighted_row, -1);
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 2000);
}

TEST_F(Commands, DateAndTimeChangesNeedASelectedRowAndARealMinute) {
    start_with_entries(2);
    type(ID_HOURS_FIELD, "11");
    type(ID_MINUTES_FIELD, "45");
    click(ID_CHANGE_TIME);
    set_date_fields("01", "04", "2026");
    click(ID_CHANGE_DATE);
    EXPECT_EQ(column(ID_TIME_COLUMN), (Texts{"10:00", "10:00"})) << "nothing selected";
    EXPECT_EQ(column(ID_DATE_COLUMN), (Texts{"12-03-2026", "12-03-2026"}));

    select_row(ID_TIME_COLUMN, 1);
    EXPECT_EQ(text(ID_HOURS_FIELD), "10");
    type(ID_HOURS_FIELD, "11");
    type(ID_MINUTES_FIELD, "MM");
    click(ID_CHANGE_TIME);
    EXPECT_EQ(column(ID_TIME_COLUMN)[1], "10:00");
    type(ID_MINUTES_FIELD, "45");
    click(ID_CHANGE_TIME);
    EXPECT_EQ(column(ID_TIME_COLUMN)[1], "11:45");
    EXPECT_EQ(state.last_alarmed, 0);

    select_row(ID_DATE_COLUMN, 0);
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 20000);
    EXPECT_EQ(common::list_get_selected(main_dialog, ID_TEXT_COLUMN), 0);
    set_date_fields("01", "04", "2026");
    click(ID_CHANGE_DATE);
    EXPECT_EQ(column(ID_DATE_COLUMN)[0], "01-04-2026");
    select_row(ID_TEXT_COLUMN, 1);
    type(ID_ENTRY_EDIT, "e2 changed");
    click(ID_CHANGE_SELECTED);
    EXPECT_EQ(column(ID_TEXT_COLUMN)[1], "e2 changed");
}

TEST_F(Commands, DayAndMonthNamesCycleFromAYear) {
    start_with_entries(1, "--Tue");
    select_row(ID_DATE_COLUMN, 0);
    EXPECT_EQ(text(ID_DAY_FIELD), "");
    EXPECT_EQ(text(ID_MONTH_FIELD), "");
    EXPECT_EQ(text(ID_THIRD_FIELD), "Tue");

    click(ID_YEAR_BUTTON);
    EXPECT_EQ(text(ID_THIRD_FIELD), "2026");
    click(ID_DAY_BUTTON);
    EXPECT_EQ(text(ID_THIRD_FIELD), "Tue") << "10 March 2026 is a Tuesday";
    EXPECT_EQ(text(ID_DAY_FIELD) + text(ID_MONTH_FIELD), "");
    for (const char* next : {"Wed", "Thu", "Fri", "Sat", "Sun", "Day", "Mon"}) {
        click(ID_DAY_BUTTON);
        EXPECT_EQ(text(ID_THIRD_FIELD), next);
    }
    click(ID_YEAR_BUTTON);
    click(ID_MONTH_BUTTON);
    EXPECT_EQ(text(ID_THIRD_FIELD), "Mar");
    EXPECT_EQ(text(ID_DAY_FIELD), "10");
    EXPECT_EQ(text(ID_MONTH_FIELD), "");
    type(ID_THIRD_FIELD, "Dec");
    click(ID_MONTH_BUTTON);
    EXPECT_EQ(text(ID_THIRD_FIELD), "Jan");
    EXPECT_EQ(text(ID_DAY_FIELD), "10") << "a known month name only moves on";
}

TEST_F(Commands, HourMinuteAndNowButtons) {
    start_with_entries(0);
    type(ID_HOURS_FIELD, "23");
    type(ID_MINUTES_FIELD, "08");
    click(ID_HOUR_BUTTON);
    click(ID_MINUTE_BUTTON);
    EXPECT_EQ(text(ID_HOURS_FIELD), "00");
    EXPECT_EQ(text(ID_MINUTES_FIELD), "09");
    type(ID_MINUTES_FIELD, "59");
    click(ID_MINUTE_BUTTON);
    EXPECT_EQ(text(ID_MINUTES_FIELD), "00");
    driver.set_clock(2026, 3, 10, 17, 42, 5);
    click(ID_NOW_BUTTON);
    EXPECT_EQ(text(ID_HOURS_FIELD) + ":" + text(ID_MINUTES_FIELD), "17:42");
}

TEST_F(Commands, SendToLogWithAndWithoutAChosenEntry) {
    start_with_entries(3);
    select_row(ID_TEXT_COLUMN, 1);
    choose_tool(CMD_SEND_TO_LOG);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3"}));
    EXPECT_EQ(state.entry_count, 2);
    EXPECT_EQ(read_file(in_current_folder("ToDoLog.txt")),
              "01-03-2026 12-03-2026  10-03-2026 e2\r\n");

    choose_tool(CMD_SEND_TO_LOG);
    EXPECT_EQ(read_file(in_current_folder("ToDoLog.txt")),
              "01-03-2026 12-03-2026  10-03-2026 e2\r\n   10-03-2026 \r\n");
    EXPECT_EQ(shown("Error!"), Texts{"Problem deleting entry"});
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 2u);
    EXPECT_FALSE(exists(in_program_folder("ToDoLog.txt")));
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3"})) << "saved after logging";
}

TEST_F(Commands, OpenAnotherDatabaseCancelledThenChosen) {
    start_with_entries(2);
    driver.answer_file_requester("");
    choose_tool(CMD_DATA_BASE);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Open ToDo database");
    EXPECT_EQ(driver.requesters()[0].filter, "Dat Files (*.dat)|*.dat||");
    EXPECT_TRUE(main_dialog.is_open());
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e2"}));
    EXPECT_EQ(state.settings.database_path, in_program_folder("todo.dat"));
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 4000);

    const std::string other = current_folder + "office.dat";
    write_file(other, database_bytes({{"from the office", " 1", "", "", "", " 6"}}, 1));
    driver.answer_file_requester(other);
    choose_tool(CMD_DATA_BASE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"from the office"});
    EXPECT_EQ(state.last_alarmed, -1);
    EXPECT_EQ(common::get_window_title(main_dialog),
              "ZaZu R008a - Database: " + other.substr(program_folder.size()));
    const std::string settings = read_file(in_program_folder("todo.ini"));
    EXPECT_NE(settings.find("\r\n" + other + "\r\n"), std::string::npos) << "line 5 holds it";
}

TEST_F(Commands, RefreshSavesReloadsAndTakesAFreshBackup) {
    start_with_entries(1);
    const int first_cycle = state.cycle;
    type(ID_ENTRY_EDIT, "added before refresh");
    click(ID_ADD);
    choose_tool(CMD_REFRESH);
    EXPECT_FALSE(state.run);
    EXPECT_TRUE(state.reload);
    ASSERT_TRUE(end_and_maybe_reload());
    EXPECT_EQ(state.cycle, first_cycle + 1);
    EXPECT_TRUE(state.run);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "added before refresh"}));
    EXPECT_EQ(read_file(in_current_folder("todo.bak")), read_file(in_program_folder("todo.dat")));
    EXPECT_EQ(read_file(in_current_folder("todo.bak")).size(), 3u * 1036);
}

TEST_F(Commands, SmallerCommandsOfTheDialog) {
    start_with_entries(2);
    write_file(in_current_folder("ToDoLog.txt"), "01-03-2026 12-03-2026  09-03-2026 done\r\n");
    choose_tool(CMD_OPEN_LOG);
    ASSERT_EQ(driver.started_programs().size(), 1u);
    EXPECT_EQ(driver.started_programs()[0].file, current_folder + "ToDoLog.txt");
    choose_tool(CMD_CANCEL);
    EXPECT_EQ(shown("message..."), Texts{"This doesen't do anything"});
    select_row(ID_CREATED_COLUMN, 1);
    EXPECT_EQ(shown("Pause...").size(), 1u);
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 3000);
    driver.double_click_row(main_dialog, ID_TEXT_COLUMN, 1);
    EXPECT_EQ(text(ID_ENTRY_EDIT), "e2");
    driver.close_box(main_dialog);
    EXPECT_FALSE(state.run);
}

}  // namespace
}  // namespace todo::testing
