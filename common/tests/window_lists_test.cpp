// List boxes, combo boxes, list views and scroll bars: rows, selection, commands, and which
// user actions report which Win32 codes.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTreeView>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

namespace {

struct Seen {
    int event_class;
    int control_id;
    int notify_code;
    long first_param;
    long second_param;
};

class Lists : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(open_window(window, 10, 10, 600, 400, 0, nullptr, "Lists",
                              [this](Window&) {
                                  const Event& e = event();
                                  if (e.event_class == EV_CONTROL || e.event_class == EV_VSCROLL ||
                                      e.event_class == EV_HSCROLL) {
                                      seen.push_back({e.event_class, e.control_id, e.notify_code,
                                                      static_cast<long>(e.first_param),
                                                      static_cast<long>(e.second_param)});
                                  }
                                  return 0;
                              }),
                  1);
    }
    common::testing::Driver driver;
    Window window;
    std::vector<Seen> seen;
};

TEST_F(Lists, RowsInsertDeleteAndEmptyResults) {
    add_control(window, KIND_LIST_BOX, "", 5, 5, 100, 100, 0x50B10141, 1);
    EXPECT_EQ(list_count(window, 1), 0);
    EXPECT_EQ(list_get_selected(window, 1), -1);
    list_add(window, 1, "b");
    list_add(window, 1, "d");
    list_insert(window, 1, 0, "a");
    list_insert(window, 1, 2, "c");
    list_insert(window, 1, -1, "e");  // -1: at the end
    ASSERT_EQ(list_count(window, 1), 5);
    EXPECT_EQ(list_get(window, 1, 0), "a");
    EXPECT_EQ(list_get(window, 1, 2), "c");
    EXPECT_EQ(list_get(window, 1, 4), "e");
    EXPECT_EQ(list_get(window, 1, 5), "");
    EXPECT_EQ(list_get(window, 1, -1), "");
    EXPECT_EQ(list_get_selected(window, 1), -1);
    list_delete(window, 1, 0);
    list_delete(window, 1, 17);  // no such row: nothing
    EXPECT_EQ(list_count(window, 1), 4);
    EXPECT_EQ(list_get(window, 1, 0), "b");
    list_set_selected(window, 1, 2);
    EXPECT_EQ(list_get_selected(window, 1), 2);
    list_set_selected(window, 1, -1);
    EXPECT_EQ(list_get_selected(window, 1), -1);
    // Lists only: an edit is no list.
    add_control(window, KIND_EDIT, "", 5, 120, 100, 20, 0, 2);
    list_add(window, 2, "x");
    EXPECT_EQ(list_count(window, 2), -1);
    EXPECT_EQ(get_control_text(window, 2), "");
    EXPECT_TRUE(seen.empty());  // none of the program's changes reported anything
}

// A list of ten thousand to-do entries or a hundred thousand price lines arrives and leaves in
// one change of the list, and what the program reads back are the bytes it gave ("£" is 163,
// and even the bytes Windows-1252 leaves undefined survive), converted only for what is shown.
TEST_F(Lists, ManyRowsChangeInOneStepAndReadBackByteForByte) {
    add_control(window, KIND_LIST_BOX, "", 5, 5, 100, 100, 0x50B10141, 1);
    add_control(window, KIND_COMBO_BOX, "", 120, 5, 100, 200, 0x50210042, 2);
    std::vector<std::string> texts;
    for (int i = 0; i < 1000; ++i) texts.push_back("row " + std::to_string(i));
    texts[500] = "\xA3 5 \x81\x8D\x80";
    for (int id : {1, 2}) {
        QAbstractItemModel* model =
            id == 1 ? qobject_cast<QAbstractItemView*>(control_widget(window, id))->model()
                    : qobject_cast<QComboBox*>(control_widget(window, id))->model();
        QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
        list_add_all(window, id, texts);
        EXPECT_EQ(inserted.count(), 1) << id;
        ASSERT_EQ(list_count(window, id), 1000);
        EXPECT_EQ(list_get(window, id, 500), texts[500]);
        EXPECT_EQ(model->index(500, 0).data().toString(),
                  QString::fromUtf16(u"\u00A3 5 \u0081\u008D\u20AC"));
        EXPECT_EQ(list_get_selected(window, id), -1);  // new rows never choose themselves
        list_set_selected(window, id, 500);
        EXPECT_EQ(get_control_text(window, id), texts[500]);
        list_delete_rows(window, id, 0, 2000);  // rows past the end are no rows
        EXPECT_EQ(removed.count(), 1) << id;
        EXPECT_EQ(list_count(window, id), 0);
        EXPECT_EQ(list_get_selected(window, id), -1);
    }
    EXPECT_TRUE(seen.empty());
}

