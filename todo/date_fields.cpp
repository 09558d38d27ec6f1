#include "date_fields.h"

#include <array>
#include <cstdio>

#include "common/clock.h"
#include "record.h"

namespace todo {

namespace {

template <std::size_t N>
std::optional<std::string> next_in(const std::array<const char*, N>& names,
                                   const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) return std::string(names[(i + 1) % N]);
    }
    return std::nullopt;
}

constexpr std::array<const char*, 8> DAY_NAMES = {"Mon", "Tue", "Wed", "Thu",
                                                  "Fri", "Sat", "Sun", "Day"};
constexpr std::array<const char*, 12> MONTH_NAMES = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::optional<std::string> next_day_name(const std::string& text) {
    return next_in(DAY_NAMES, text);
}

std::optional<std::string> next_month_name(const std::string& text) {
    return next_in(MONTH_NAMES, text);
}

std::string step_field(const std::string& field, int limit) {
    long value = static_cast<long>(rounded_value(field)) + 1;
    // A value typed out of range starts the count again rather than growing further.
    if (value >= limit || value < 0) value = 0;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%02ld", value);
    return digits;
}

std::string compose_date(const std::string& day, const std::string& month,
                         const std::string& third) {
    return day + "-" + month + "-" + third;
}

std::string compose_time(const std::string& hours, const std::string& minutes) {
    return hours + ":" + minutes;
}

}  // namespace todo

namespace todo {

namespace {

constexpr const char* MONTH_FULL_NAMES[12] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};

bool all_digits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return text;
}

// The index of a three-letter name in any case, or -1.
template <std::size_t N>
int name_index(const std::array<const char*, N>& names, const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (lowered(text) == lowered(names[i])) return int(i);
    }
    return -1;
}

std::string two_digits(long value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%02ld", value);
    return digits;
}

// A number field of one or two digits; -1 when it is not one.
long small_number(const std::string& field) {
    if (!all_digits(field) || field.size() > 2) return -1;
    return std::stol(field);
}

std::string day_problem(long day, int month, int year, bool yearly) {
    if (day < 0) return "The day must be a number from 1 to 31";
    if (day == 0) return "There is no day 0";
    const int length = common::days_in_month(yearly ? 2024 : year, month);
    if (day <= length) return "";
    const std::string name = MONTH_FULL_NAMES[month - 1];
    if (month == 2 && day == 29) return "There is no 29 February in " + std::to_string(year);
    return "There is no " + std::to_string(day) + " " + name;
}

FieldsCheck exact_date(const std::string& day, const std::string& month, const std::string& year) {
    FieldsCheck check;
    if (day.empty() || month.empty()) {
        check.problem = "A date with a year needs its day and its month";
        return check;
    }
    const long month_number = small_number(month);
    if (month_number < 0) {
        check.problem = "The month must be a number from 1 to 12";
    } else if (month_number < 1 || month_number > 12) {
        check.problem = "There is no month " + std::to_string(month_number);
    } else if (year.size() != 4 || std::stoi(year) < 1900 || std::stoi(year) > 2099) {
        check.problem = "The year " + year + " is not one of 1900 to 2099";
    } else {
        check.problem = day_problem(small_number(day), int(month_number), std::stoi(year), false);
    }
    if (check.problem.empty()) {
        check.value = compose_date(two_digits(small_number(day)), two_digits(month_number), year);
    }
    return check;
}

FieldsCheck weekly_date(const std::string& day, const std::string& month, const std::string& name) {
    FieldsCheck check;
    if (!day.empty() || !month.empty()) {
        check.problem = "A day name goes with an empty day and month: --" + name;
    } else {
        check.value = compose_date("", "", name);
    }
    return check;
}

FieldsCheck yearly_date(const std::string& day, const std::string& month, const std::string& name,
                        int month_index) {
    FieldsCheck check;
    if (!month.empty()) {
        check.problem = "A month name goes with a day and an empty month, as in 08--" + name;
        return check;
    }
    if (day.empty()) {
        check.problem = "A date of every year needs its day, as in 08--" + name;
        return check;
    }
    const long day_number = small_number(day);
    check.problem = day_problem(day_number, month_index + 1, 0, true);
    if (!check.problem.empty()) return check;
    check.value = compose_date(two_digits(day_number), "", name);
    if (month_index == 1 && day_number == 29) {
        check.note = check.value + " rings in leap years only";
    }
    return check;
}

}  // namespace

DateFields split_date(const std::string& date) {
    const auto part = [&date](std::size_t at, std::size_t length) {
        return at < date.size() ? date.substr(at, length) : std::string();
    };
    const bool exact = date.size() == 10 && date[2] == '-' && date[5] == '-';
    if (date.size() >= 3 && date.compare(0, 2, "--") == 0) return {"", "", date.substr(2)};
    if (!exact && date.size() >= 5 && date.compare(2, 2, "--") == 0) {
        return {date.substr(0, 2), "", date.substr(4)};
    }
    return {part(0, 2), part(3, 2), part(6, 4)};
}

FieldsCheck check_date_fields(const std::string& day, const std::string& month,
                              const std::string& third) {
    if (all_digits(third)) return exact_date(day, month, third);
    if (name_index(DAY_NAMES, third) >= 0) return weekly_date(day, month, third);
    const int month_index = name_index(MONTH_NAMES, third);
    if (month_index >= 0) return yearly_date(day, month, third, month_index);
    FieldsCheck check;
    check.problem = third.empty() ? "The date needs a year, a day name or a month name"
                                  : "\"" + third +
                                        "\" is not a year, a day name (Mon to Sun, or Day for "
                                        "every day) or a month name (Jan to Dec)";
    return check;
}

FieldsCheck check_time_fields(const std::string& hours, const std::string& minutes) {
    FieldsCheck check;
    const long hour = small_number(hours);
    const long minute = small_number(minutes);
    if (hour < 0 || hour > 23) {
        check.problem = "The hours must be a number from 00 to 23, not \"" + hours + "\"";
    } else if (minute < 0 || minute > 59) {
        check.problem = "The minutes must be a number from 00 to 59, not \"" + minutes + "\"";
    } else {
        check.value = compose_time(two_digits(hour), two_digits(minute));
    }
    return check;
}

}  // namespace todo
