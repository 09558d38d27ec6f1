// Alarms as the user meets them: several falling due together, the dialog asking for attention
// when it is not in front, and the answers "Done" and "Snooze 10 minutes" from an alarm's
// notification or the panel icon's menu.
#include "alarm_answers.h"

#include <gtest/gtest.h>

#include "common/panel.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

class AlarmAnswers : public TodoFixture {
protected:
    void start_with(const std::vector<Entry>& list) {
        start_on(list);
        state.settings.run_program = 1;
        state.settings.program_path = "alarm.sh";
        for (int pass = 0; pass < 3; ++pass) driver.process_events();
    }
    void tick_at(int hour, int minute, int second = 0) {
        driver.set_clock(2026, 3, 10, hour, minute, second);
        tick();
    }
    int actions() const { return int(driver.started_programs().size()); }
    std::string message_file() { return read_file(in_program_folder("ToDoMessage.txt")); }
    std::string database() { return read_file(in_program_folder("todo.dat")); }
};

Entry due(const std::string& text, const std::string& date, const std::string& time,
          const std::string& priority = " 2") {
    return {text, priority, "01-03-2026", date, time, " 6"};
}

TEST_F(AlarmAnswers, AlarmsFallingTogetherAreAllNamedAndEachGivenOnce) {
    driver.set_clock(2026, 12, 31, 23, 59, 58);
    start_with({due("Ring Bob", "01-01-2027", "00:00"), due("Pay VAT", "01-01-2027", "00:00"),
                due("Order cable", "01-01-2027", "00:00"), due("Later", "02-01-2027", "09:00")});
    common::hide_window(dialog());  // minimised out of sight
    tick();
    driver.set_clock(2027, 1, 1, 0, 0, 1);
    tick();
    const std::string line = "<< THERE ARE 3 REMINDER ALARMS >> Ring Bob; Pay VAT; Order cable  ";
    EXPECT_EQ(text(ID_MESSAGE_LINE), line);
    EXPECT_EQ(message_file(), "ToDo:  " + line + "\r\n") << "within the minute they fell due";
    EXPECT_EQ(column(ID_STATUS_COLUMN), (std::vector<std::string>{" 0", " 0", " 0", " 6"}));
    EXPECT_EQ(actions(), 3);
    ASSERT_EQ(driver.notifications().size(), 3u);
    EXPECT_EQ(driver.notifications()[2].text, "Order cable");
    EXPECT_EQ(driver.notifications()[0].answers,
              (std::vector<std::string>{"Done", "Snooze 10 minutes"}));
    EXPECT_EQ(driver.attention_asked(dialog()), 1);

    // Still ringing a tick later: named again, given no second time.
    driver.set_clock(2027, 1, 1, 0, 0, 4);
    tick();
    EXPECT_EQ(text(ID_MESSAGE_LINE), line);
    EXPECT_EQ(actions(), 3);
    EXPECT_EQ(driver.notifications().size(), 3u);
    EXPECT_EQ(driver.attention_asked(dialog()), 1);

    // The winning condition's response on the message line carries them all too (the alarm's
    // 300 ties with the three reminders of today, and the lower condition wins).
    common::bring_to_front(dialog());
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, true);
    driver.set_clock(2027, 1, 1, 0, 0, 7);
    tick();
    EXPECT_EQ(message_file(),
              "ToDo:   << ALARM >>                Ring Bob; Pay VAT; Order cable\r\n");
}

// The task bar's sign is for a dialog out of sight, and for an alarm that starts, not for every
// tick it rings.
TEST_F(AlarmAnswers, AttentionIsAskedOnlyWhileTheDialogIsOutOfSight) {
    start_with({due("Ring Bob", "10-03-2026", "09:30"), due("Pay VAT", "10-03-2026", "09:40")});
    ASSERT_TRUE(common::is_in_front(dialog()));
    tick_at(9, 30);
    EXPECT_EQ(actions(), 1);
    EXPECT_EQ(driver.attention_asked(dialog()), 0);
    common::hide_window(dialog());
    tick_at(9, 30, 3);
    EXPECT_EQ(driver.attention_asked(dialog()), 0) << "the same alarm, still ringing";
    tick_at(9, 40);
    EXPECT_EQ(actions(), 2);
    EXPECT_EQ(driver.attention_asked(dialog()), 1);
}

