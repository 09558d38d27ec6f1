// The to-do program's program-wide state, shared by all its concerns. The to-do list itself
// lives in the six list columns of the main dialog and in the database file; these are the few
// values around it. Start-up (re)sets them at the beginning of every cycle.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "common/window.h"

namespace todo {

inline constexpr const char* PROGRAM_TITLE = "ZaZu R008a";

// ---- Dialogs, owned here for the whole run ---------------------------------------------------
extern common::Window main_dialog;     // "ZaZu R008a": the to-do list and its commands
extern common::Window alarm_dialog;    // "Alarm Action"
extern common::Window weights_dialog;  // "Neural Network condition weights"

// Start-up declares the alarm action and weights dialogs (layout, captions, ids) with a handler
// that passes every event on to these. The alarm and weights concerns set them to their own
// handlers before they show their dialog; while empty, events get the default processing (0).
extern common::Handler alarm_dialog_events;
extern common::Handler weights_dialog_events;

// ---- Settings ("todo.ini", one field per line; see settings_file.h) -------------------------
struct Settings {
    std::string program_path;               // 1: program started on an alarm
    std::string sound_path;                 // 2: sound played on an alarm
    int run_program = 0;                    // 3: 1 = start the program on an alarm
    int play_sound = 0;                     // 4: 1 = play the sound on an alarm
    std::string database_path;              // 5
    int x = 0, y = 0;                       // 6: the main dialog's saved screen position...
    std::string message_prefix = "ToDo: ";  // 6: ...and the message file's prefix
    std::string message_file_flag = "yes";  // 7: "Create message file", "yes" / "no"
    std::string show_output_flag = "yes";   // 8: "Show Neural Net output", "yes" / "no"
    std::string message_file_path;          // 9
    std::string fine_tune_flag = "no";      // 10: "Fine tune for Ai", "yes" / "no"
    std::string message_input_path;         // 11: a line dropped here becomes a new entry
};

// ---- Shared state ----------------------------------------------------------------------------
struct TodoState {
    std::string window_title = PROGRAM_TITLE;
    Settings settings;
    std::string condition_output;  // the winning condition's response to show
    int sound_play = 1;            // 1: the sound player plays, 0: it closes the sound
    // Default responses of conditions 0 to 5, 27 characters each.
    std::array<std::string, 6> condition_labels = {
        " << ALARM >>               ", "Priority ONE               ",
        "Alarm within the hour      ", "Reminders pending today    ",
        "Reminders today            ", "Old active reminders       "};
    int last_alarmed = -1;        // row of the last alarm that ran its alarm action
    int entry_count = 1;          // rows of the to-do list in use
    bool entry_selected = false;  // a row was chosen in the text, date or time column
    int current_row = -1;         // last row chosen in the text, date or time column
    bool reselect = false;        // the next tick selects the relevant entry again
    bool run = true;              // the run loop goes on while set
    bool reload = false;          // after the loop: run the whole start-up again
    bool weights_dialog_open = false;
    // Row of the status column the reminder evaluation highlighted (-1 none); "+/-" clears it,
    // a reload keeps it.
    int highlighted_row = 0;
    // The condition that scored highest most recently, -1 before any has scored above 0. Kept
    // for the whole run, reloads included.
    int condition_winner = -1;

