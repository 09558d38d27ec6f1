// The clock and the date and time texts. Names are English whatever the user's locale: the
// to-do program compares "ddd" and "MMM" texts with English names.
#include "common/clock.h"

#include <cstdio>
#include <ctime>

namespace common {

namespace {

std::optional<ClockTime>& fixed_clock() {
    static std::optional<ClockTime> fixed;
    return fixed;
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

ClockTime clock_now() {
    if (fixed_clock()) return *fixed_clock();
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return ClockTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

void set_clock(std::optional<ClockTime> time) {
    fixed_clock() = time;
}

std::string date_text(const std::string& picture) {
    ClockTime now = clock_now();
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

int day_of_week(int year, int month, int day) {
    // Sakamoto's method on the proleptic Gregorian calendar.
    static constexpr int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12) month = 1;
    if (month < 3) year -= 1;
    int sum = year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day;
    return ((sum % 7) + 7) % 7;
}

}  // namespace common
