// The rules of the reminder evaluation that need no window: when a remind-me date falls on
// today, how one entry is classified at a moment of the day, and the texts of the messages.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"

namespace todo {

class DayWindows;

// The moment a tick classifies against, taken once at the start of the tick: the texts the date
// forms are matched against, the wall clock of the user's time zone, and the instant.
struct Moment {
    std::string date;        // "dd-MM-yyyy"
    std::string day;         // "dd"
    std::string day_name;    // "ddd", lower case
    std::string month_name;  // "MMM", lower case
    int hour = 0;
    int minute = 0;
    common::ClockTime local;  // the wall clock
    common::Instant instant = 0;
    std::shared_ptr<DayWindows> windows;  // of its day, as they are asked for
};

// The moment of the layer's clock, and of any instant.
Moment moment_now();
Moment moment_at(common::Instant instant);

// When an entry due on a day rings: from the instant its time is first shown on that day (a time
// skipped by the clocks going forward rings at the first moment after the gap) for its minute
// and the next, but never past the end of its hour; the hour is the wall-clock hour it rings in,
// so a time shown twice when the clocks go back lies in the hour of its first pass, and the
// second pass is after that hour.
struct AlarmWindow {
    common::Instant start = 0;       // its minute begins
    common::Instant end = 0;         // its alarm is over
    common::Instant hour_start = 0;  // the hour it rings in
    common::Instant hour_end = 0;
};
// Nothing for a time no clock shows ("25:10", "09:77").
std::optional<AlarmWindow> alarm_window(const std::string& time, const common::ClockTime& day);

// The alarm windows of one day, each worked out the first time it is asked for: a tick asks for
// thousands of entries, and they share at most the day's 1,440 minutes.
class DayWindows {
public:
    explicit DayWindows(const common::ClockTime& day);
    std::optional<AlarmWindow> of(const std::string& time);

private:
    common::ClockTime day_;
    std::vector<std::optional<AlarmWindow>> windows_;  // by minute of the day
};
// Whether the exact date and time of a remind-me date has rung its last (false for the other
// forms, and for dates or times no clock shows).
bool is_past(const std::string& date, const std::string& time, common::Instant now);

// The four remind-me date forms.
bool is_exact_date(const std::string& date, const Moment& now);          // 24-12-2004
bool is_day_name_date(const std::string& date, const Moment& now);       // --Tue
bool is_every_day_date(const std::string& date);                         // --Day
bool is_day_and_month_date(const std::string& date, const Moment& now);  // 08--Dec

// Matches of the exact, day-name and day-and-month forms, each counted separately (the
// every-day form is not counted, so "Reminders today:" leaves out the daily chores).
int counted_today_forms(const std::string& date, const Moment& now);
// Whether the entry is due today in any of the four forms.
bool falls_on_today(const std::string& date, const Moment& now);

// Both answers at once, for the tick that asks them of every entry.
struct DateMatch {
    int counted_forms = 0;
    bool today = false;
};
DateMatch match_date(const std::string& date, const Moment& now);

// Where an entry stands at the moment.
enum class Timing {
    NotToday,        // " 5", or stays " 6"
    EarlierToday,    // " 4": its hour has passed
    LaterToday,      // " 3": its hour is still to come
    ComingThisHour,  // its minute is still to come: keeps its status
    WithinHour,      // " 2": its minute has passed
    Alarm,           // " 0": its minute or the next
};

struct Classification {
    Timing timing = Timing::NotToday;
    int minutes_past = 0;  // within the hour: whole minutes since the entry's minute began
    std::optional<AlarmWindow> window;  // today's, for an entry due today at a time clocks show
};

// Hours are the value of the time's first two characters, minutes of characters 4 and 5. On an
// ordinary day the entry's hour and minute are compared with the clock's; across a change of the
// clocks the instants are, so every entry rings once.
Classification classify_entry(const std::string& date, const std::string& time, const Moment& now);
// The same for an entry already known to fall on today.
Classification classify_time_today(const std::string& time, const Moment& now);

// The value of a status or priority text, as text_number gives it, quickly for the plain whole
// numbers the columns hold (the tick reads thousands of them).
double code_value(const std::string& text);
// Priority one is the value 1 exactly (" 1", "1", " 1.00"; not " 1.50").
bool is_priority_one(const std::string& priority);
// The status code the entry shows after the classification: priority one overrides all.
std::string status_after(const Classification& classification, const std::string& old_status,
                         const std::string& priority);
std::string status_of(const Classification& classification, const std::string& old_status,
                      bool priority_one);

// ---- Messages of the message line (each cut to 254 characters) -----------------------------
// "Priority ONE reminders: 2. Reminders today: 1. "; empty when there is nothing to tell.
std::string summary_text(int priority_one, int today, int old_active);
// The summary, or "No Reminder today." when it is empty.
std::string reminder_message_of(const std::string& summary);
std::string alarm_message(const std::string& entry_text);
// Several alarms at once: "<< THERE ARE 3 REMINDER ALARMS >> ", their texts with "; " between
// them, and two spaces, as one alarm ends.
std::string several_alarms_message(const std::vector<std::string>& entry_texts);
// Their texts as one alarm text: each text, "; " between them.
std::string alarm_texts(const std::vector<std::string>& entry_texts);
// The first entry within the hour on a tick, and every later one (count: those before it).
std::string within_hour_message(int minutes_past, const std::string& entry_text,
                                const std::string& summary);
std::string several_within_hour_message(int count_before, const std::string& summary);
// The report of alarms given late, one entry by its text, several by their count ("" for none);
// `when` says when they fell due ("FROM EARLIER TODAY").
std::string past_alarms_message(int count, const std::string& entry_text, const std::string& when);
// The first tick's report of alarms whose hour passed before the program ran; "" for none.
std::string earlier_today_message(int count, const std::string& entry_text);

}  // namespace todo
