#include "date_fields.h"

#include <array>
#include <cstdio>

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
