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
