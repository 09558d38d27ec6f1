// The one clock both programs read. Tests set it; otherwise it is the local time.
// Day and month names are always English, because the to-do program compares them with
// English names.
#pragma once

#include <optional>
#include <string>

namespace common {

struct ClockTime {
    int year = 2000, month = 1, day = 1;  // month 1-12
    int hour = 0, minute = 0, second = 0;
};

// Now, local time (or the time a test set).
ClockTime clock_now();
// Tests: fix the clock at a time (it stands still until set again), or give it back to the
// system with std::nullopt.
void set_clock(std::optional<ClockTime> time);

// Without a picture: "MM-dd-yyyy" as "%02d-%02d-%04d". With a picture, the Win32 date picture
// rules: d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, and 'quoted' literal text.
// At most 39 characters.
std::string date_text(const std::string& picture = "");
// "%02d:%02d:%02d", 24-hour clock.
std::string time_text();
// Day of the week, 0 Sunday .. 6 Saturday, of a date.
int day_of_week(int year, int month, int day);

}  // namespace common
