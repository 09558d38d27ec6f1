// The reminder evaluation: every tick of timer 1 of the main dialog classifies each entry,
// raises alarms, composes the message line and exchanges the message files.
#pragma once

namespace todo {

// The tick (EV_TIMER of the main dialog, timer 1).
void evaluate_reminders();

// Start-up and every reload: forgets the counters, messages and alarms of the last cycle and
// arms the earlier-today report for the first tick. The status-column highlight is kept.
void reset_reminder_state();

// "+/-": the status-column highlight starts again from the top.
void clear_status_highlight();

// The user did something in the main dialog: the report of alarms missed while the program
// could not tick has been seen, and leaves the message line.
void user_acted_in_window();

// What the last tick counted, for the condition evaluation.
struct TickCounters {
    int priority_one = 0;  // entries of priority 1
    int today = 0;         // matches of the exact, day-name and day-and-month forms
    int old_active = 0;    // entries that were " 5" when the tick began
    int later_today = 0;   // entries set to " 3"
    int within_hour = 0;   // entries within the hour while no alarm had fired
    int alarm_state = 0;   // 0 none, 1 an entry is within the hour, 3 an alarm fired
};
const TickCounters& tick_counters();

}  // namespace todo
