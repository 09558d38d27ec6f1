// The one clock both programs read. Tests set it; otherwise it is the system's.
//
// The clock holds an instant (seconds since 1 January 1970, 00:00 UTC), which runs on evenly
// through a change of the clocks in spring or autumn; the date and time texts are that instant
// read as the wall clock of the user's time zone. Day and month names are always English,
// because the to-do program compares them with English names.
#pragma once

#include <optional>
#include <string>

namespace common {

struct ClockTime {
    int year = 2000, month = 1, day = 1;  // month 1-12
    int hour = 0, minute = 0, second = 0;
};

// Seconds since 1 January 1970, 00:00 UTC.
using Instant = long long;

// Now, as the wall clock of the user's time zone shows it (or the time a test set).
ClockTime clock_now();
// Now as an instant.
Instant clock_instant();

// The wall clock of the user's time zone at an instant.
ClockTime local_time_of(Instant instant);
// The instant the wall clock shows these fields. A time the clock skips (the hour lost when the
// clocks go forward) gives the first moment after the gap; a time it shows twice (the hour
// repeated when they go back) gives its first pass.
Instant instant_of_local(const ClockTime& local);

// The calendar alone, without any zone: the instant of a UTC date and time, and back.
Instant utc_instant(const ClockTime& utc);
ClockTime utc_time_of(Instant instant);

// Tests: fix the clock at an instant (it stands still until set again), or give it back to the
// system with std::nullopt. Given as wall-clock fields, the fields are read in the time zone in
// force when the clock is set.
void set_clock_instant(std::optional<Instant> instant);
void set_clock(std::optional<ClockTime> time);
// Tests: read the wall clock in this time zone (a TZ name such as "Europe/London"); std::nullopt
// gives back the zone the process started with.
void set_time_zone(const std::optional<std::string>& zone);

// Without a picture: "MM-dd-yyyy" as "%02d-%02d-%04d". With a picture, the Win32 date picture
// rules: d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, and 'quoted' literal text.
// At most 39 characters.
std::string date_text(const std::string& picture = "");
// The same of a given wall-clock time.
std::string date_text_of(const ClockTime& time, const std::string& picture);
// "%02d:%02d:%02d", 24-hour clock.
std::string time_text();
// Day of the week, 0 Sunday .. 6 Saturday, of a date.
int day_of_week(int year, int month, int day);
// Days in a month of the Gregorian calendar (0 for a month that is not 1-12).
int days_in_month(int year, int month);

}  // namespace common
