// The main dialog's panel icon as the user meets it: its tooltip following the message line, the
// click that brings the dialog forward or puts it away, and the menu's commands, which must do
// exactly what the tool bar's do. The driver stands in for the panel.
#include "desktop.h"

#include <gtest/gtest.h>

#include "common/panel.h"
#include "database_file.h"
#include "startup.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo {
namespace {

class Desktop : public testing::TodoFixture {
protected:
    std::string tooltip() { return driver.panel_tooltip(dialog()); }
    // What a command leaves behind: the database file, the run and reload flags, and the
    // priorities the program finds when it starts again.
    struct Outcome {
        std::vector<Entry> database;  // what the file holds (its identities are new every run)
        bool run = true;
        bool reload = false;
        std::vector<std::string> priorities_kept;
        bool operator==(const Outcome&) const = default;
    };
    void settle() {
        for (int pass = 0; pass < 3; ++pass) driver.process_events();
    }
};

Entry entry(const std::string& text, const std::string& priority, const std::string& time) {
    return {text, priority, "01-03-2026", "10-03-2026", time, " 6"};
}

TEST_F(Desktop, IconLivesWithTheDialogAndItsTooltipFollowsTheMessageLine) {
    start_on({entry("Ring Bob", " 1", "11:00")});
    ASSERT_TRUE(driver.has_panel_icon(dialog()));
    EXPECT_EQ(tooltip(), text(ID_MESSAGE_LINE));
    EXPECT_EQ(driver.panel_menu(dialog()), (std::vector<std::string>{"Show", "Refresh", "Finnished",
                                                                     "Done", "Snooze 10 minutes"}));
    tick();
    EXPECT_EQ(tooltip(), "Priority ONE reminders: 1. Reminders today: 1. ");
    driver.set_clock(2026, 3, 10, 11, 0, 0);
    tick();
    EXPECT_EQ(tooltip(), "<< REMINDER ALARM >> Ring Bob  ");
    EXPECT_EQ(tooltip(), text(ID_MESSAGE_LINE));

    // A reload builds the dialog again, and its icon with it.
    choose_tool(CMD_REFRESH);
    end_cycle();
    EXPECT_FALSE(driver.has_panel_icon(dialog()));
    start_cycle();
    EXPECT_TRUE(driver.has_panel_icon(dialog()));
}

TEST_F(Desktop, ClickBringsTheDialogForwardOrPutsItAway) {
    start_on({});
    settle();
    ASSERT_TRUE(common::is_in_front(dialog()));
    driver.click_panel_icon(dialog());
    settle();
    EXPECT_FALSE(common::is_visible(dialog()));
    EXPECT_TRUE(dialog().is_open()) << "put away, not closed";
    EXPECT_TRUE(state.run);

    driver.click_panel_icon(dialog());
    settle();
    EXPECT_TRUE(common::is_visible(dialog()));

    common::hide_window(dialog());
    driver.choose_panel_item(dialog(), "Show");
    settle();
    EXPECT_TRUE(common::is_visible(dialog()));
    tick();  // the reminders go on whether the dialog is seen or not
    EXPECT_EQ(tooltip(), "No Reminder today.");
}

// "Finnished" and "Refresh" from the panel leave the same database and the same program state
// as the tool bar's buttons, after an edit that nothing has saved yet.
TEST_F(Desktop, MenuCommandsDoExactlyWhatTheToolBarDoes) {
    const std::vector<Entry> list = {entry("Ring Bob", " 2", "11:00"),
                                     entry("Pay VAT", " 3", "12:00")};
    auto after = [&](bool from_panel, int command, const std::string& label) {
        start_on(list);
        select_row(ID_PRIORITY_COLUMN, 1);
        click(ID_INCREASE_PRIORITY);  // not saved by itself
        if (from_panel) {
            driver.choose_panel_item(dialog(), label);
        } else {
            choose_tool(command);
        }
        Outcome outcome;
        bool whole = true;
        read_database_file(in_program_folder("todo.dat"), outcome.database, whole);
        outcome.run = state.run;
        outcome.reload = state.reload;
        start_again();
        outcome.priorities_kept = column(ID_PRIORITY_COLUMN);
        end_cycle();
        fresh_state();
        return outcome;
    };
    const Outcome finished = after(true, CMD_FINNISHED, "Finnished");
    EXPECT_TRUE(finished == after(false, CMD_FINNISHED, "Finnished"));
    EXPECT_FALSE(finished.run);
    EXPECT_FALSE(finished.reload);
    EXPECT_EQ(finished.priorities_kept, (std::vector<std::string>{" 2", " 2"}));
    const Outcome refreshed = after(true, CMD_REFRESH, "Refresh");
    EXPECT_TRUE(refreshed == after(false, CMD_REFRESH, "Refresh"));
    EXPECT_FALSE(refreshed.run);
    EXPECT_TRUE(refreshed.reload);
    EXPECT_EQ(refreshed.priorities_kept, (std::vector<std::string>{" 2", " 2"}));
}

TEST_F(Desktop, WithoutAPanelNothingChanges) {
    driver.set_panel_present(false);
    start_on({entry("Ring Bob", " 2", "09:30")});
    EXPECT_FALSE(driver.has_panel_icon(dialog()));
    tick();
    EXPECT_EQ(text(ID_MESSAGE_LINE), "<< REMINDER ALARM >> Ring Bob  ");
    // The notification is the desktop's business: the program asks the same either way.
    ASSERT_EQ(driver.notifications().size(), 1u);
    EXPECT_EQ(driver.notifications()[0].text, "Ring Bob");
}

}  // namespace
}  // namespace todo
