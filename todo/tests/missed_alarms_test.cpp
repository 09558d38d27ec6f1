// Alarms that reach the user although no tick fell in their window: the computer asleep, too busy
// to tick, or its clock set forward; and a clock set back that must not give an alarm twice.
// The rules on their own first, then the tick driven with the settable clock.
#include "missed_alarms.h"

#include <gtest/gtest.h>

#include "common/hooks.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo {
namespace {

common::Instant at_day(int day, int hour, int minute, int second = 0) {
    return common::instant_of_local({2026, 3, day, hour, minute, second});
}

std::vector<int> rows_of(const std::vector<MissedAlarm>& missed) {
    std::vector<int> rows;
    for (const MissedAlarm& alarm : missed) rows.push_back(alarm.row);
    return rows;
}

TEST(MissedAlarmRules, TheMomentOfADay) {
    const Moment tuesday = moment_of_day(2026, 3, 10);
    EXPECT_EQ(tuesday.date, "10-03-2026");
    EXPECT_EQ(tuesday.day, "10");
    EXPECT_EQ(tuesday.day_name, "tue");
    EXPECT_EQ(tuesday.month_name, "mar");
}

// Which windows count as missed: wholly between the two ticks, and only then.
TEST(MissedAlarmRules, OnlyWindowsWithNoTickInsideThem) {
    const std::vector<std::string> dates = {"10-03-2026", "10-03-2026", "10-03-2026", "10-03-2026",
                                            "10-03-2026", "11-03-2026", "10-03-2026", "10-03-2026"};
    const std::vector<std::string> times = {"09:20", "09:00", "10:00", "09:59",
                                            "10:30", "09:30", "9:3",   "25:10"};
    const auto missed =
        alarms_missed_between(dates, times, at_day(10, 9, 0, 0), at_day(10, 10, 0, 30));
    // 09:20 and 09:59 (its window ends with its hour) passed; 09:00 was seen by the tick at
    // 09:00; 10:00 is being seen now; 10:30 is to come; 11-03 is another day; times that no
    // clock shows never alarm.
    EXPECT_EQ(rows_of(missed), (std::vector<int>{0, 3}));
    ASSERT_EQ(missed.size(), 2u);
    EXPECT_EQ(missed[0].day, "10-03-2026");
    EXPECT_EQ(missed[0].start, at_day(10, 9, 20));
    // A clock set back finds nothing.
    EXPECT_TRUE(alarms_missed_between(dates, times, at_day(10, 10, 0), at_day(10, 9, 0)).empty());
}

TEST(MissedAlarmRules, OverNightEachEntryOnceOnItsLatestDay) {
    const std::vector<std::string> dates = {"--Day", "--Tue", "09-03-2026", "10--Mar"};
    const std::vector<std::string> times = {"08:00", "08:00", "23:30", "07:00"};
    // From Monday 9 March 22:00 to Tuesday 10 March 09:00.
    const auto missed = alarms_missed_between(dates, times, at_day(9, 22, 0), at_day(10, 9, 0));
    EXPECT_EQ(rows_of(missed), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(missed[0].day, "10-03-2026");
    EXPECT_EQ(missed[2].day, "09-03-2026");
    // Away for three weeks: the daily entry once, and nothing older than a week is looked at.
    const auto long_away = alarms_missed_between({"--Day", "01-03-2026"}, {"08:00", "08:00"},
                                                 at_day(1, 7, 0), at_day(22, 9, 0));
    EXPECT_EQ(rows_of(long_away), (std::vector<int>{0}));
    EXPECT_EQ(long_away[0].day, "22-03-2026");
}

TEST(MissedAlarmRules, Messages) {
    EXPECT_EQ(missed_message(1, "Ring Bob"), "<< REMINDER ALARM MISSED WHILE AWAY >> Ring Bob  ");
    EXPECT_EQ(missed_message(3, "ignored"), "<< THERE ARE 3 REMINDER ALARMS MISSED WHILE AWAY >> ");
    EXPECT_EQ(missed_message(0, "Ring Bob"), "");
    EXPECT_EQ(missed_notification("Pay VAT"), "Missed while away: Pay VAT");
    EXPECT_EQ(missed_notification(std::string(300, 'x')).size(), 254u);
}

// ---- Through the tick ------------------------------------------------------------------------

class MissedAlarms : public testing::TodoFixture {
protected:
    // Every alarm action starts a program, so the driver counts them.
    void start_with(const std::vector<Entry>& list) {
        start_on(list);
        state.settings.run_program = 1;
        state.settings.program_path = "alarm.exe";
    }
    void tick_at(int hour, int minute, int second = 0) {
        driver.set_clock(2026, 3, 10, hour, minute, second);
        tick();
    }
    int actions() { return int(driver.started_programs().size()); }
    std::vector<std::string> notified() {
        std::vector<std::string> texts;
        for (const auto& shown : driver.notifications()) {
            EXPECT_EQ(shown.title, "Reminder");
            texts.push_back(shown.text);
        }
        return texts;
    }
    std::string message_line() { return text(ID_MESSAGE_LINE); }
};

Entry entry(const std::string& text, const std::string& date, const std::string& time) {
    return {text, " 2", "01-03-2026", date, time, " 6"};
}

TEST_F(MissedAlarms, HourAwayAcrossTwoAlarmsReportsBothOnceAndRunsNoLateAction) {
    start_with({entry("Ring Bob", "10-03-2026", "09:20"), entry("Pay VAT", "--Tue", "09:40"),
                entry("Lunch", "10-03-2026", "12:00")});
    tick_at(9, 0);
    tick_at(9, 0, 3);
    tick_at(10, 0, 30);  // the laptop slept for an hour
    EXPECT_EQ(message_line(), "<< THERE ARE 2 REMINDER ALARMS MISSED WHILE AWAY >> ");
    EXPECT_EQ(notified(), (std::vector<std::string>{"Missed while away: Ring Bob",
                                                    "Missed while away: Pay VAT"}));
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 1);
    EXPECT_EQ(actions(), 0) << "twenty minutes late is too late to start the alarm program";
    tick_at(10, 0, 33);
    tick_at(10, 30);  // and another sleep, with nothing new in it
    EXPECT_EQ(message_line(), "<< THERE ARE 2 REMINDER ALARMS MISSED WHILE AWAY >> ")
        << "the report stays until the user has seen it";
    select_row(ID_TEXT_COLUMN, 2);
    tick_at(10, 30, 3);
    EXPECT_EQ(message_line(), "Reminders today: 3. ");
    EXPECT_EQ(notified().size(), 2u);
    EXPECT_EQ(actions(), 0);
}

TEST_F(MissedAlarms, ThreeMinutesAwayRunsTheActionOnce) {
    start_with({entry("Ring Bob", "10-03-2026", "09:30")});
    tick_at(9, 29, 58);
    tick_at(9, 32, 58);  // the window 09:30-09:32 went by without a tick
    EXPECT_EQ(message_line(), "<< REMINDER ALARM MISSED WHILE AWAY >> Ring Bob  ");
    EXPECT_EQ(notified(), (std::vector<std::string>{"Missed while away: Ring Bob"}));
    EXPECT_EQ(actions(), 1);
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 0);
    tick_at(9, 33, 1);
    tick_at(9, 40);
    EXPECT_EQ(actions(), 1);
    EXPECT_EQ(notified().size(), 1u);
    EXPECT_EQ(message_line(), "<< REMINDER ALARM MISSED WHILE AWAY >> Ring Bob  ");
    type(ID_ENTRY_EDIT, "s");  // the user acts in the window: the report has been seen
    tick_at(9, 40, 3);
    EXPECT_EQ(message_line(), "Reminder 10 minutes old: Ring Bob  Reminders today: 1. ");
}