TEST_F(Lists, OnlyNotifyingListBoxesReportTheUsersSelection) {
    add_control(window, KIND_LIST_BOX, "", 5, 5, 100, 100, 0x50B10141, 1);
    add_control(window, KIND_LIST_BOX, "", 110, 5, 100, 100, 0x50B10140, 2);
    for (int id : {1, 2}) {
        for (const char* row : {"one", "two", "three"}) list_add(window, id, row);
    }
    list_set_selected(window, 1, 0);  // the program's own selection: silent
    EXPECT_TRUE(seen.empty());
    driver.select_row(window, 2, 1);
    driver.double_click_row(window, 2, 2);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(list_get_selected(window, 2), 2);
    driver.select_row(window, 1, 1);
    driver.double_click_row(window, 1, 2);
    ASSERT_EQ(seen.size(), 3u);  // selection, selection (the double click moved it), double
    EXPECT_EQ(seen[0].control_id, 1);
    EXPECT_EQ(seen[0].notify_code, NOTIFY_SELECTION);
    EXPECT_EQ(seen[1].notify_code, NOTIFY_SELECTION);
    EXPECT_EQ(seen[2].notify_code, NOTIFY_DOUBLE_CLICK);
    EXPECT_EQ(list_get_selected(window, 1), 2);
    EXPECT_EQ(get_control_text(window, 1), "three");
}

TEST_F(Lists, ComboBoxRowsEditTextAndEvents) {
    add_control(window, KIND_COMBO_BOX, "", 5, 5, 150, 200, 0x50A00602, 1);
    // The given height includes the dropped list: closed, the box is one line high.
    EXPECT_LT(control_widget(window, 1)->height(), 60);
    EXPECT_EQ(control_widget(window, 1)->width(), 150);
    set_control_text(window, 1, "typed before");
    list_add(window, 1, "Panel 250W");
    list_add(window, 1, "Inverter");
    EXPECT_EQ(list_count(window, 1), 2);
    EXPECT_EQ(get_control_text(window, 1), "typed before");  // adding keeps the edit text
    EXPECT_EQ(list_get_selected(window, 1), -1);
    EXPECT_EQ(list_get(window, 1, 1), "Inverter");
    list_set_selected(window, 1, 1);
    EXPECT_EQ(get_control_text(window, 1), "Inverter");
    EXPECT_TRUE(seen.empty());
    driver.select_row(window, 1, 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].notify_code, NOTIFY_SELECTION);
    EXPECT_EQ(get_control_text(window, 1), "Panel 250W");
    driver.type(window, 1, "Pan");
    ASSERT_EQ(seen.size(), 4u);  // one edit report for each key typed
    for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_EQ(seen[i].notify_code, NOTIFY_COMBO_EDIT);
    EXPECT_EQ(get_control_text(window, 1), "Pan");  // typed, never completed
    EXPECT_EQ(list_count(window, 1), 2);            // and never added as a row
    list_delete(window, 1, 0);
    EXPECT_EQ(list_get(window, 1, 0), "Inverter");
}

TEST_F(Lists, ControlCommandOnAComboBoxIsAlwaysZero) {
    add_control(window, KIND_COMBO_BOX, "", 5, 5, 150, 200, 0x50A00602, 1);
    list_add(window, 1, "row");
    std::string cell = "untouched";
    for (int code = 0; code <= 20; ++code) {
        EXPECT_EQ(control_command(window, 1, code, 0L, 0L, &cell), 0) << "code " << code;
    }
    EXPECT_EQ(cell, "untouched");
    EXPECT_EQ(list_count(window, 1), 1);
}

