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

// A remind-me date taken apart into the fields that compose it: "24-12-2004" into 24, 12, 2004,
// "--Tue" into an empty day and month and Tue, "08--Dec" into 08, an empty month and Dec. A date
// of none of the four forms is taken apart by position (characters 1-2, 4-5 and 7-10).
struct DateFields {
    std::string day, month, third;
};
DateFields split_date(const std::string& date);

// A date or time the fields compose, checked before it goes into the list. `value` is what is
// stored (a day, month, hour or minute of one digit written with two, so the reminder rings);
// `problem` says what is wrong when it can never ring, and is empty when all is well; `note`
// says what the user should know of a date that is taken.
struct FieldsCheck {
    std::string value;
    std::string problem;
    std::string note;
};
// The four forms, and a real date: a day of its month, a month 1-12, a year 1900-2099.
FieldsCheck check_date_fields(const std::string& day, const std::string& month,
                              const std::string& third);
// Hours 00-23 and minutes 00-59.
FieldsCheck check_time_fields(const std::string& hours, const std::string& minutes);

}  // namespace todo
