// The to-do list worked with the mouse, as the office uses it: a click on a row must be read as
// that row chosen, whatever order the toolkit selects and reports it in.
#include <gtest/gtest.h>

#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using Texts = std::vector<std::string>;

class Mouse : public TodoFixture {
protected:
    // Three entries whose every column differs, so a wrong row cannot pass for the right one.
    void SetUp() override {
        std::vector<Entry> list = {
            {"Ring Mr Patel", " 1", "01-03-2026", "12-03-2026", "10:01", " 6"},
            {"Order panels", " 2", "02-03-2026", "13-04-2026", "11:02", " 6"},
            {"Invoice the Smiths", " 3", "03-03-2026", "14-05-2027", "12:03", " 6"}};
        write_file(in_program_folder("todo.dat"), database_bytes(list, 3));
        start();
    }
    void click_row(int column_id, int row) { driver.select_row(main_dialog, column_id, row); }
    int selected(int column_id) { return common::list_get_selected(main_dialog, column_id); }
    Texts date_fields() { return {text(ID_DAY_FIELD), text(ID_MONTH_FIELD), text(ID_THIRD_FIELD)}; }
};

TEST_F(Mouse, ADateIsChosenChangedAndSavedWithTheMouseAlone) {
    click_row(ID_DATE_COLUMN, 1);
    EXPECT_EQ(date_fields(), (Texts{"13", "04", "2026"}));
    for (int id : {ID_PRIORITY_COLUMN, ID_CREATED_COLUMN, ID_TIME_COLUMN, ID_STATUS_COLUMN,
                   ID_TEXT_COLUMN, ID_DATE_COLUMN}) {
        EXPECT_EQ(selected(id), 1) << "column " << id << " shows the chosen entry";
    }
    EXPECT_EQ(common::timer_period(main_dialog, REMINDER_TIMER), 20000);
    click(ID_YEAR_BUTTON);  // today, 10 March 2026
    click(ID_CHANGE_DATE);
    EXPECT_EQ(column(ID_DATE_COLUMN), (Texts{"12-03-2026", "10-03-2026", "14-05-2027"}));
    choose_tool(CMD_FINNISHED);
    EXPECT_FALSE(state.run);
    start_again();
    EXPECT_EQ(entries()[1].date, "10-03-2026") << "saved";
    EXPECT_EQ(entries()[1].text, "Order panels");
}

TEST_F(Mouse, ATimeRowFillsTheTimeFieldsAndItsChangeLandsOnThatRow) {
    click_row(ID_TIME_COLUMN, 2);
    EXPECT_EQ(text(ID_HOURS_FIELD) + ":" + text(ID_MINUTES_FIELD), "12:03");
    EXPECT_TRUE(state.entry_selected);
    EXPECT_EQ(state.current_row, 2);
    click(ID_HOUR_BUTTON);
    click(ID_CHANGE_TIME);
    EXPECT_EQ(column(ID_TIME_COLUMN), (Texts{"10:01", "11:02", "13:03"}));
}

TEST_F(Mouse, ATextRowChoosesTheSameRowInEveryColumn) {
    click_row(ID_TEXT_COLUMN, 2);
    for (int id : {ID_PRIORITY_COLUMN, ID_CREATED_COLUMN, ID_DATE_COLUMN, ID_TIME_COLUMN,
                   ID_STATUS_COLUMN, ID_TEXT_COLUMN}) {
        EXPECT_EQ(selected(id), 2) << "column " << id;
    }
    // The program has already selected the date row; a click on it still chooses it.
    click_row(ID_DATE_COLUMN, 2);
    EXPECT_EQ(date_fields(), (Texts{"14", "05", "2027"}));
    driver.type(main_dialog, ID_ENTRY_EDIT, "Invoice the Smiths (paid)");
    click(ID_CHANGE_SELECTED);
    EXPECT_EQ(column(ID_TEXT_COLUMN)[2], "Invoice the Smiths (paid)");
}

TEST_F(Mouse, SendToLogAndDeleteTakeTheEntryChosenOnItsDate) {
    click_row(ID_DATE_COLUMN, 1);
    choose_tool(CMD_SEND_TO_LOG);
    EXPECT_EQ(read_file(in_current_folder("ToDoLog.txt")),
              "02-03-2026 13-04-2026  10-03-2026 Order panels\r\n");
    EXPECT_TRUE(shown("Error!").empty());
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Ring Mr Patel", "Invoice the Smiths"}));

    click_row(ID_DATE_COLUMN, 0);
    choose_tool(CMD_DELETE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Invoice the Smiths"});
    EXPECT_EQ(column(ID_DATE_COLUMN), Texts{"14-05-2027"});
    EXPECT_EQ(state.entry_count, 1);
}

TEST_F(Mouse, DoubleClickDragAndKeysEachChooseOneRow) {
    driver.double_click_row(main_dialog, ID_TEXT_COLUMN, 1);
    EXPECT_EQ(text(ID_ENTRY_EDIT), "Order panels");
    EXPECT_EQ(selected(ID_DATE_COLUMN), 1);

    // Pressed on the first date, let go on the last: the date fields show where it ended.
    driver.drag_rows(main_dialog, ID_DATE_COLUMN, 0, 2);
    EXPECT_EQ(date_fields(), (Texts{"14", "05", "2027"}));
    EXPECT_EQ(selected(ID_TEXT_COLUMN), 2);
    driver.press_key(main_dialog, ID_DATE_COLUMN, common::testing::VK_UP);
    EXPECT_EQ(date_fields(), (Texts{"13", "04", "2026"}));
    EXPECT_EQ(selected(ID_TEXT_COLUMN), 1);
}

}  // namespace
}  // namespace todo::testing