TEST_F(Lists, ListViewCommands) {
    add_control(window, KIND_LIST_VIEW, "", 5, 5, 400, 200, 0x50000001, 1);
    EXPECT_EQ(control_command(window, 1, LV_ROW_COUNT), 0);
    control_command(window, 1, LV_INSERT_COLUMN, 0L, std::string("Item      "));
    control_command(window, 1, LV_INSERT_COLUMN, 1L, std::string("Price"));
    EXPECT_EQ(control_command(window, 1, LV_INSERT_ROW, 0L, std::string("second")), 0);
    EXPECT_EQ(control_command(window, 1, LV_INSERT_ROW, 0L, std::string("first")), 0);
    EXPECT_EQ(control_command(window, 1, LV_INSERT_ROW, 99L, std::string("last")), 2);
    EXPECT_EQ(control_command(window, 1, LV_SET_CELL, 0L, 1L, std::string(" 2.50")), 1);
    EXPECT_EQ(control_command(window, 1, LV_SET_CELL, 7L, 1L, std::string("x")), 0);
    EXPECT_EQ(control_command(window, 1, LV_ROW_COUNT), 3);
    std::string cell;
    EXPECT_EQ(control_command(window, 1, LV_GET_CELL, 0L, 1L, &cell), 5);
    EXPECT_EQ(cell, " 2.50");
    control_command(window, 1, LV_GET_CELL, 1L, 0L, &cell);
    EXPECT_EQ(cell, "second");
    control_command(window, 1, LV_GET_CELL, 9L, 0L, &cell);
    EXPECT_EQ(cell, "");
    // Cells read back the bytes they were given, even those Windows-1252 leaves undefined.
    EXPECT_EQ(control_command(window, 1, LV_SET_CELL, 2L, 1L,
                              std::string("\xA3"
                                          "5\x81")),
              1);
    control_command(window, 1, LV_GET_CELL, 2L, 1L, &cell);
    EXPECT_EQ(cell,
              "\xA3"
              "5\x81");
    control_command(window, 1, LV_GET_CELL, 2L, 7L, &cell);  // no such column
    EXPECT_EQ(cell, "");
    // A column inserted in the middle moves the cells right of it.
    control_command(window, 1, LV_INSERT_COLUMN, 1L, std::string("Qty"));
    control_command(window, 1, LV_GET_CELL, 0L, 2L, &cell);
    EXPECT_EQ(cell, " 2.50");
    control_command(window, 1, LV_GET_CELL, 0L, 1L, &cell);
    EXPECT_EQ(cell, "");
    auto* view = qobject_cast<QTreeView*>(control_widget(window, 1));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "Item      ");
    EXPECT_EQ(view->header()->sectionSize(0),
              QFontMetrics(view->font()).horizontalAdvance("Item      XX"));
    EXPECT_EQ(view->header()->sectionSize(1),
              QFontMetrics(view->font()).horizontalAdvance("QtyXX"));
    EXPECT_EQ(control_command(window, 1, LV_IS_SELECTED, 1L), 0);
    driver.select_row(window, 1, 1);
    EXPECT_EQ(control_command(window, 1, LV_IS_SELECTED, 1L), 2);
    EXPECT_EQ(control_command(window, 1, LV_IS_SELECTED, 0L), 0);
    EXPECT_EQ(control_command(window, 1, LV_DELETE_ROW, 0L), 1);
    EXPECT_EQ(control_command(window, 1, LV_DELETE_ROW, 5L), 0);
    EXPECT_EQ(control_command(window, 1, LV_ROW_COUNT), 2);
    EXPECT_EQ(control_command(window, 1, LV_IS_SELECTED, 0L), 2);  // the selection moved up
    EXPECT_EQ(list_count(window, 1), -1);                          // a list view is not a list box
}

TEST_F(Lists, ListViewClicksReportMinusTwoAndMinusThree) {
    add_control(window, KIND_LIST_VIEW, "", 5, 5, 400, 200, 0x50000001, 1);
    control_command(window, 1, LV_INSERT_COLUMN, 0L, std::string("Name"));
    control_command(window, 1, LV_INSERT_ROW, 0L, std::string("row"));
    control_command(window, 1, LV_INSERT_ROW, 1L, std::string("other"));
    // Each report finds its row already selected.
    window.handler = [this](Window& w) {
        if (event().event_class == EV_CONTROL) {
            seen.push_back({EV_CONTROL, event().control_id, event().notify_code,
                            control_command(w, 1, LV_IS_SELECTED, 1L), 0});
        }
        return 0;
    };
    driver.select_row(window, 1, 1);
    // A double click is a click first, as the mouse gives it.
    driver.double_click_row(window, 1, 1);
    driver.double_click_row(window, 1, 4);  // no such row: nothing
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].notify_code, NOTIFY_LV_CLICK);
    EXPECT_EQ(seen[1].notify_code, NOTIFY_LV_CLICK);
    EXPECT_EQ(seen[2].notify_code, NOTIFY_LV_DOUBLE_CLICK);
    EXPECT_EQ(seen[2].control_id, 1);
    for (const Seen& s : seen) EXPECT_EQ(s.first_param, 2) << "row 1 selected when reported";
}

