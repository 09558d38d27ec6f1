// The clock and the date and time texts the programs compare and store.
#include "common/clock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using common::date_text;

class ClockTest : public ::testing::Test {
protected:
    void TearDown() override { common::set_clock(std::nullopt); }
    void at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
        common::set_clock(common::ClockTime{year, month, day, hour, minute, second});
    }
};

TEST_F(ClockTest, DefaultTextsAreMonthFirstAndTwentyFourHour) {
    at(2026, 3, 7, 8, 5, 9);
    EXPECT_EQ(date_text(), "03-07-2026");
    EXPECT_EQ(common::time_text(), "08:05:09");
    at(1999, 12, 31, 23, 59, 59);
    EXPECT_EQ(date_text(), "12-31-1999");
    EXPECT_EQ(common::time_text(), "23:59:59");
}

TEST_F(ClockTest, PicturesTheProgramsUse) {
    at(2026, 3, 7);
    EXPECT_EQ(date_text("dd'-'MM'-'yyyy"), "07-03-2026");
    EXPECT_EQ(date_text("dd"), "07");
    EXPECT_EQ(date_text("MM"), "03");
    EXPECT_EQ(date_text("yyyy"), "2026");
    EXPECT_EQ(date_text("ddd"), "Sat");
    EXPECT_EQ(date_text("MMM"), "Mar");
}

TEST_F(ClockTest, EveryPictureElementAndLiteral) {
    at(2005, 9, 4);
    EXPECT_EQ(date_text("d M y"), "4 9 5");
    EXPECT_EQ(date_text("dddd d MMMM yy"), "Sunday 4 September 05");
    EXPECT_EQ(date_text("dd/MM/yyyy"), "04/09/2005");  // unquoted signs are copied
    EXPECT_EQ(date_text("'day' d 'of' MMM"), "day 4 of Sep");
    EXPECT_EQ(date_text("'it''s' d"), "it's 4");
    EXPECT_EQ(date_text("'unclosed d"), "unclosed d");
    // Never more than 39 characters.
    EXPECT_EQ(date_text("dddd dddd dddd dddd dddd dddd").size(), 39u);
}

TEST_F(ClockTest, EnglishNamesForEveryDayAndMonth) {
    const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 1; day <= 7; ++day) {  // 1 June 2025 is a Sunday
        at(2025, 6, day);
        EXPECT_EQ(date_text("ddd"), days[day - 1]);
    }
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int month = 1; month <= 12; ++month) {
        at(2025, month, 15);
        EXPECT_EQ(date_text("MMM"), months[month - 1]);
    }
}

TEST_F(ClockTest, DayOfWeekAcrossLeapYearsAndCenturies) {
    EXPECT_EQ(common::day_of_week(2000, 1, 1), 6);
    EXPECT_EQ(common::day_of_week(2000, 2, 29), 2);
    EXPECT_EQ(common::day_of_week(2024, 2, 29), 4);
    EXPECT_EQ(common::day_of_week(1900, 3, 1), 4);
    EXPECT_EQ(common::day_of_week(2100, 3, 1), 1);
    EXPECT_EQ(common::day_of_week(2026, 12, 9), 3);
}

TEST_F(ClockTest, SetClockStandsStillAndGivesBackTheSystemTime) {
    at(2010, 1, 2, 3, 4, 5);
    common::ClockTime fixed = common::clock_now();
    EXPECT_EQ(fixed.year, 2010);
    EXPECT_EQ(fixed.second, 5);
    EXPECT_EQ(common::clock_now().second, 5);

    common::set_clock(std::nullopt);
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    common::ClockTime now = common::clock_now();
    EXPECT_EQ(now.year, local.tm_year + 1900);
    EXPECT_EQ(now.month, local.tm_mon + 1);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
}

}  // namespace

