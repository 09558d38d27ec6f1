// What reaches the user beyond the main dialog: its icon in the desktop's panel (the message
// line as tooltip, a click to bring the dialog forward or put it away, a menu of the commands
// that matter from there) and the desktop's notifications of alarms.
#pragma once

#include <string>

namespace todo {

// The panel menu's "Show": not a tool-bar command, so it has an id of its own.
inline constexpr int CMD_SHOW = 80;

// The main dialog's initialisation puts its icon in the panel, where the desktop has one.
void put_icon_in_panel();
// The tooltip follows the message line.
void show_in_panel_tooltip(const std::string& message_line);
// A click on the icon: the dialog comes forward, or goes away when it is already in front.
void panel_icon_clicked();
// "Show": the dialog comes forward.
void bring_main_dialog_forward();

// An entry's alarm has started. Its notification offers "Done" and "Snooze 10 minutes", which
// reach the main dialog with the alarm's number (see alarm_answers.h).
void notify_reminder(const std::string& entry_text, long alarm_number);
// The panel menu's "Done" and "Snooze 10 minutes" can be chosen while an alarm rings.
void enable_alarm_answers(bool ringing);
// An entry's alarm passed while nothing ticked.
void notify_missed_reminder(const std::string& entry_text);

}  // namespace todo
