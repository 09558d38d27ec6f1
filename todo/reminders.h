// The reminder evaluation: every tick of timer 1 of the main dialog classifies each entry,
// raises alarms, composes the message line and exchanges the message files.
#pragma once

namespace todo {

// The tick (EV_TIMER of the main dialog, timer 1).
void evaluate_reminders();

}  // namespace todo
