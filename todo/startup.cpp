#include "startup.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "commands.h"
#include "common/clock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "database.h"
#include "personal_settings.h"
#include "state.h"

namespace todo {

using namespace common;

std::function<void()> exit_hook;

namespace {

bool ended_at_once = false;

struct Declared {
    int id;
    int kind;
    std::string caption;
    int x, y, width, height;
    long style;
};

void declare(Window& dialog, const std::vector<Declared>& controls) {
    for (const Declared& c : controls) {
        add_control(dialog, c.kind, c.caption, c.x, c.y, c.width, c.height, c.style, c.id);
    }
}

constexpr long HEADING = 0x5000010B;
constexpr long TAB_STOP = 0x10000;
constexpr long CHECK = 0x50000003;
constexpr long NOTIFYING_COLUMN = 0x50B10141;

// The main dialog in Tab order. The date and time fields start at the moment of declaring.
void declare_main_dialog(int x, int y) {
    declare_dialog(main_dialog, x, y, 833, 340, 0xCA0000, nullptr, PROGRAM_TITLE,
                   main_dialog_handler);
    const std::string now = time_text();
    declare(
        main_dialog,
        {{ID_WEIGHTS_LINE, KIND_STATIC, "Neural Net weights...", 623, 324, 350, 20, HEADING},
         {ID_SHOW_OUTPUT_CHECK, KIND_CHECK_BOX, "Show Neural Net output", 605, 304, 132, 20, CHECK},
         {ID_PRIORITY_COLUMN, KIND_LIST_BOX, "ListBox9", 5, 25, 40, 250, NOTIFYING_COLUMN},
         {ID_INCREASE_PRIORITY, KIND_BUTTON, "+", 10, 280, 20, 20, TAB_STOP},
         {ID_DECREASE_PRIORITY, KIND_BUTTON, "-", 10, 305, 20, 20, TAB_STOP},
         {ID_DATE_COLUMN, KIND_LIST_BOX, "ListBox20", 125, 25, 80, 250, NOTIFYING_COLUMN},
         {ID_DAY_FIELD, KIND_EDIT, date_text("dd"), 122, 280, 20, 20, TAB_STOP},
         {ID_MONTH_FIELD, KIND_EDIT, date_text("MM"), 148, 280, 20, 20, TAB_STOP},
         {ID_THIRD_FIELD, KIND_EDIT, date_text("yyyy"), 174, 280, 32, 20, TAB_STOP},
         {ID_CHANGE_DATE, KIND_BUTTON, "Change", 122, 304, 84, 17, TAB_STOP},
         {ID_DAY_BUTTON, KIND_BUTTON, "day", 122, 323, 22, 17, TAB_STOP},
         {ID_MONTH_BUTTON, KIND_BUTTON, "month", 145, 323, 33, 17, TAB_STOP},
         {ID_YEAR_BUTTON, KIND_BUTTON, "year", 178, 323, 27, 17, TAB_STOP},
         {ID_TIME_COLUMN, KIND_LIST_BOX, "ListBox39", 205, 25, 60, 250, NOTIFYING_COLUMN},
         {ID_HOURS_FIELD, KIND_EDIT, left_text(now, 2), 211, 280, 20, 20, TAB_STOP},
         {ID_MINUTES_FIELD, KIND_EDIT, mid_text(now, 4, 2), 234, 280, 20, 20, TAB_STOP},
         {ID_CHANGE_TIME, KIND_BUTTON, "Change", 211, 304, 42, 17, TAB_STOP},
         {ID_HOUR_BUTTON, KIND_BUTTON, "hr", 211, 323, 20, 17, TAB_STOP},
         {ID_MINUTE_BUTTON, KIND_BUTTON, "min", 232, 323, 21, 17, TAB_STOP},
         {ID_NOW_BUTTON, KIND_BUTTON, "R", 255, 280, 10, 58, TAB_STOP},
         {ID_STATUS_COLUMN, KIND_LIST_BOX, "ListBox46", 265, 25, 35, 250, 0x50B10140},
         {ID_SWITCH_REMINDER, KIND_BUTTON, "+/-", 273, 280, 22, 20, TAB_STOP},
         {ID_TEXT_COLUMN, KIND_LIST_BOX, "ListBox1", 301, 25, 440, 250, NOTIFYING_COLUMN},
         {ID_ENTRY_EDIT, KIND_EDIT, "", 302, 280, 439, 20, TAB_STOP},
         {ID_ADD, KIND_BUTTON, "Add", 302, 304, 70, 17, TAB_STOP},
         {ID_CHANGE_SELECTED, KIND_BUTTON, "Change selected", 377, 304, 100, 17, TAB_STOP},
         {ID_MESSAGE_FILE_CHECK, KIND_CHECK_BOX, "Create message file", 485, 304, 110, 20, CHECK},
         {ID_FINE_TUNE_CHECK, KIND_CHECK_BOX, "Fine tune for Ai", 485, 321, 110, 20, CHECK},
         {ID_CREATED_COLUMN, KIND_LIST_BOX, "ListBox11", 45, 25, 80, 250, 0x50B00141},
         {ID_ENTER_TEXT_LABEL, KIND_STATIC, "enter text here", 305, 323, 70, 20, HEADING},
         {ID_PRIORITY_HEADING, KIND_STATIC, "Priority", 1, 5, 70, 20, HEADING},
         {ID_CREATED_HEADING, KIND_STATIC, "Date created", 45, 5, 70, 20, HEADING},
         {ID_INCREASE_LABEL, KIND_STATIC, "Increase priority", 33, 280, 90, 20, HEADING},
         {ID_DECREASE_LABEL, KIND_STATIC, "Decrease priority", 33, 313, 90, 20, HEADING},
         {ID_DATE_HEADING, KIND_STATIC, "Remind me on", 125, 5, 70, 20, HEADING},
         {ID_HIGHEST_LABEL, KIND_STATIC, "(1 = highest)", 33, 297, 90, 20, HEADING},
         {ID_DATE_SEPARATOR_2, KIND_STATIC, "-", 170, 282, 20, 20, HEADING},
         {ID_DATE_SEPARATOR_1, KIND_STATIC, "-", 142, 282, 20, 20, HEADING},
         {ID_TIME_SEPARATOR, KIND_STATIC, ":", 231, 282, 5, 20, HEADING},
         {ID_TIME_HEADING, KIND_STATIC, "Time", 205, 5, 70, 20, HEADING},
         {ID_MESSAGE_LINE, KIND_EDIT, "Message box", 240, 2, 585, 20, 0x50800080}});
}

int pass_to_alarm_dialog(Window& dialog) {
    return alarm_dialog_events ? alarm_dialog_events(dialog) : 0;
}

int pass_to_weights_dialog(Window& dialog) {
    return weights_dialog_events ? weights_dialog_events(dialog) : 0;
}

void declare_alarm_dialog() {
    declare_dialog(alarm_dialog, 0, 0, 303, 176, 0x80C80080, nullptr, "Alarm Action",
                   pass_to_alarm_dialog);
    constexpr long BUTTON = 0x50000000;
    declare(alarm_dialog, {{2, KIND_CHECK_BOX, "Run progam", 15, 13, 136, 21, CHECK},
                           {3, KIND_EDIT, "Edit1", 15, 42, 273, 19, 0x80},
                           {4, KIND_BUTTON, "Browse", 215, 11, 70, 20, BUTTON},
                           {5, KIND_CHECK_BOX, "Play sound", 15, 69, 114, 20, CHECK},
                           {6, KIND_EDIT, "Edit2", 15, 97, 273, 19, 0x80},
                           {7, KIND_BUTTON, "Browse", 215, 71, 70, 20, BUTTON},
                           {8, KIND_BUTTON, "OK", 57, 138, 70, 20, BUTTON},
                           {9, KIND_BUTTON, "Cancel", 146, 138, 70, 20, BUTTON},
                           {10, KIND_BUTTON, "P", 150, 71, 20, 20, BUTTON},
                           {11, KIND_BUTTON, "S", 170, 71, 20, 20, BUTTON}});
}

void declare_weights_dialog(int x, int y) {
    declare_dialog(weights_dialog, x, y, 446, 249, 0x80CA0080, nullptr,
                   "Neural Network condition weights", pass_to_weights_dialog);
    for (int bar = 1; bar <= 6; ++bar) {
        add_control(weights_dialog, KIND_SCROLL_BAR, bar == 1 ? "hello" : "", 12 + 76 * (bar - 1),
                    64, 21, 128, 0x50000001, bar);
    }
    constexpr long BUTTON = 0x50000000;
    declare(weights_dialog, {{7, KIND_STATIC, "Condition response ", 5, 6, 100, 20, HEADING},
                             {22, KIND_EDIT, "Message box", 100, 5, 335, 20, TAB_STOP},
                             {21, KIND_BUTTON, "Update", 5, 31, 145, 20, BUTTON},
                             {8, KIND_STATIC, "Control:     Weight:", 160, 35, 200, 20, HEADING},
                             {10, KIND_STATIC, "0=Alarm", 2, 199, 41, 20, HEADING},
                             {9, KIND_STATIC, "1=Priority", 75, 199, 46, 17, HEADING},
                             {11, KIND_STATIC, "ONE", 87, 214, 26, 17, HEADING},
                             {12, KIND_STATIC, "2=Alarm", 150, 199, 47, 19, HEADING},
                             {13, KIND_STATIC, "within hour", 144, 214, 58, 19, HEADING},
                             {14, KIND_STATIC, "3=Reminders", 218, 199, 66, 21, HEADING},
                             {15, KIND_STATIC, "today", 317, 214, 30, 20, HEADING},
                             {16, KIND_STATIC, "4=Reminders", 296, 199, 65, 20, HEADING},
                             {17, KIND_STATIC, "today pending", 213, 214, 70, 20, HEADING},
                             {18, KIND_STATIC, "5=Old reminders", 364, 199, 80, 20, HEADING},
                             {19, KIND_STATIC, "still active", 379, 214, 55, 17, HEADING}});
}

// A database that does not exist yet has nothing to lose, so only a failed copy of one that
// does is reported.
void back_up_database() {
    const std::string& database = state.settings.database_path;
    state.backed_up_database.clear();
    if (!file_exists(database)) return;
    if (file_copy(database, backup_path(), false)) {
        state.backed_up_database = database;
        remove_old_backups();
    } else {
        message_box(nullptr, "Unable to create backup \r\n of todo.dat an error occured",
                    "Error...start...", 0);
    }
}

void set_starting_state() {
    const TodoState fresh;
    state.window_title = fresh.window_title;
    state.settings.fine_tune_flag = "no";
    state.settings.show_output_flag = "yes";
    state.settings.message_file_flag = "yes";
    state.settings.message_prefix = "ToDo: ";
    state.settings.message_input_path.clear();
    state.condition_output.clear();
    state.sound_play = 1;
    state.condition_labels = fresh.condition_labels;
    state.last_alarmed = -1;
    state.entry_count = 1;
    state.entry_selected = false;
    state.run = true;
    state.reload = false;
}

void free_dialog_templates() {
    for (Window* dialog : {&main_dialog, &alarm_dialog, &weights_dialog}) {
        dialog->dialog_template.controls.clear();
    }
}

}  // namespace

void declare_dialogs(int x, int y) {
    declare_main_dialog(x, y);
    declare_alarm_dialog();
    declare_weights_dialog(x + 387, y + 365);
}

void start_cycle() {
    ++state.cycle;
    load_settings();
    declare_dialogs(state.settings.x, state.settings.y);
    back_up_database();
    state.icon = load_image(program_folder() + "todo.ico", IMAGE_ICON);
    set_starting_state();
    show_dialog(main_dialog);
}

void end_cycle() {
    stop_timer(main_dialog, REMINDER_TIMER);
    close_dialog(main_dialog, 0);
    if (state.icon != 0) delete_image(state.icon, IMAGE_ICON);
    if (state.tool_bar_strip != 0) delete_image(state.tool_bar_strip, IMAGE_BITMAP);
    state.icon = 0;
    state.tool_bar_strip = 0;
}

int run_todo() {
    ended_at_once = false;
    do {
        start_cycle();
        while (state.run) wait_events(0);
        if (ended_at_once) break;
        end_cycle();
    } while (state.reload);
    free_dialog_templates();
    return 0;
}

void immediate_exit() {
    free_dialog_templates();
    if (!exit_hook) std::exit(0);
    exit_hook();
    ended_at_once = true;
    state.run = false;
    state.reload = false;
}

}  // namespace todo
