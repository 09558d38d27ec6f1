// The reminder's date and time fields of the main dialog: the day, month and third field compose
// a remind-me date ("24-12-2004", "--Tue", "--Day", "08--Dec"), the hours and minutes a time.
#pragma once

#include <optional>
#include <string>

namespace todo {

// The day name after the one given in Mon, Tue, ..., Sun, Day (Day means every day; it is
// followed by Mon again); nothing when the text is not one of them.
std::optional<std::string> next_day_name(const std::string& text);
// The month name after the one given (Dec is followed by Jan); nothing when it is not one.
std::optional<std::string> next_month_name(const std::string& text);
// One step of an hours (limit 24) or minutes (limit 60) field: value + 1, wrapping to 0 at the
// limit, written with two digits.
std::string step_field(const std::string& field, int limit);

std::string compose_date(const std::string& day, const std::string& month,
                         const std::string& third);
std::string compose_time(const std::string& hours, const std::string& minutes);

}  // namespace todo
