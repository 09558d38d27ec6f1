#include "commands.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "alarm.h"
#include "alarm_answers.h"
#include "common/clock.h"
#include "common/file_problems.h"
#include "common/files.h"
#include "common/key_reports.h"
#include "common/list_columns.h"
#include "common/panel.h"
#include "common/services.h"
#include "common/text.h"
#include "database.h"
#include "desktop.h"
#include "entries.h"
#include "entry_editing.h"
#include "logs.h"
#include "record.h"
#include "reminders.h"
#include "shared_database.h"
#include "startup.h"
#include "state.h"
#include "weights.h"

namespace todo {

using namespace common;

namespace {

const char* const TODAY = "dd'-'MM'-'yyyy";
const char* const ABOUT_TEXT = " - a prioritised to-do list with reminders and alarms";
const std::vector<int> TOOL_BAR_COMMANDS = {3, 16, 0, 5,  4, 40, 0, 45, 49,
                                            0, 55, 0, 57, 0, 42, 0, 65};

void restart_timer(int milliseconds) {
    start_timer(main_dialog, milliseconds, REMINDER_TIMER);
}

void set_field(int id, const std::string& text) {
    set_control_text(main_dialog, id, text);
}

// ---- Initialisation ---------------------------------------------------------------------------

void show_database_in_title() {
    const long folder_length = length_of(program_folder());
    state.window_title = std::string(PROGRAM_TITLE) + " - Database: " +
                         mid_text(state.settings.database_path, folder_length + 1);
    set_window_title(main_dialog, state.window_title);
}

// Opening a database that is not there makes it, empty. A mistyped name would otherwise pass for
// an empty to-do list, so the user is told which file is being started.
void announce_new_database(const std::string& path, bool chosen) {
    if (chosen) {
        message_box(
            nullptr,
            "No data base found at \r\n " + path + " \r\n a new, empty data base is being started",
            "Message...Data base...", 0);
    } else {
        message_box(nullptr,
                    "No data base found at \r\n " + path +
                        " \r\n a new, empty data base is being started \r\n "
                        "(the data base is named on line 5 of todo.ini)",
                    "Message...start...", 0);
    }
}

// False when the database cannot be opened: the program then ends at once.
bool open_and_load_database() {
    // A first start, before there is any todo.ini, makes its database without a word.
    const bool is_new = !file_exists(state.settings.database_path) &&
                        (state.database_chosen || file_exists(settings_path()));
    const bool chosen = state.database_chosen;
    state.database_chosen = false;
    FileVar database;
    if (open_file(database, FileKind::Binary, state.settings.database_path, "A") != 0) {
        const std::string problem = file_problem(state.settings.database_path, errno);
        if (show_list_saved_last(problem)) return true;
        message_box(nullptr,
                    "Cant create or access todo.dat \r\n try updating todo.ini \r\n line 5 \r\n (" +
                        problem + ")",
                    "Error...start...", 0);
        return false;
    }
    load_entries(database);
    close_file(database, FileKind::Binary);
    if (is_new) announce_new_database(state.settings.database_path, chosen);
    return true;
}

void build_tool_bar() {
    const std::string strip_file = program_folder() + "toolbar.bmp";
    if (state.tool_bar_strip != 0) delete_image(state.tool_bar_strip, IMAGE_BITMAP);
    state.tool_bar_strip = load_image(strip_file, IMAGE_BITMAP | IMAGE_MAP_3D_COLOURS);
    if (create_tool_bar(main_dialog, state.tool_bar_strip, strip_file, ID_TOOL_BAR,
                        TOOL_BAR_COMMANDS, TOOLBAR_VERTICAL) == 0) {
        return;
    }
    control_command(main_dialog, ID_TOOL_BAR, TB_LABELS,
                    std::string("Finnished|Cancel|Delete|Clear All|Refresh|Send to log|Open log|"
                                "Alarm action|Data base|Priority|NN weights"));
    const std::vector<std::pair<int, const char*>> tooltips = {
        {CMD_FINNISHED, "Save data and close program"},
        {CMD_CANCEL, "Dont save data and close program"},
        {CMD_DELETE, "Delete entry"},
        {CMD_CLEAR_ALL, "Clear everthing in the list"},
        {CMD_REFRESH, "Save data and reload the list"},
        {CMD_SEND_TO_LOG, "Send the entry to the log"},
        {CMD_OPEN_LOG, "Open notepad and load ToDoLog.txt"},
        {CMD_ALARM_ACTION, "What happens when an alarm is activated"},
        {CMD_DATA_BASE, "Load a data base into the program"},
        {CMD_PRIORITY, "Sort the list in order of priority"},
        {CMD_NN_WEIGHTS, "Open or close the Neural network weights dialog"}};
    for (const auto& [command, tip] : tooltips) {
        control_command(main_dialog, ID_TOOL_BAR, TB_TOOLTIP, long{command}, std::string(tip));
    }
    control_command(main_dialog, ID_TOOL_BAR, TB_BUTTON_SIZE, 90L, 15L);
    control_command(main_dialog, ID_TOOL_BAR, TB_IMAGE_SIZE, 80L, 2L);
    set_rect(main_dialog, 744, 23, 90, 348, ID_TOOL_BAR);
    control_command(main_dialog, ID_TOOL_BAR, TB_LAYOUT);
}

void initialise() {
    if (state.icon != 0) set_window_icon(main_dialog, state.icon);
    // What a field refuses as the office types is said on the message line.
    set_refused_input_notice(
        [](const std::string& why) { set_control_text(main_dialog, ID_MESSAGE_LINE, why); });
    state.reload = false;
    load_settings();
    load_condition_weights();
    const Settings& s = state.settings;
    set_check(main_dialog, ID_MESSAGE_FILE_CHECK, s.message_file_flag == "yes");
    set_check(main_dialog, ID_SHOW_OUTPUT_CHECK, s.show_output_flag == "yes");
    set_check(main_dialog, ID_FINE_TUNE_CHECK, s.fine_tune_flag != "no");
    show_database_in_title();
    if (!open_and_load_database()) {
        immediate_exit();
        return;
    }
    build_tool_bar();
    scroll_lists_together(main_dialog, {std::begin(COLUMN_IDS), std::end(COLUMN_IDS)});
    report_enter_key(main_dialog, ID_ENTRY_EDIT);
    for (int id : COLUMN_IDS) report_delete_key(main_dialog, id);
    fields_follow_the_clock_again();
    put_icon_in_panel();
    restart_timer(2000);
}

// ---- Tool-bar commands -----------------------------------------------------------------------

void delete_selected_entry() {
    const int row = list_get_selected(main_dialog, ID_TEXT_COLUMN);
    if (state.entry_selected && row >= 0) {
        delete_entry(row);
        state.entry_count -= 1;
        state.entry_selected = false;
    }
    save_database();
}

// One click would otherwise empty the list: the user is asked first.
bool clear_all_wanted() {
    const std::string entries = number_text(double(row_count()));
    return message_box(&main_dialog,
                       "Clear everything in the list? \r\n all" + entries +
                           " entries are removed from the list and the data base",
                       "Question...Clear All...", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Empties the database file and the whole list, then puts the about entry in it.
void clear_all() {
    const ClearingTheDatabase clearing;
    if (!clearing.may_go_on()) return;
    FileVar database;
    if (open_file(database, FileKind::Binary, state.settings.database_path, "W") != 0) {
        message_box(nullptr, "Cant find todo.dat", "Error!", 0);
        immediate_exit();
        return;
    }
    const RecordBuffer empty{};
    for (long n = 41; n >= 1; --n) {
        write_record(database, n, empty.data(), RECORD_LENGTH);
    }
    clear_entries();
    append_entry({std::string(PROGRAM_TITLE) + ABOUT_TEXT, " 1", "06-02-2004", date_text(TODAY),
                  " 1", " 0"});
    close_file(database, FileKind::Binary);
    state.entry_count = row_count();
}

void refresh() {
    close_weights_dialog();
    state.reselect = true;
    // A list that could not be saved is not reloaded over: it stays, and the user knows why.
    if (!save_database()) return;
    state.reload = true;
    state.run = false;
    state.reselect = true;
}

// The log opens in whatever the desktop shows text files with. Before the first entry has been
// sent to it there is no log, and the user is told so rather than left wondering.
void open_log() {
    const std::filesystem::path log = std::filesystem::current_path() / "ToDoLog.txt";
    if (!file_exists(log.string())) {
        message_box(&main_dialog,
                    "There is no log yet \r\n ToDoLog.txt is started when the first entry \r\n "
                    "is sent to the log",
                    "Message...Open log...", 0);
        return;
    }
    start_program(log.string(), "");
}

std::string drive_root() {
#ifdef _WIN32
    return "C:\\";
#else
    return "/";
#endif
}

void open_another_database() {
    close_weights_dialog();
    stop_timer(main_dialog, REMINDER_TIMER);
    if (!save_database()) return;  // another database is not opened over a list not saved
    const std::string chosen =
        file_requester("Open ToDo database", alarm_dialog.is_open() ? &alarm_dialog : nullptr, 1,
                       "Dat Files (*.dat)|*.dat||", "", 0, drive_root());
    if (!chosen.empty()) {
        state.settings.database_path = chosen;
        state.database_chosen = true;
    }
    close_dialog(main_dialog, 0);
    save_settings();
    state.last_alarmed = -1;
    load_settings();
    show_dialog(main_dialog);
}

void run_tool_bar_command(int command) {
    switch (command) {
        case CMD_FINNISHED:
            // The program never ends with entries on screen that are not in the database.
            if (save_database()) state.run = false;
            break;
        case CMD_CANCEL:
            message_box(nullptr, "This doesen't do anything", "message...", 0);
            break;
        case CMD_DELETE:
            delete_selected_entry();
            break;
        case CMD_CLEAR_ALL:
            if (clear_all_wanted()) clear_all();
            break;
        case CMD_REFRESH:
            refresh();
            break;
        case CMD_SEND_TO_LOG:
            send_to_log();
            save_database();
            state.reselect = true;
            break;
        case CMD_OPEN_LOG:
            open_log();
            break;
        case CMD_ALARM_ACTION:
            show_alarm_action_dialog();
            break;
        case CMD_DATA_BASE:
            open_another_database();
            break;
        case CMD_PRIORITY:
            sort_by_priority();
            state.reselect = true;
            break;
        case CMD_NN_WEIGHTS:
            toggle_weights_dialog();
            state.reselect = true;
            break;
        default:
            break;
    }
}

// ---- The list columns ------------------------------------------------------------------------

void choose_text_row() {
    state.current_row = list_get_selected(main_dialog, ID_TEXT_COLUMN);
    state.entry_selected = true;
    select_entry(state.current_row, ID_TEXT_COLUMN);
}

void pause_timer() {
    stop_timer(main_dialog, REMINDER_TIMER);
    message_box(&main_dialog,
                "The program timer has been stopped, \r\n all alarm functions have been halted, "
                "\r\n press OK to restart program timer.",
                "Pause...", 0);
    restart_timer(3000);
    state.reselect = true;
}

// ---- Priority and status ---------------------------------------------------------------------

void increase_priority() {
    const int row = list_get_selected(main_dialog, ID_PRIORITY_COLUMN);
    if (row >= 0) {
        const double value = text_number(list_get(main_dialog, ID_PRIORITY_COLUMN, row));
        if (value > 1) {
            replace_row(ID_PRIORITY_COLUMN, row, number_text(value - 1));
            list_set_selected(main_dialog, ID_PRIORITY_COLUMN, row);
        }
    }
    state.reselect = true;
}

void decrease_priority() {
    const int row = list_get_selected(main_dialog, ID_PRIORITY_COLUMN);
    if (row >= 0) {
        const double value = text_number(list_get(main_dialog, ID_PRIORITY_COLUMN, row));
        replace_row(ID_PRIORITY_COLUMN, row, number_text(value + 1));
        list_set_selected(main_dialog, ID_PRIORITY_COLUMN, row);
    }
    state.reselect = true;
}

// An inactive reminder becomes active (old) and any other inactive.
void switch_reminder() {
    const int row = list_get_selected(main_dialog, ID_STATUS_COLUMN);
    if (row >= 0) {
        const bool inactive = text_number(list_get(main_dialog, ID_STATUS_COLUMN, row)) == 6;
        replace_row(ID_STATUS_COLUMN, row, inactive ? " 5" : " 6");
        list_set_selected(main_dialog, ID_STATUS_COLUMN, row);
    }
    state.reselect = true;
    state.highlighted_row = -1;
    restart_timer(2000);
}

// ---- Dispatch --------------------------------------------------------------------------------

bool is_tool_bar_command(int id) {
    for (int command : TOOL_BAR_COMMANDS) {
        if (command != 0 && command == id) return true;
    }
    return false;
}

bool is_column(int id) {
    return std::find(std::begin(COLUMN_IDS), std::end(COLUMN_IDS), id) != std::end(COLUMN_IDS);
}

// The Delete key on a row deletes it as the tool bar's "Delete" does.
void delete_row_by_key(int column_id) {
    const int row = list_get_selected(main_dialog, column_id);
    if (row < 0) return;
    state.current_row = row;
    state.entry_selected = true;
    select_entry(row);
    delete_selected_entry();
}

void on_control(int id, int notify) {
    if (notify == NOTIFY_DELETE_KEY && is_column(id)) {
        delete_row_by_key(id);
        return;
    }
    if (notify == NOTIFY_ENTER_KEY && id == ID_ENTRY_EDIT) {
        add_entry();
        return;
    }
    if (notify == NOTIFY_EDIT_CHANGE) field_typed_into(id);
    if (is_tool_bar_command(id)) {
        if (notify == NOTIFY_CLICKED) run_tool_bar_command(id);
        if (id == CMD_DATA_BASE) restart_timer(4000);
        return;
    }
    switch (id) {
        case ID_TEXT_COLUMN:
            if (notify == NOTIFY_SELECTION) choose_text_row();
            if (notify == NOTIFY_DOUBLE_CLICK) {
                set_field(ID_ENTRY_EDIT, list_get(main_dialog, ID_TEXT_COLUMN,
                                                  list_get_selected(main_dialog, ID_TEXT_COLUMN)));
            }
            break;
        case ID_ADD:
            add_entry();
            break;
        case ID_INCREASE_PRIORITY:
            increase_priority();
            break;
        case ID_DECREASE_PRIORITY:
            decrease_priority();
            break;
        case ID_SWITCH_REMINDER:
            switch_reminder();
            break;
        case ID_CREATED_COLUMN:
            if (notify == NOTIFY_SELECTION) pause_timer();
            break;
        case ID_TIME_COLUMN:
            if (notify == NOTIFY_SELECTION) choose_time_row();
            break;
        case ID_DATE_COLUMN:
            if (notify == NOTIFY_SELECTION) choose_date_row();
            state.reselect = true;
            break;
        case ID_CHANGE_TIME:
            change_time();
            break;
        case ID_CHANGE_DATE:
            change_date();
            break;
        case ID_CHANGE_SELECTED:
            change_selected();
            break;
        case ID_DAY_BUTTON:
            cycle_day_name();
            break;
        case ID_MONTH_BUTTON:
            cycle_month_name();
            break;
        case ID_YEAR_BUTTON:
            date_fields_to_today();
            break;
        case ID_HOUR_BUTTON:
            step_hours();
            break;
        case ID_MINUTE_BUTTON:
            step_minutes();
            break;
        case ID_NOW_BUTTON:
            time_fields_to_now();
            break;
        case CMD_SHOW:
            bring_main_dialog_forward();
            break;
        case CMD_DONE:
        case CMD_SNOOZE:
            answer_alarm(id, long(event().first_param), clock_instant());
            restart_timer(0);  // the alarm stops showing at once
            break;
        default:
            break;
    }
}

}  // namespace

int main_dialog_handler(Window& dialog) {
    const Event& e = event();
    (void)dialog;
    switch (e.event_class) {
        case EV_DIALOG_INIT:
            initialise();
            break;
        case EV_CLOSE:
            if (save_database()) state.run = false;
            break;
        case EV_TIMER:
            if (e.first_param == REMINDER_TIMER) evaluate_reminders();
            break;
        case EV_CONTROL:
            if (e.control_id != CMD_SHOW && e.control_id != CMD_DONE &&
                e.control_id != CMD_SNOOZE) {
                user_acted_in_window();
            }
            on_control(e.control_id, e.notify_code);
            break;
        case EV_PANEL_CLICK:
            panel_icon_clicked();
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace todo
