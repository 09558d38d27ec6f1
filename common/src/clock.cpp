// The clock and the date and time texts. Names are English whatever the user's locale: the
// to-do program compares "ddd" and "MMM" texts with English names.
#include "common/clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace common {

namespace {

constexpr Instant DAY = 24 * 60 * 60;

std::optional<Instant>& fixed_clock() {
    static std::optional<Instant> fixed;
    return fixed;
}

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar, and back.
Instant days_from_civil(int year, int month, int day) {
    year -= month <= 2;
    const Instant era = (year >= 0 ? year : year - 399) / 400;
    const Instant year_of_era = year - era * 400;
    const Instant day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const Instant day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

ClockTime civil_from_days(Instant days) {
    days += 719468;
    const Instant era = (days >= 0 ? days : days - 146096) / 146097;
    const Instant day_of_era = days - era * 146097;
    const Instant year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const Instant day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const Instant shifted_month = (5 * day_of_year + 2) / 153;
    ClockTime date;
    date.day = int(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    date.month = int(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    date.year = int(year_of_era + era * 400 + (date.month <= 2));
    return date;
}

constexpr const char* DAY_NAMES[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
constexpr const char* MONTH_NAMES[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
constexpr std::size_t MAX_DATE_TEXT = 39;

std::string two_digits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string day_part(const ClockTime& now, std::size_t count) {
    if (count == 1) return std::to_string(now.day);
    if (count == 2) return two_digits(now.day);
    std::string name = DAY_NAMES[day_of_week(now.year, now.month, now.day)];
    return count == 3 ? name.substr(0, 3) : name;
}

std::string month_part(const ClockTime& now, std::size_t count) {
    if (count == 1) return std::to_string(now.month);
    if (count == 2) return two_digits(now.month);
    int index = now.month >= 1 && now.month <= 12 ? now.month - 1 : 0;
    std::string name = MONTH_NAMES[index];
    return count == 3 ? name.substr(0, 3) : name;
}

std::string year_part(const ClockTime& now, std::size_t count) {
    if (count == 1) return std::to_string(now.year % 100);
    if (count == 2) return two_digits(now.year % 100);
    return std::to_string(now.year);
}

// Copies a quoted literal starting after the opening quote; "''" inside it is one quote.
// Returns the index after the closing quote (or the end of the picture).
std::size_t copy_literal(const std::string& picture, std::size_t i, std::string& out) {
    while (i < picture.size()) {
        if (picture[i] == '\'') {
            if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                out += '\'';
                i += 2;
                continue;
            }
            return i + 1;
        }
        out += picture[i++];
    }
    return i;
}

std::string format_date(const ClockTime& now, const std::string& picture) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        if (c == '\'') {
            i = copy_literal(picture, i + 1, out);
            continue;
        }
        std::size_t count = 1;
        while (i + count < picture.size() && picture[i + count] == c) ++count;
        if (c == 'd')
            out += day_part(now, count);
        else if (c == 'M')
            out += month_part(now, count);
        else if (c == 'y')
            out += year_part(now, count);
        else if (c == 'g')
            out += "A.D.";
        else
            out.append(count, c);
        i += count;
    }
    return out.size() > MAX_DATE_TEXT ? out.substr(0, MAX_DATE_TEXT) : out;
}

}  // namespace

Instant utc_instant(const ClockTime& utc) {
    return days_from_civil(utc.year, utc.month, utc.day) * DAY + utc.hour * 3600LL +
           utc.minute * 60LL + utc.second;
}

ClockTime utc_time_of(Instant instant) {
    const Instant days = instant >= 0 ? instant / DAY : -((-instant + DAY - 1) / DAY);
    ClockTime time = civil_from_days(days);
    const Instant seconds = instant - days * DAY;
    time.hour = int(seconds / 3600);
    time.minute = int(seconds / 60 % 60);
    time.second = int(seconds % 60);
    return time;
}

ClockTime local_time_of(Instant instant) {
    const std::time_t seconds = static_cast<std::time_t>(instant);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &seconds) != 0) return utc_time_of(instant);
#else
    if (localtime_r(&seconds, &local) == nullptr) return utc_time_of(instant);
#endif
    return ClockTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

namespace {

// The wall clock at an instant, read as if it were UTC: what instants of the wall clock compare.
Instant wall_clock_of(Instant instant) {
    return utc_instant(local_time_of(instant));
}

// How far the wall clock is ahead of UTC at an instant.
Instant offset_at(Instant instant) {
    return wall_clock_of(instant) - instant;
}

}  // namespace

Instant instant_of_local(const ClockTime& local) {
    // The wall clock read as if it were UTC differs from the instant by the zone's offset. The
    // offsets in force around the day give the candidates; a time shown twice is met by two of
    // them (the earlier is its first pass), a time skipped by none.
    const Instant wall = utc_instant(local);
    // Most days the zone keeps one offset from the day before to the day after.
    const Instant offset_before = offset_at(wall - DAY);
    if (offset_before == offset_at(wall + DAY) && wall_clock_of(wall - offset_before) == wall) {
        return wall - offset_before;
    }
    std::vector<Instant> candidates;
    for (Instant around : {-DAY, -3 * 3600LL, 0LL, 3 * 3600LL, DAY}) {
        candidates.push_back(wall - offset_at(wall + around));
    }
    std::sort(candidates.begin(), candidates.end());
    for (Instant candidate : candidates) {
        if (wall_clock_of(candidate) == wall) return candidate;
    }
    // Skipped: the first moment whose wall clock has reached the time, which is the moment the
    // clocks went forward. Between the candidates the wall clock only moves forward.
    Instant before = candidates.front(), after = candidates.back();
    if (wall_clock_of(after) < wall) return wall - offset_at(wall);
    while (after - before > 1) {
        const Instant middle = before + (after - before) / 2;
        (wall_clock_of(middle) >= wall ? after : before) = middle;
    }
    return wall_clock_of(before) >= wall ? before : after;
}

Instant clock_instant() {
    if (fixed_clock()) return *fixed_clock();
    return static_cast<Instant>(std::time(nullptr));
}

ClockTime clock_now() {
    return local_time_of(clock_instant());
}

void set_clock_instant(std::optional<Instant> instant) {
    fixed_clock() = instant;
}

void set_clock(std::optional<ClockTime> time) {
    fixed_clock() = time ? std::optional<Instant>(instant_of_local(*time)) : std::nullopt;
}

void set_time_zone(const std::optional<std::string>& zone) {
    static bool saved = false;
    static std::optional<std::string> original;
    if (!saved) {
        if (const char* value = std::getenv("TZ")) original = value;
        saved = true;
    }
    const std::optional<std::string>& wanted = zone ? zone : original;
#ifdef _WIN32
    _putenv_s("TZ", wanted ? wanted->c_str() : "");
    _tzset();
#else
    if (wanted) {
        setenv("TZ", wanted->c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
#endif
}

std::string date_text(const std::string& picture) {
    return date_text_of(clock_now(), picture);
}

std::string date_text_of(const ClockTime& now, const std::string& picture) {
    if (picture.empty()) {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "%02d-%02d-%04d", now.month, now.day, now.year);
        return buffer;
    }
    return format_date(now, picture);
}

std::string time_text() {
    ClockTime now = clock_now();
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    return buffer;
}

int days_in_month(int year, int month) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

int day_of_week(int year, int month, int day) {
    // Sakamoto's method on the proleptic Gregorian calendar.
    static constexpr int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12) month = 1;
    if (month < 3) year -= 1;
    int sum = year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day;
    return ((sum % 7) + 7) % 7;
}

}  // namespace common
