// Alarms that fell between two ticks: when the computer slept, was too busy to tick or had its
// clock set forward, an entry's whole alarm window can pass without a tick inside it. These are
// the rules that find such entries; the tick reports them.
//
// Ticks are compared by their instants, which run on evenly when the clocks change in spring or
// autumn: a change of the clocks is not a gap.
#pragma once

#include <string>
#include <vector>

#include "common/clock.h"
#include "reminder_rules.h"

namespace todo {

// The moment at the start of a day, with the texts the date forms are matched against.
Moment moment_of_day(int year, int month, int day);

// An entry whose alarm window lay wholly between two ticks.
struct MissedAlarm {
    int row = 0;
    std::string day;            // the day it fell on, "dd-MM-yyyy"
    common::Instant start = 0;  // its alarm minute began
};

// The entries whose alarm window began after the tick at `last` and was over by the tick at
// `now`, each once, on the latest day it fell on (days further back than a week are not looked
// at). Rows in order. Nothing when the clock went backwards.
std::vector<MissedAlarm> alarms_missed_between(const std::vector<std::string>& dates,
                                               const std::vector<std::string>& times,
                                               common::Instant last, common::Instant now);

// The message line's report of them, as the first tick reports the alarms of earlier today;
// "" for none.
std::string missed_message(int count, const std::string& entry_text);
// The notification of one of them.
std::string missed_notification(const std::string& entry_text);

}  // namespace todo
