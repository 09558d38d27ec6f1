// The six columns of the to-do list as a person reads them: whichever column the wheel, the keys,
// a selection or an alarm moves, every column shows the same rows, so an entry's text always
// stands beside its own priority, date and time.
#include <gtest/gtest.h>

#include "entries.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using common::testing::VK_DOWN;
using common::testing::VK_END;
using common::testing::VK_NEXT;

class ColumnsScroll : public TodoFixture {
protected:
    // 200 entries; entry `long_row` gets a text wider than its column.
    void start_with_200(int long_row = -1) {
        std::vector<Entry> list;
        for (int i = 1; i <= 200; ++i) {
            std::string text = "entry " + std::to_string(i);
            if (i - 1 == long_row) text += std::string(120, 'w');
            list.push_back(
                {text, " " + std::to_string(i), "01-03-2026", "12-03-2026", "10:00", " 6"});
        }
        start_on(list);
        for (int pass = 0; pass < 3; ++pass) driver.process_events();
    }
    std::pair<int, int> rows_shown(int id) { return driver.visible_rows(dialog(), id); }
    // Fails unless every column shows the rows the text column shows; returns them.
    std::pair<int, int> same_rows_everywhere(const std::string& after) {
        driver.process_events();  // the lists lay out their changed rows
        const std::pair<int, int> text_rows = rows_shown(ID_TEXT_COLUMN);
        for (int id : COLUMN_IDS) {
            EXPECT_EQ(rows_shown(id), text_rows) << "column " << id << " after " << after;
        }
        return text_rows;
    }
};

TEST_F(ColumnsScroll, WheelOnAnyColumnMovesThemAll) {
    start_with_200();
    ASSERT_EQ(same_rows_everywhere("start").first, 0);
    int top = 0;
    for (int id : COLUMN_IDS) {
        driver.wheel(dialog(), id, 2);
        const int now_top = same_rows_everywhere("the wheel down on " + std::to_string(id)).first;
        EXPECT_GT(now_top, top) << id;
        top = now_top;
    }
    driver.wheel(dialog(), ID_STATUS_COLUMN, -100);
    EXPECT_EQ(same_rows_everywhere("the wheel up to the top").first, 0);
    driver.wheel(dialog(), ID_CREATED_COLUMN, 100);
    EXPECT_EQ(same_rows_everywhere("the wheel down to the end").second, 199);
}

TEST_F(ColumnsScroll, KeysSelectionsAndAlarmsMoveThemAll) {
    start_with_200();
    select_row(ID_PRIORITY_COLUMN, 3);
    driver.press_key(dialog(), ID_PRIORITY_COLUMN, VK_NEXT);
    driver.press_key(dialog(), ID_PRIORITY_COLUMN, VK_NEXT);
    EXPECT_GT(same_rows_everywhere("Page Down").first, 0);
    driver.press_key(dialog(), ID_TIME_COLUMN, VK_END);
    EXPECT_EQ(same_rows_everywhere("End").second, 199);
    for (int i = 0; i < 3; ++i) driver.press_key(dialog(), ID_TEXT_COLUMN, VK_DOWN);

    // The program selecting a row far down, as the date column's choice does.
    select_entry(120);
    const auto rows = same_rows_everywhere("a selection");
    EXPECT_LE(rows.first, 120);
    EXPECT_GE(rows.second, 120);

    // An alarm selects its entry in the text column only: the others follow.
    common::list_delete(dialog(), ID_TIME_COLUMN, 40);
    common::list_insert(dialog(), ID_TIME_COLUMN, 40, "09:30");
    common::list_delete(dialog(), ID_DATE_COLUMN, 40);
    common::list_insert(dialog(), ID_DATE_COLUMN, 40, "10-03-2026");
    common::list_set_selected(dialog(), ID_TEXT_COLUMN, -1);
    tick();
    ASSERT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 40);
    const auto alarm_rows = same_rows_everywhere("an alarm");
    EXPECT_LE(alarm_rows.first, 40);
    EXPECT_GE(alarm_rows.second, 40);
}

// A text wider than its column gives every column a horizontal bar, so the last rows still
// line up.
TEST_F(ColumnsScroll, LongTextKeepsTheLastRowsInLine) {
    start_with_200(150);
    driver.wheel(dialog(), ID_TEXT_COLUMN, 100);
    EXPECT_EQ(same_rows_everywhere("the wheel to the end").second, 199);
    driver.wheel(dialog(), ID_DATE_COLUMN, 100);
    EXPECT_EQ(same_rows_everywhere("the wheel on the date column").second, 199);
}

}  // namespace
}  // namespace todo::testing