namespace {

using common::ClockTime;
using common::Instant;
using common::instant_of_local;
using common::local_time_of;
using common::utc_instant;

// The wall clock in a time zone for the length of a test; the process's own zone afterwards.
class ZoneTest : public ::testing::Test {
protected:
    void TearDown() override {
        common::set_clock(std::nullopt);
        common::set_time_zone(std::nullopt);
    }
    static Instant utc(int year, int month, int day, int hour, int minute, int second = 0) {
        return utc_instant(ClockTime{year, month, day, hour, minute, second});
    }
    static std::string shown(Instant instant) {
        const ClockTime t = local_time_of(instant);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
        return text;
    }
};

TEST_F(ZoneTest, CalendarArithmeticOfUtc) {
    EXPECT_EQ(utc(1970, 1, 1, 0, 0, 1), 1);
    EXPECT_EQ(utc(2026, 3, 1, 0, 0) - utc(2026, 2, 28, 0, 0), 86400);
    EXPECT_EQ(utc(2024, 3, 1, 0, 0) - utc(2024, 2, 28, 0, 0), 2 * 86400) << "a leap year";
    EXPECT_EQ(utc(2000, 3, 1, 0, 0) - utc(2000, 2, 28, 0, 0), 2 * 86400) << "2000 was one";
    EXPECT_EQ(utc(2100, 3, 1, 0, 0) - utc(2100, 2, 28, 0, 0), 86400) << "2100 is not";
    for (Instant instant : {Instant{0}, Instant{1798761599}, Instant{-1}, utc(1900, 1, 1, 12, 0)}) {
        EXPECT_EQ(utc_instant(common::utc_time_of(instant)), instant) << instant;
    }
    EXPECT_EQ(common::utc_time_of(-1).year, 1969);
    EXPECT_EQ(common::utc_time_of(-1).second, 59);
    EXPECT_EQ(common::days_in_month(2027, 2), 28);
    EXPECT_EQ(common::days_in_month(2028, 2), 29);
    EXPECT_EQ(common::days_in_month(2027, 4), 30);
    EXPECT_EQ(common::days_in_month(2027, 13), 0);
}

// 28 March 2027: at 01:00 GMT the clocks go forward to 02:00 BST.
TEST_F(ZoneTest, SpringForwardInLondonSkipsAnHour) {
    common::set_time_zone("Europe/London");
    EXPECT_EQ(shown(utc(2027, 3, 28, 0, 59, 59)), "2027-03-28 00:59:59");
    EXPECT_EQ(shown(utc(2027, 3, 28, 1, 0, 0)), "2027-03-28 02:00:00");
    // A time the clock never shows is taken as the first moment after the gap.
    EXPECT_EQ(instant_of_local({2027, 3, 28, 1, 30, 0}), utc(2027, 3, 28, 1, 0));
    EXPECT_EQ(instant_of_local({2027, 3, 28, 1, 0, 0}), utc(2027, 3, 28, 1, 0));
    EXPECT_EQ(instant_of_local({2027, 3, 28, 1, 59, 59}), utc(2027, 3, 28, 1, 0));
    // Either side of the gap the wall clock is what it says.
    EXPECT_EQ(instant_of_local({2027, 3, 28, 0, 59, 0}), utc(2027, 3, 28, 0, 59));
    EXPECT_EQ(instant_of_local({2027, 3, 28, 2, 0, 0}), utc(2027, 3, 28, 1, 0));
    EXPECT_EQ(instant_of_local({2027, 3, 28, 2, 30, 0}), utc(2027, 3, 28, 1, 30));
    EXPECT_EQ(instant_of_local({2027, 7, 1, 12, 0, 0}), utc(2027, 7, 1, 11, 0));
}

// 25 October 2026: at 02:00 BST the clocks go back to 01:00 GMT.
TEST_F(ZoneTest, AutumnBackInLondonShowsAnHourTwice) {
    common::set_time_zone("Europe/London");
    EXPECT_EQ(shown(utc(2026, 10, 25, 0, 30)), "2026-10-25 01:30:00");
    EXPECT_EQ(shown(utc(2026, 10, 25, 1, 30)), "2026-10-25 01:30:00");
    // A time shown twice is taken at its first pass.
    EXPECT_EQ(instant_of_local({2026, 10, 25, 1, 30, 0}), utc(2026, 10, 25, 0, 30));
    EXPECT_EQ(instant_of_local({2026, 10, 25, 1, 0, 0}), utc(2026, 10, 25, 0, 0));
    EXPECT_EQ(instant_of_local({2026, 10, 25, 0, 59, 0}), utc(2026, 10, 24, 23, 59));
    EXPECT_EQ(instant_of_local({2026, 10, 25, 2, 0, 0}), utc(2026, 10, 25, 2, 0));
    EXPECT_EQ(instant_of_local({2026, 12, 25, 9, 0, 0}), utc(2026, 12, 25, 9, 0));
}

TEST_F(ZoneTest, ZoneWithoutDaylightSavingAndTheZoneGivenBack) {
    const Instant noon_utc = utc(2027, 3, 28, 12, 0);
    const std::string before = shown(noon_utc);
    common::set_time_zone("Asia/Tokyo");
    EXPECT_EQ(shown(noon_utc), "2027-03-28 21:00:00");
    for (int hour = 0; hour < 24; ++hour) {
        EXPECT_EQ(instant_of_local({2027, 3, 28, hour, 30, 0}), utc(2027, 3, 27, hour + 15, 30));
    }
    common::set_time_zone("UTC");
    EXPECT_EQ(shown(noon_utc), "2027-03-28 12:00:00");
    common::set_time_zone(std::nullopt);
    EXPECT_EQ(shown(noon_utc), before);
}

// The texts the programs compare are the wall clock's, the clock itself an instant.
TEST_F(ZoneTest, DateAndTimeTextsAreTheWallClockOfTheInstant) {
    common::set_time_zone("Europe/London");
    common::set_clock_instant(utc(2026, 10, 25, 1, 30));  // the second pass of 01:30
    EXPECT_EQ(common::time_text(), "01:30:00");
    EXPECT_EQ(date_text("dd'-'MM'-'yyyy ddd"), "25-10-2026 Sun");
    EXPECT_EQ(common::clock_instant(), utc(2026, 10, 25, 1, 30));
    // Given as fields, the clock is set through the zone.
    common::set_clock(ClockTime{2026, 7, 1, 9, 0, 0});
    EXPECT_EQ(common::clock_instant(), utc(2026, 7, 1, 8, 0));
    common::set_time_zone("Asia/Tokyo");
    EXPECT_EQ(common::time_text(), "17:00:00") << "the instant stays, the wall clock moves";
}

}  // namespace
