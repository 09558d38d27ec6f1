// The keyboard's reach: Tab reaches every tool-bar button, Space and Enter press it, bound keys
// reach the handler exactly as the press does, and disabling the control that has the focus
// never hands the keyboard to a field with its text selected.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

namespace {

struct Command {
    int control_id;
    int notify_code;
    bool operator==(const Command&) const = default;
};

class Keyboard : public ::testing::Test {
protected:
    Handler recorder() {
        return [this](Window&) {
            if (event().event_class == EV_CONTROL)
                commands.push_back({event().control_id, event().notify_code});
            return 0;
        };
    }
    void open_with_tool_bar_last() {
        ASSERT_EQ(open_window(window, 10, 10, 400, 200, 0, nullptr, "Keys", recorder()), 1);
        add_control(window, KIND_EDIT, "field", 5, 60, 100, 20, 0x50800000, FIELD);
        add_control(window, KIND_CHECK_BOX, "Box", 5, 90, 100, 20, 0x50000003, BOX);
        ASSERT_NE(create_tool_bar(window, 0, "", TOOL_BAR, {10, 11, 0, 12}, TOOLBAR_TOP), 0);
    }
    std::vector<Command> pressed_tools() {
        std::vector<Command> tools;
        for (const Command& c : commands)
            if (c.control_id >= 10) tools.push_back(c);
        return tools;
    }
    static constexpr int FIELD = 1, BOX = 2, TOOL_BAR = 98;
    common::testing::Driver driver;
    Window window;
    std::vector<Command> commands;
};

TEST_F(Keyboard, TabReachesEveryToolBarButtonAndSpaceOrEnterPressesIt) {
    open_with_tool_bar_last();
    set_focus(window, FIELD);
    driver.press_keys(window, "Tab");
    EXPECT_EQ(driver.focused_control(window), BOX);
    std::vector<int> reached;
    for (int i = 0; i < 3; ++i) {
        driver.press_keys(window, "Tab");
        EXPECT_EQ(driver.focused_control(window), TOOL_BAR);
        reached.push_back(driver.focused_tool(window, TOOL_BAR));
    }
    EXPECT_EQ(reached, (std::vector<int>{10, 11, 12}));
    driver.press_keys(window, "Space");
    driver.press_keys(window, "Return");
    driver.press_keys(window, "Shift+Tab");
    driver.press_keys(window, "Enter");
    EXPECT_EQ(
        pressed_tools(),
        (std::vector<Command>{{12, NOTIFY_CLICKED}, {12, NOTIFY_CLICKED}, {11, NOTIFY_CLICKED}}));
    driver.press_keys(window, "Tab");
    driver.press_keys(window, "Tab");
    EXPECT_EQ(driver.focused_control(window), FIELD);  // round again
}

TEST_F(Keyboard, AWindowComingUpStartsAtItsFirstControlNotItsToolBar) {
    // The tool bar made first, as the job manager's main frame makes it.
    ASSERT_EQ(open_window(window, 10, 10, 400, 200, 0, nullptr, "Keys", recorder()), 1);
    ASSERT_NE(create_tool_bar(window, 0, "", TOOL_BAR, {10, 11}, TOOLBAR_TOP), 0);
    add_control(window, KIND_EDIT, "field", 5, 60, 100, 20, 0x50800000, FIELD);
    driver.press_keys(window, "Shift");  // a person looks at the window: it becomes active
    EXPECT_EQ(driver.focused_control(window), FIELD);
    driver.process_events();
    driver.press_keys(window, "Shift+Tab");
    EXPECT_EQ(driver.focused_tool(window, TOOL_BAR), 11);  // reachable all the same
}

TEST_F(Keyboard, BoundKeysDeliverTheCommandAsTheToolBarDoes) {
    EXPECT_EQ(bind_key(window, "Ctrl+S", 4), 1);
    EXPECT_EQ(bind_key(window, "Ctrl+Shift+S", 5), 1);
    EXPECT_EQ(bind_key(window, "F1", 7), 1);
    EXPECT_EQ(bind_key(window, "Ctrl+Nothing", 8), 0);
    EXPECT_EQ(bind_key(window, "", 8), 0);
    open_with_tool_bar_last();
    driver.choose_tool(window, TOOL_BAR, 10);
    set_focus(window, FIELD);
    driver.press_keys(window, "Ctrl+S");
    driver.press_keys(window, "Ctrl+Shift+S");
    driver.press_keys(window, "F1");
    EXPECT_EQ(
        commands,
        (std::vector<Command>{
            {10, NOTIFY_CLICKED}, {4, NOTIFY_CLICKED}, {5, NOTIFY_CLICKED}, {7, NOTIFY_CLICKED}}));
    EXPECT_EQ(get_control_text(window, FIELD), "field");  // the keys typed nothing

    // Opened again, the window has its keys again.
    close_window(window);
    commands.clear();
    open_with_tool_bar_last();
    set_focus(window, BOX);
    driver.press_keys(window, "Ctrl+S");
    EXPECT_EQ(commands, (std::vector<Command>{{4, NOTIFY_CLICKED}}));
}

TEST_F(Keyboard, ADialogKeepsItsKeysEachTimeItIsShown) {
    Window dialog;
    declare_dialog(dialog, 0, 0, 200, 100, 0x80C80080, nullptr, "Dialog", recorder());
    add_control(dialog, KIND_EDIT, "", 5, 5, 100, 20, 0x50800000, FIELD);
    ASSERT_EQ(bind_key(dialog, "Ctrl+D", 9), 1);
    for (int shown = 0; shown < 2; ++shown) {
        show_dialog(dialog);
        set_focus(dialog, FIELD);
        driver.press_keys(dialog, "Ctrl+D");
        close_dialog(dialog, 0);
        driver.process_events();
    }
    // Declared again, as the programs declare some dialogs each time, it keeps them too.
    declare_dialog(dialog, 0, 0, 200, 100, 0x80C80080, nullptr, "Dialog", recorder());
    show_dialog(dialog);
    driver.press_keys(dialog, "Ctrl+D");
    close_dialog(dialog, 0);
    EXPECT_EQ(commands, (std::vector<Command>{{9, 0}, {9, 0}, {9, 0}}));
}

// The discount drop-down was disabled while the office had just chosen a rate in it, and the
// carriage field after it took the keyboard with its text selected.
TEST_F(Keyboard, DisablingTheFocusedControlLeavesTheNextFieldAlone) {
    ASSERT_EQ(open_window(window, 10, 10, 400, 200, 0, nullptr, "Keys", recorder()), 1);
    add_control(window, KIND_COMBO_BOX, "Dis..", 5, 5, 70, 94, 0x50800602, 1);
    add_control(window, KIND_EDIT, "Carrage", 5, 40, 70, 23, 0x50800000, 2);
    list_add(window, 1, "0%");
    list_add(window, 1, "10%");
    set_control_text(window, 2, " 12.50");
    driver.press_keys(window, "Shift");  // the window is the active one, as at the office
    driver.select_row(window, 1, 1);
    ASSERT_EQ(driver.focused_control(window), 1);
    enable_control(window, 1, false);
    EXPECT_NE(driver.focused_control(window), 2);
    auto* carriage = qobject_cast<QLineEdit*>(control_widget(window, 2));
    EXPECT_FALSE(carriage->hasSelectedText());
    driver.press_keys(window, "7");
    EXPECT_EQ(get_control_text(window, 2), " 12.50");
    // Enabled again, and Tab goes on from the start.
    enable_control(window, 1, true);
    driver.press_keys(window, "Tab");
    EXPECT_NE(driver.focused_control(window), 0);
}

}  // namespace
