// Alarms that fell between two ticks: when the computer slept, was too busy to tick or had its
// clock set forward, an entry's whole alarm window can pass without a tick inside it. These are
// the rules that find such entries; the tick reports them.
#pragma once

#include <string>
#include <vector>

#include "common/clock.h"
#include "reminder_rules.h"

namespace todo {

// Seconds since 1 January 1970 of a clock time, on the calendar alone (local time, no zones):
// what two ticks are compared by.
long long clock_seconds(const common::ClockTime& time);

// The moment at the start of a day, with the texts the date forms are matched against.
Moment moment_of_day(int year, int month, int day);

// An entry whose alarm window lay wholly between two ticks.
struct MissedAlarm {
    int row = 0;
    std::string day;      // the day it fell on, "dd-MM-yyyy"
    long long start = 0;  // clock_seconds of its alarm minute
};

// The entries whose alarm window (their minute and the next, within the same hour) began after
// the tick at `last` and was over by the tick at `now`, each once, on the latest day it fell on
// (days further back than a week are not looked at). Rows in order. Nothing when the clock went
// backwards.
std::vector<MissedAlarm> alarms_missed_between(const std::vector<std::string>& dates,
                                               const std::vector<std::string>& times,
                                               const common::ClockTime& last,
                                               const common::ClockTime& now);

// The message line's report of them, as the first tick reports the alarms of earlier today;
// "" for none.
std::string missed_message(int count, const std::string& entry_text);
// The notification of one of them.
std::string missed_notification(const std::string& entry_text);

}  // namespace todo