// The last minute of an hour has a one-minute window: a tick delayed past it is a miss.
TEST_F(MissedAlarms, BusyMachineMissesTheLastMinuteOfTheHour) {
    start_with({entry("Ring Bob", "10-03-2026", "10:59")});
    tick_at(10, 58, 55);
    tick_at(11, 0, 5);
    EXPECT_EQ(notified(), (std::vector<std::string>{"Missed while away: Ring Bob"}));
    EXPECT_EQ(actions(), 1);
}

TEST_F(MissedAlarms, ClockSetBackGivesNoAlarmAgain) {
    start_with({entry("Ring Bob", "10-03-2026", "09:30"), entry("Pay VAT", "10-03-2026", "09:31")});
    tick_at(9, 30);
    tick_at(9, 31, 10);
    EXPECT_EQ(actions(), 2);
    EXPECT_EQ(notified(), (std::vector<std::string>{"Ring Bob", "Pay VAT"}));
    tick_at(9, 20);  // the clock is put back ten minutes
    tick_at(9, 30);
    tick_at(9, 30, 3);
    EXPECT_EQ(message_line(), "<< REMINDER ALARM >> Ring Bob  ") << "the alarm is still shown";
    tick_at(9, 45);  // and jumps forward over both windows again
    EXPECT_EQ(actions(), 2);
    EXPECT_EQ(notified().size(), 2u);
    EXPECT_EQ(message_line().rfind("There are 2 reminders within the hour.", 0), 0u);
}

// One notification per entry and window, like the alarm action: ticks inside the window, two
// entries sharing it, the entry's next day, and a time changed by the user.
TEST_F(MissedAlarms, NotificationsOncePerEntryAndWindow) {
    start_with({entry("Ring Bob", "--Day", "09:30"), entry("Ring Ann", "--Day", "09:30")});
    tick_at(9, 30);
    tick_at(9, 30, 3);
    tick_at(9, 31, 57);
    EXPECT_EQ(notified(), (std::vector<std::string>{"Ring Bob", "Ring Ann"}));
    EXPECT_EQ(actions(), 2);
    driver.set_clock(2026, 3, 11, 9, 30, 0);
    tick();
    EXPECT_EQ(notified().size(), 4u);
    // The user moves Bob's alarm on while Ann's window is still open: Ann is not told again.
    select_row(ID_TIME_COLUMN, 0);
    type(ID_MINUTES_FIELD, "32");
    click(ID_CHANGE_TIME);
    driver.set_clock(2026, 3, 11, 9, 31, 0);
    tick();
    EXPECT_EQ(notified().size(), 4u);
    driver.set_clock(2026, 3, 11, 9, 32, 0);
    tick();
    EXPECT_EQ(notified().back(), "Ring Bob");
    EXPECT_EQ(notified().size(), 5u);
    EXPECT_EQ(actions(), 5);
}

// A long pause the user asked for (the timer stopped by the message box) is a gap like any
// other: what fell into it is reported when the timer runs again.
TEST_F(MissedAlarms, PausedTimerReportsWhatFellIntoThePause) {
    start_with({entry("Ring Bob", "10-03-2026", "09:35")});
    tick_at(9, 30);
    select_row(ID_CREATED_COLUMN, 0);  // "Pause...": answered at once by the driver
    tick_at(9, 50);
    EXPECT_EQ(message_line(), "<< REMINDER ALARM MISSED WHILE AWAY >> Ring Bob  ");
    EXPECT_EQ(actions(), 0);
}

}  // namespace
}  // namespace todo