// Qt moves a list's current row on a mouse press before it selects the row, and a drag moves the
// selection row by row: the program must hear of a choice only once it is in place, and once.
TEST_F(Lists, ListBoxReportsAChoiceOnlyOnceItsRowIsSelected) {
    add_control(window, KIND_LIST_BOX, "", 5, 5, 100, 200, 0x50B10141, 1);
    for (const char* row : {"one", "two", "three", "four"}) list_add(window, 1, row);
    std::vector<int> selected_when_told;
    window.handler = [&](Window& w) {
        if (event().event_class == EV_CONTROL && event().notify_code == NOTIFY_SELECTION) {
            selected_when_told.push_back(list_get_selected(w, 1));
        }
        return 0;
    };
    driver.select_row(window, 1, 2);  // a click
    EXPECT_EQ(selected_when_told, std::vector<int>{2});
    driver.select_row(window, 1, 2);  // the same row again: chosen again, as in Win32
    EXPECT_EQ(selected_when_told, (std::vector<int>{2, 2}));
    selected_when_told.clear();
    driver.drag_rows(window, 1, 0, 3);  // pressed on "one", let go on "four": one choice
    EXPECT_EQ(selected_when_told, std::vector<int>{3});
    selected_when_told.clear();
    driver.press_key(window, 1, common::testing::VK_UP);  // each key move is a choice of its own
    driver.press_key(window, 1, common::testing::VK_UP);
    EXPECT_EQ(selected_when_told, (std::vector<int>{2, 1}));
    EXPECT_EQ(get_control_text(window, 1), "two");
    // The program's own selection stays silent, and so does a key that moves nothing.
    selected_when_told.clear();
    list_set_selected(window, 1, 0);
    driver.press_key(window, 1, common::testing::VK_UP);
    EXPECT_TRUE(selected_when_told.empty());
}

TEST_F(Lists, ScrollBarReportsCodesAndMovesOnlyWhenTold) {
    add_control(window, KIND_SCROLL_BAR, "", 500, 5, 16, 200, 0x50000001, 7);
    add_control(window, KIND_SCROLL_BAR, "", 5, 300, 200, 16, 0x50000000, 8);
    set_scroll_range(window, 7, 0, 50);
    set_scroll_pos(window, 7, 10);
    EXPECT_EQ(get_scroll_pos(window, 7), 10);
    set_scroll_pos(window, 7, 99);  // held inside the range
    EXPECT_EQ(get_scroll_pos(window, 7), 50);
    set_scroll_pos(window, 7, 10);
    EXPECT_TRUE(seen.empty());
    driver.scroll(window, 7, SB_LINEDOWN);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].event_class, EV_VSCROLL);
    EXPECT_EQ(seen[0].control_id, 7);
    EXPECT_EQ(seen[0].first_param, SB_LINEDOWN);
    EXPECT_EQ(get_scroll_pos(window, 7), 10);  // the program has not moved it
    driver.scroll(window, 7, SB_PAGEUP);
    EXPECT_EQ(seen.back().first_param, SB_PAGEUP);
    EXPECT_EQ(get_scroll_pos(window, 7), 10);
    seen.clear();
    driver.scroll(window, 7, SB_THUMBTRACK, 30);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first_param, SB_THUMBTRACK);
    EXPECT_EQ(seen[0].second_param, 30);
    EXPECT_EQ(get_thumb_pos(window, 7), 30);
    EXPECT_EQ(get_scroll_pos(window, 7), 10);
    seen.clear();
    driver.scroll(window, 7, SB_THUMBPOSITION, 40);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[seen.size() - 2].first_param, SB_THUMBPOSITION);
    EXPECT_EQ(seen[seen.size() - 2].second_param, 40);
    EXPECT_EQ(seen.back().first_param, SB_ENDSCROLL);
    EXPECT_EQ(get_thumb_pos(window, 7), 40);
    EXPECT_EQ(get_scroll_pos(window, 7), 10);
    seen.clear();
    driver.scroll(window, 8, SB_LINEUP);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].event_class, EV_HSCROLL);
    EXPECT_EQ(seen[0].first_param, SB_LINEUP);
}

TEST_F(Lists, AHandlerMovingTheBarDuringTheDragKeepsItsPosition) {
    add_control(window, KIND_SCROLL_BAR, "", 500, 5, 16, 200, 0x50000001, 7);
    set_scroll_range(window, 7, 0, 100);
    window.handler = [](Window& w) {
        if (event().event_class == EV_VSCROLL && event().first_param == SB_THUMBPOSITION) {
            set_scroll_pos(w, 7, static_cast<int>(event().second_param));
        }
        return 0;
    };
    driver.scroll(window, 7, SB_THUMBPOSITION, 64);
    EXPECT_EQ(get_scroll_pos(window, 7), 64);
}

}  // namespace
