#include "reminder_rules.h"

#include <gtest/gtest.h>

#include "common/clock.h"
#include "common/text.h"

namespace todo {
namespace {

// Tuesday 8 December 2026, at the given time of the wall clock.
Moment tuesday_8_december(int hour, int minute) {
    return moment_at(common::instant_of_local({2026, 12, 8, hour, minute, 0}));
}

TEST(RemindMeDates, ExactDateMatchesOnlyTodayExactly) {
    const Moment now = tuesday_8_december(10, 0);
    EXPECT_TRUE(is_exact_date("08-12-2026", now));
    EXPECT_FALSE(is_exact_date("8-12-2026", now));
    EXPECT_FALSE(is_exact_date("09-12-2026", now));
    EXPECT_FALSE(is_exact_date("08-12-2025", now));
    EXPECT_EQ(counted_today_forms("08-12-2026", now), 1);
    EXPECT_TRUE(falls_on_today("08-12-2026", now));
    EXPECT_FALSE(falls_on_today("09-12-2026", now));
}

TEST(RemindMeDates, DayNameMatchesItsWeekdayInAnyCase) {
    const Moment tuesday = tuesday_8_december(10, 0);
    Moment wednesday = tuesday;
    wednesday.day_name = "wed";
    EXPECT_TRUE(is_day_name_date("--Tue", tuesday));
    EXPECT_TRUE(is_day_name_date("--TUE", tuesday));
    EXPECT_FALSE(is_day_name_date("--Tue", wednesday));
    EXPECT_EQ(counted_today_forms("--Tue", tuesday), 1);
    EXPECT_EQ(counted_today_forms("--Tue", wednesday), 0);
    EXPECT_FALSE(falls_on_today("--Tue", wednesday));
}

TEST(RemindMeDates, EveryDayFallsOnTodayButIsNotCounted) {
    const Moment now = tuesday_8_december(10, 0);
    EXPECT_TRUE(is_every_day_date("--Day"));
    EXPECT_TRUE(falls_on_today("--Day", now));
    EXPECT_EQ(counted_today_forms("--Day", now), 0);
    EXPECT_FALSE(is_every_day_date("24-12-2004"));
}

TEST(RemindMeDates, DayAndMonthNeedsBothTheDayAndTheMonth) {
    const Moment now = tuesday_8_december(10, 0);
    EXPECT_TRUE(is_day_and_month_date("08--Dec", now));
    EXPECT_EQ(counted_today_forms("08--Dec", now), 1);
    EXPECT_FALSE(is_day_and_month_date("09--Dec", now));
    EXPECT_FALSE(is_day_and_month_date("08--Nov", now));
    EXPECT_FALSE(falls_on_today("09--Dec", now));
    // The date fields as a date-column selection fills them: nothing to match.
    EXPECT_FALSE(falls_on_today("", now));
    EXPECT_FALSE(falls_on_today("--", now));
}

TEST(RemindMeDates, MomentComesFromTheClockWithEnglishNames) {
    common::set_clock(common::ClockTime{2026, 12, 8, 7, 5, 30});
    const Moment now = moment_now();
    common::set_clock(std::nullopt);
    EXPECT_EQ(now.date, "08-12-2026");
    EXPECT_EQ(now.day, "08");
    EXPECT_EQ(now.day_name, "tue");
    EXPECT_EQ(now.month_name, "dec");
    EXPECT_EQ(now.hour, 7);
    EXPECT_EQ(now.minute, 5);
}

TEST(EntryClassification, AlarmLastsItsMinuteAndTheNextWithinTheHour) {
    EXPECT_EQ(classify_entry("--Day", "10:30", tuesday_8_december(10, 30)).timing, Timing::Alarm);
    const Classification next = classify_entry("--Day", "10:30", tuesday_8_december(10, 31));
    EXPECT_EQ(next.timing, Timing::Alarm);
    EXPECT_EQ(next.minutes_past, 1);
    const Classification later = classify_entry("--Day", "10:30", tuesday_8_december(10, 45));
    EXPECT_EQ(later.timing, Timing::WithinHour);
    EXPECT_EQ(later.minutes_past, 15);
    // 10:59 alarms only during 10:59: at 11:00 the hours differ.
    EXPECT_EQ(classify_entry("--Day", "10:59", tuesday_8_december(10, 59)).timing, Timing::Alarm);
    EXPECT_EQ(classify_entry("--Day", "10:59", tuesday_8_december(11, 0)).timing,
              Timing::EarlierToday);
}

TEST(EntryClassification, HoursAndMinutesDecideTheStatus) {
    const Moment now = tuesday_8_december(10, 30);
    EXPECT_EQ(classify_entry("08-12-2026", "09:59", now).timing, Timing::EarlierToday);
    EXPECT_EQ(classify_entry("08-12-2026", "11:00", now).timing, Timing::LaterToday);
    EXPECT_EQ(classify_entry("08-12-2026", "10:31", now).timing, Timing::ComingThisHour);
    EXPECT_EQ(classify_entry("09-12-2026", "10:30", now).timing, Timing::NotToday);
    // A malformed time is worth 0: midnight, long past.
    EXPECT_EQ(classify_entry("--Day", "xx:yy", now).timing, Timing::EarlierToday);
}

TEST(EntryClassification, StatusCodes) {
    const Classification not_today{Timing::NotToday, 0, {}};
    EXPECT_EQ(status_after(not_today, " 6", " 3"), " 6");
    EXPECT_EQ(status_after(not_today, " 4", " 3"), " 5");
    EXPECT_EQ(status_after(not_today, "6", " 3"), " 5");
    // A minute still to come keeps whatever the entry showed, inactive included.
    EXPECT_EQ(status_after({Timing::ComingThisHour, -5, {}}, " 6", " 3"), " 6");
    EXPECT_EQ(status_after({Timing::ComingThisHour, -5, {}}, " 4", " 3"), " 4");
    EXPECT_EQ(status_after({Timing::EarlierToday, 0, {}}, " 6", " 3"), " 4");
    EXPECT_EQ(status_after({Timing::LaterToday, 0, {}}, " 6", " 3"), " 3");
    EXPECT_EQ(status_after({Timing::WithinHour, 5, {}}, " 6", " 3"), " 2");
    EXPECT_EQ(status_after({Timing::Alarm, 0, {}}, " 6", " 3"), " 0");
    // Priority one shows " 1" whatever happens, even while its alarm fires.
    EXPECT_EQ(status_after({Timing::Alarm, 0, {}}, " 6", " 1"), " 1");
    EXPECT_EQ(status_after(not_today, " 6", " 1"), " 1");
    EXPECT_EQ(status_after({Timing::Alarm, 0, {}}, " 6", " 1.50"), " 0");
}

TEST(EntryClassification, CodeValuesAgreeWithNumberTexts) {
    for (const char* text : {" 5", "5", " -3", "-", "--5", " 1.50", " 1.", "abc", " 12x", "  01",
                             " ", "", "\t7", "1234567890123", " 6 ", "+5", "- 5", "0.5.5"}) {
        EXPECT_EQ(code_value(text), common::text_number(text)) << '"' << text << '"';
    }
    EXPECT_TRUE(is_priority_one(" 1"));
    EXPECT_TRUE(is_priority_one("01"));
    EXPECT_FALSE(is_priority_one(" 11"));
    EXPECT_FALSE(is_priority_one(" 1.50"));
}

TEST(ReminderMessages, CountsInTheSummary) {
    // The number texts bring their own space: "ONE reminders: 2." not "ONE reminders:2.".
    EXPECT_EQ(summary_text(2, 0, 0), "Priority ONE reminders: 2. ");
    EXPECT_EQ(summary_text(0, 0, 0), "");
    EXPECT_EQ(reminder_message_of(""), "No Reminder today.");
}

TEST(ReminderMessages, SeveralAlarmsAreAllNamed) {
    EXPECT_EQ(several_alarms_message({"Ring Bob", "Pay VAT", "Order cable"}),
              "<< THERE ARE 3 REMINDER ALARMS >> Ring Bob; Pay VAT; Order cable  ");
    EXPECT_EQ(alarm_texts({"Ring Bob", "Pay VAT"}), "Ring Bob; Pay VAT");
    EXPECT_EQ(several_alarms_message({std::string(200, 'x'), std::string(200, 'y')}).size(), 254u);
}

// Only an exact date and time can be over for good.
TEST(EntryClassification, OnlyAnExactReminderWhoseAlarmIsOverIsPast) {
    const common::Instant now = common::instant_of_local({2026, 3, 10, 9, 30, 30});
    EXPECT_TRUE(is_past("10-03-2026", "09:28", now));
    EXPECT_FALSE(is_past("10-03-2026", "09:29", now)) << "its alarm rings until 09:31";
    EXPECT_FALSE(is_past("10-03-2026", "09:31", now));
    EXPECT_TRUE(is_past("09-03-2026", "23:59", now));
    EXPECT_FALSE(is_past("11-03-2026", "00:00", now));
    for (const char* date : {"--Tue", "--Day", "10--Mar", "31-02-2026", "1-3-2026", ""}) {
        EXPECT_FALSE(is_past(date, "09:00", now)) << date;
    }
    EXPECT_FALSE(is_past("10-03-2026", "25:77", now));
}

TEST(ReminderMessages, LongTextsAreCutToAField) {
    const std::string long_text(400, 'x');
    EXPECT_EQ(alarm_message(long_text).size(), 254u);
    EXPECT_EQ(within_hour_message(3, long_text, "Reminders today: 1. ").size(), 254u);
    EXPECT_EQ(earlier_today_message(1, long_text).size(), 254u);
}

}  // namespace
}  // namespace todo