// "Done" ends the alarm as if it had been dealt with: no " 0", no alarm message, no selection
// taken from the user; nothing in the list or the database changes, and a recurring entry rings
// again on its next day.
TEST_F(AlarmAnswers, DoneEndsThisAlarmAndChangesNothingOnDisk) {
    start_with({due("Ring Bob", "--Day", "09:30"), due("Pay VAT", "10-03-2026", "11:00")});
    tick_at(9, 30);
    ASSERT_EQ(column(ID_STATUS_COLUMN)[0], " 0");
    EXPECT_TRUE(driver.panel_item_enabled(dialog(), "Done"));
    select_row(ID_TEXT_COLUMN, 1);
    const std::string saved = database();
    driver.answer_notification(0, "Done");
    EXPECT_EQ(common::timer_period(dialog(), REMINDER_TIMER), 0 + 0) << "the next tick at once";
    tick_at(9, 30, 3);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2");
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Reminder 0 minutes old: Ring Bob  Reminders today: 1. ");
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 1);
    EXPECT_FALSE(driver.panel_item_enabled(dialog(), "Done"));
    tick_at(9, 31, 50);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2");
    EXPECT_EQ(database(), saved);
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 2u);
    EXPECT_EQ(actions(), 1);

    driver.set_clock(2026, 3, 11, 9, 30, 0);
    tick();
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 0") << "tomorrow's alarm is another";
    EXPECT_EQ(actions(), 2);
}

// "Snooze 10 minutes" from the panel menu ends the alarm now and rings the entry once more ten
// minutes later, with its action and notification, whatever its date form; the snooze outlasts a
// reload.
TEST_F(AlarmAnswers, SnoozeRingsAgainOnceTenMinutesLaterAndOutlastsAReload) {
    start_with({due("Ring Bob", "--Tue", "09:30"), due("Old job", "01-01-2026", "08:00")});
    tick_at(9, 30);
    ASSERT_EQ(actions(), 1);
    tick_at(9, 30, 20);
    driver.choose_panel_item(dialog(), "Snooze 10 minutes");
    tick_at(9, 30, 23);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2");

    choose_tool(CMD_REFRESH);
    ASSERT_TRUE(end_and_maybe_reload());
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, false);
    tick_at(9, 35);
    tick_at(9, 40, 17);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2") << "not before its time";
    tick_at(9, 40, 20);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 0");
    EXPECT_EQ(text(ID_MESSAGE_LINE), "<< REMINDER ALARM >> Ring Bob  ");
    EXPECT_EQ(actions(), 2);
    ASSERT_EQ(driver.notifications().size(), 2u);
    EXPECT_EQ(driver.notifications()[1].text, "Ring Bob");
    tick_at(9, 42, 17);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 0");
    tick_at(9, 42, 20);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2") << "rung once, for two minutes";
    tick_at(9, 50, 20);
    tick_at(9, 52);
    EXPECT_EQ(actions(), 2);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (std::vector<std::string>{"Ring Bob", "Old job"}));
    EXPECT_EQ(column(ID_DATE_COLUMN)[0], "--Tue");
}

// A snooze from an alarm's own notification rings that entry only; a notification of an entry
// snoozed from the day before still rings it when its date is no longer today.
TEST_F(AlarmAnswers, NotificationAnswersTheAlarmItCameWith) {
    start_with({due("Ring Bob", "10-03-2026", "23:55"), due("Pay VAT", "10-03-2026", "23:55")});
    tick_at(23, 55);
    ASSERT_EQ(driver.notifications().size(), 2u);
    driver.answer_notification(0, "Snooze 10 minutes");
    tick_at(23, 55, 3);
    EXPECT_EQ(column(ID_STATUS_COLUMN), (std::vector<std::string>{" 2", " 0"}));
    EXPECT_EQ(text(ID_MESSAGE_LINE), "<< REMINDER ALARM >> Pay VAT  ");
    driver.set_clock(2026, 3, 11, 0, 5, 0);
    tick();
    EXPECT_EQ(column(ID_STATUS_COLUMN), (std::vector<std::string>{" 0", " 5"}));
    EXPECT_EQ(text(ID_MESSAGE_LINE), "<< REMINDER ALARM >> Ring Bob  ");
    EXPECT_EQ(actions(), 3);
}

// While a box waits for an answer, an answer chosen in a notification is not given behind it.
TEST_F(AlarmAnswers, AnswersWaitForNoBoxAndNeedARingingAlarm) {
    start_with({due("Ring Bob", "10-03-2026", "09:30")});
    EXPECT_FALSE(driver.panel_item_enabled(dialog(), "Done"));
    driver.choose_panel_item(dialog(), "Done");  // greyed: nothing happens
    tick_at(9, 30);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 0");
    EXPECT_TRUE(driver.panel_item_enabled(dialog(), "Snooze 10 minutes"));
    driver.choose_panel_item(dialog(), "Done");
    tick_at(9, 30, 3);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[0], " 2");
}

}  // namespace
}  // namespace todo::testing
