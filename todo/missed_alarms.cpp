#include "missed_alarms.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "common/text.h"

namespace todo {

namespace {

constexpr long long DAY = 24 * 60 * 60;
constexpr int DAYS_LOOKED_BACK = 7;

constexpr const char* DAY_NAMES[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
constexpr const char* MONTH_NAMES[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar, and back.
long long days_from_civil(int year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long year_of_era = year - era * 400;
    const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

common::ClockTime civil_from_days(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long day_of_era = days - era * 146097;
    const long long year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const long long day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const long long shifted_month = (5 * day_of_year + 2) / 153;
    common::ClockTime date;
    date.day = int(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    date.month = int(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    date.year = int(year_of_era + era * 400 + (date.month <= 2));
    return date;
}

std::string two_digits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// The alarm minute of a remind-me time, as the tick reads it; nothing for a time no clock shows.
std::optional<long long> minute_of_day(const std::string& time) {
    const long hour = common::text_integer(common::left_text(time, 2));
    const long minute = common::text_integer(common::mid_text(time, 4, 2));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
}

// The window is the alarm minute and the next, but never past the end of its hour.
long long window_end(long long start, long long minute_of_day) {
    return start + (minute_of_day % 60 == 59 ? 60 : 120);
}

}  // namespace

long long clock_seconds(const common::ClockTime& time) {
    return days_from_civil(time.year, time.month, time.day) * DAY + time.hour * 3600LL +
           time.minute * 60LL + time.second;
}

Moment moment_of_day(int year, int month, int day) {
    Moment moment;
    moment.day = two_digits(day);
    moment.date = moment.day + "-" + two_digits(month) + "-" + std::to_string(year);
    moment.day_name = DAY_NAMES[common::day_of_week(year, month, day)];
    moment.month_name = MONTH_NAMES[month >= 1 && month <= 12 ? month - 1 : 0];
    return moment;
}

std::vector<MissedAlarm> alarms_missed_between(const std::vector<std::string>& dates,
                                               const std::vector<std::string>& times,
                                               const common::ClockTime& last,
                                               const common::ClockTime& now) {
    const long long after = clock_seconds(last);
    const long long until = clock_seconds(now);
    std::vector<MissedAlarm> missed;
    if (until <= after) return missed;
    const long long today = until / DAY;
    const long long first_day = std::max(after / DAY, today - DAYS_LOOKED_BACK);
    const std::size_t rows = std::min(dates.size(), times.size());
    std::vector<char> found(rows, 0);
    // The latest day first, so an entry due every day is reported for its last alarm only.
    for (long long day = today; day >= first_day; --day) {
        const common::ClockTime date = civil_from_days(day);
        const Moment moment = moment_of_day(date.year, date.month, date.day);
        for (std::size_t row = 0; row < rows; ++row) {
            if (found[row] || !falls_on_today(dates[row], moment)) continue;
            const std::optional<long long> minute = minute_of_day(times[row]);
            if (!minute) continue;
            const long long start = day * DAY + *minute * 60;
            if (start <= after || window_end(start, *minute) > until) continue;
            found[row] = 1;
            missed.push_back({int(row), moment.date, start});
        }
    }
    std::sort(missed.begin(), missed.end(),
              [](const MissedAlarm& a, const MissedAlarm& b) { return a.row < b.row; });
    return missed;
}

std::string missed_message(int count, const std::string& entry_text) {
    return past_alarms_message(count, entry_text, "MISSED WHILE AWAY");
}

std::string missed_notification(const std::string& entry_text) {
    return common::field_text("Missed while away: " + entry_text);
}

}  // namespace todo