    // Not part of the user's view, kept for the start-up cycle and the database's safety.
    int icon = 0;                  // "todo.ico", 0 when missing
    int tool_bar_strip = 0;        // "toolbar.bmp", 0 when missing
    bool database_chosen = false;  // the next load is of a database the user just chose
    int cycle = 0;                 // start-up cycles begun so far: a reload starts the next one
    // The database path copied to "todo.bak" by this cycle's start ("" when the copy failed):
    // where the original of a damaged database is kept.
    std::string backed_up_database;
};
extern TodoState state;

// ---- Main dialog controls --------------------------------------------------------------------
// The six columns of the to-do list: row i of each belongs to entry i.
inline constexpr int ID_TEXT_COLUMN = 1;
inline constexpr int ID_PRIORITY_COLUMN = 9;
inline constexpr int ID_CREATED_COLUMN = 11;
inline constexpr int ID_DATE_COLUMN = 20;
inline constexpr int ID_TIME_COLUMN = 39;
inline constexpr int ID_STATUS_COLUMN = 46;  // sends no selection events

inline constexpr int ID_ENTRY_EDIT = 2;        // text of a new or changed entry
inline constexpr int ID_ADD = 7;               // "Add"
inline constexpr int ID_ENTER_TEXT_LABEL = 8;  // "enter text here"
inline constexpr int ID_PRIORITY_HEADING = 10;
inline constexpr int ID_CREATED_HEADING = 12;
inline constexpr int ID_INCREASE_PRIORITY = 13;  // "+"
inline constexpr int ID_DECREASE_PRIORITY = 14;  // "-"
inline constexpr int ID_INCREASE_LABEL = 15;
inline constexpr int ID_DECREASE_LABEL = 17;
inline constexpr int ID_DATE_HEADING = 19;
inline constexpr int ID_HIGHEST_LABEL = 23;  // "(1 = highest)"
inline constexpr int ID_DAY_FIELD = 28;      // "dd"
inline constexpr int ID_MONTH_FIELD = 29;    // "MM"
inline constexpr int ID_THIRD_FIELD = 30;    // a year, a day name or a month name
inline constexpr int ID_DATE_SEPARATOR_2 = 31;
inline constexpr int ID_DATE_SEPARATOR_1 = 32;
inline constexpr int ID_TIME_SEPARATOR = 33;
inline constexpr int ID_TIME_HEADING = 38;
inline constexpr int ID_MESSAGE_LINE = 44;     // "Message box"
inline constexpr int ID_SWITCH_REMINDER = 47;  // "+/-"
inline constexpr int ID_MINUTES_FIELD = 51;
inline constexpr int ID_HOURS_FIELD = 52;
inline constexpr int ID_CHANGE_TIME = 53;         // "Change" under the time fields
inline constexpr int ID_CHANGE_DATE = 54;         // "Change" under the date fields
inline constexpr int ID_CHANGE_SELECTED = 56;     // "Change selected"
inline constexpr int ID_DAY_BUTTON = 59;          // "day"
inline constexpr int ID_MONTH_BUTTON = 60;        // "month"
inline constexpr int ID_YEAR_BUTTON = 61;         // "year"
inline constexpr int ID_HOUR_BUTTON = 62;         // "hr"
inline constexpr int ID_MINUTE_BUTTON = 63;       // "min"
inline constexpr int ID_NOW_BUTTON = 64;          // "R": the time fields to the current time
inline constexpr int ID_WEIGHTS_LINE = 66;        // "Neural Net weights..."
inline constexpr int ID_MESSAGE_FILE_CHECK = 68;  // "Create message file"
inline constexpr int ID_SHOW_OUTPUT_CHECK = 69;   // "Show Neural Net output"
inline constexpr int ID_FINE_TUNE_CHECK = 70;     // "Fine tune for Ai"
inline constexpr int ID_TOOL_BAR = 71;

// Tool-bar commands (sent as EV_CONTROL with notify 0).
inline constexpr int CMD_FINNISHED = 3;
inline constexpr int CMD_CLEAR_ALL = 4;
inline constexpr int CMD_DELETE = 5;
inline constexpr int CMD_CANCEL = 16;
inline constexpr int CMD_REFRESH = 40;
inline constexpr int CMD_PRIORITY = 42;
inline constexpr int CMD_SEND_TO_LOG = 45;
inline constexpr int CMD_OPEN_LOG = 49;
inline constexpr int CMD_ALARM_ACTION = 55;
inline constexpr int CMD_DATA_BASE = 57;
inline constexpr int CMD_NN_WEIGHTS = 65;

// Timer 1 of the main dialog runs the reminder evaluation.
inline constexpr int REMINDER_TIMER = 1;

}  // namespace todo
