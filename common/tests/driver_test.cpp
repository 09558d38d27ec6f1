// The test driver itself: it takes the hooks, gives them back, and keeps tests from hanging.
#include "common/testing/driver.h"

#include <gtest/gtest.h>

#include "common/clock.h"
#include "common/hooks.h"
#include "common/services.h"
#include "common/window.h"

using namespace common;

namespace {

TEST(Driver, TakesTheHooksAndGivesThemBack) {
    {
        common::testing::Driver driver;
        LayerHooks& hooks = layer_hooks();
        EXPECT_TRUE(hooks.manual_timers);
        EXPECT_TRUE(static_cast<bool>(hooks.message_box));
        EXPECT_TRUE(static_cast<bool>(hooks.file_requester));
        EXPECT_TRUE(static_cast<bool>(hooks.start_program));
        EXPECT_TRUE(static_cast<bool>(hooks.sound));
        EXPECT_TRUE(static_cast<bool>(hooks.modal_dialog_shown));
        driver.set_clock(2009, 3, 4, 13, 5, 9);
        ClockTime now = clock_now();
        EXPECT_EQ(now.year, 2009);
        EXPECT_EQ(now.month, 3);
        EXPECT_EQ(now.day, 4);
        EXPECT_EQ(now.hour, 13);
        EXPECT_EQ(now.minute, 5);
        EXPECT_EQ(now.second, 9);
    }
    LayerHooks& hooks = layer_hooks();
    EXPECT_FALSE(hooks.manual_timers);
    EXPECT_FALSE(static_cast<bool>(hooks.message_box));
    EXPECT_FALSE(static_cast<bool>(hooks.file_requester));
    EXPECT_FALSE(static_cast<bool>(hooks.start_program));
    EXPECT_FALSE(static_cast<bool>(hooks.sound));
    EXPECT_FALSE(static_cast<bool>(hooks.modal_dialog_shown));
    EXPECT_NE(clock_now().year, 2009);  // the system's clock again
}

TEST(Driver, DialogAnswersRunInOrderAndALingeringDialogIsEnded) {
    common::testing::Driver driver;
    Window dialog;
    declare_dialog(dialog, 0, 0, 100, 50, 0x80C80080, nullptr, "Alarm Action",
                   [](Window&) { return 0; });
    add_control(dialog, KIND_EDIT, "", 5, 5, 60, 20, 0, 1);
    std::vector<std::string> order;
    driver.answer_dialog([&](Window& d) {
        order.push_back("first");
        close_dialog(d, 1);
    });
    driver.answer_dialog([&](Window& d) {
        order.push_back("second");
        driver.type(d, 1, "left open");  // and the answer forgets to close it
    });
    EXPECT_EQ(show_dialog_modal(dialog), 1);
    EXPECT_EQ(show_dialog_modal(dialog), 2);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
    EXPECT_EQ(show_dialog_modal(dialog), 2);
    EXPECT_EQ(driver.unanswered_dialogs(), std::vector<std::string>{"Alarm Action"});
}

TEST(Driver, ClearRecordsForgetsWhatWasShown) {
    common::testing::Driver driver;
    message_box(nullptr, "a", "b", 0);
    file_requester("t", nullptr, 1, "", "", 0, "");
    start_program("x", "");
    play_sound("y");
    driver.clear_records();
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_TRUE(driver.requesters().empty());
    EXPECT_TRUE(driver.started_programs().empty());
    EXPECT_TRUE(driver.sounds().empty());
}

TEST(Driver, ActionsOnClosedWindowsAndWrongControlsDoNothing) {
    common::testing::Driver driver;
    Window window;
    int events = 0;
    window.handler = [&](Window&) { return ++events, 0; };
    driver.click(window, 1);
    driver.type(window, 1, "x");
    driver.select_row(window, 1, 0);
    driver.choose_tool(window, 1, 1);
    driver.scroll(window, 1, SB_LINEDOWN);
    driver.close_box(window);
    driver.fire_timer(window, 1);
    open_window(window, 0, 0, 100, 100, 0, nullptr, "", window.handler);
    add_control(window, KIND_STATIC, "label", 0, 0, 50, 20, 0, 1);
    int before = events;
    driver.click(window, 1);
    driver.select_row(window, 1, 0);
    driver.scroll(window, 1, SB_LINEDOWN);
    driver.choose_tool(window, 1, 1);
    EXPECT_EQ(events, before);
    EXPECT_EQ(get_control_text(window, 1), "label");
}

}  // namespace

namespace {

// The driver acts as a person: only on what is shown and enabled, and where each control takes
// its clicks.
TEST(Driver, ActsOnlyWhereAPersonCanReach) {
    common::testing::Driver driver;
    Window window;
    std::vector<int> clicked;
    ASSERT_EQ(open_window(window, 0, 0, 400, 200, 0, nullptr, "",
                          [&](Window&) {
                              if (event().event_class == EV_CONTROL) {
                                  clicked.push_back(event().control_id);
                              }
                              return 0;
                          }),
              1);
    add_control(window, KIND_BUTTON, "Shown", 5, 5, 80, 20, 0x50000000, 1);
    add_control(window, KIND_BUTTON, "Hidden", 5, 30, 80, 20, 0x50080000, 2);
    add_control(window, KIND_BUTTON, "Disabled", 5, 55, 80, 20, 0x50000000, 3);
    enable_control(window, 3, 0);
    // A wide box with a short caption: its middle is empty and takes no clicks.
    add_control(window, KIND_CHECK_BOX, "Box", 5, 80, 380, 20, 0x50000003, 4);
    for (int id : {1, 2, 3}) driver.click(window, id);
    EXPECT_EQ(clicked, std::vector<int>{1});
    driver.check(window, 4, true);
    EXPECT_EQ(get_check(window, 4), 1);
    driver.check(window, 4, true);  // already checked: no click
    EXPECT_EQ(clicked, (std::vector<int>{1, 4}));
}

TEST(Driver, TypingReplacesTheTextKeyByKey) {
    common::testing::Driver driver;
    Window window;
    int edits = 0;
    ASSERT_EQ(open_window(window, 0, 0, 400, 200, 0, nullptr, "",
                          [&](Window&) {
                              if (event().notify_code == NOTIFY_EDIT_CHANGE) ++edits;
                              return 0;
                          }),
              1);
    add_control(window, KIND_EDIT, "old text", 5, 5, 200, 20, 0x50800080, 1);
    add_control(window, KIND_EDIT, "", 5, 30, 200, 80, 0x50B00044, 2);  // multi-line
    driver.type(window, 1,
                "Caf\xe9 \xa3"
                "5");
    EXPECT_EQ(get_control_text(window, 1),
              "Caf\xe9 \xa3"
              "5");
    EXPECT_EQ(edits, 7) << "one change for each key";
    driver.type(window, 1, "");
    EXPECT_EQ(get_control_text(window, 1), "");
    driver.type(window, 2, "7 Caf\xe9 Row\r\nUpper Town");
    EXPECT_EQ(get_control_text(window, 2), "7 Caf\xe9 Row\r\nUpper Town");
}

}  // namespace
