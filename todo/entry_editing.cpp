#include "entry_editing.h"

#include <algorithm>
#include <string>

#include "common/clock.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "database.h"
#include "date_fields.h"
#include "entries.h"
#include "logs.h"
#include "record.h"
#include "reminder_rules.h"
#include "state.h"

namespace todo {

using namespace common;

namespace {

const char* const TODAY = "dd'-'MM'-'yyyy";

// Whether the user has set the fields himself since the dialog was made.
struct FieldsTouched {
    bool date = false;
    bool time = false;
};
FieldsTouched touched;

std::string field(int id) {
    return get_control_text(main_dialog, id);
}

void set_field(int id, const std::string& text) {
    if (field(id) != text) set_control_text(main_dialog, id, text);
}

FieldsCheck checked_date() {
    return check_date_fields(field(ID_DAY_FIELD), field(ID_MONTH_FIELD), field(ID_THIRD_FIELD));
}

FieldsCheck checked_time() {
    return check_time_fields(field(ID_HOURS_FIELD), field(ID_MINUTES_FIELD));
}

// The box that says why nothing was added or changed.
void refuse(const std::string& problem, const std::string& outcome, const std::string& action) {
    message_box(&main_dialog, problem + " \r\n " + outcome, "Message..." + action + "...", 0);
}

// An exact reminder whose time has gone by would never ring: the user is asked first.
bool wanted_although_past(const std::string& date, const std::string& time,
                          const std::string& action) {
    if (!is_past(date, time, clock_instant())) return true;
    return message_box(&main_dialog,
                       "The reminder " + date + " " + time +
                           " has already passed \r\n it will never ring \r\n " + action +
                           " it all the same?",
                       "Question..." + std::string(action == "add" ? "Add" : "Change") + "...",
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// One more than the highest priority in the list, so no two entries share the lowest.
std::string next_priority() {
    long highest = 0;
    const int rows = row_count();
    for (int row = 0; row < rows; ++row) {
        highest =
            std::max(highest, long(rounded_value(list_get(main_dialog, ID_PRIORITY_COLUMN, row))));
    }
    return number_text(double(highest + 1));
}

bool only_blanks(const std::string& text) {
    return trim_right(trim_left(text)).empty();
}

}  // namespace

void add_entry() {
    state.reselect = true;
    const std::string text = field_text(field(ID_ENTRY_EDIT));
    if (only_blanks(text)) return;
    const FieldsCheck date = checked_date();
    const FieldsCheck time = checked_time();
    for (const FieldsCheck* check : {&date, &time}) {
        if (!check->problem.empty()) {
            refuse(check->problem, "the entry is not added", "Add");
            return;
        }
    }
    if (!wanted_although_past(date.value, time.value, "add")) return;
    const std::string created = date_text(TODAY);
    const std::string priority = next_priority();
    append_entry({text, priority, created, date.value, time.value, " 6"});
    state.entry_count = row_count();
    save_database();
    append_added_note(added_note_line(text, created, priority, date.value, time.value));
    if (!date.note.empty())
        message_box(&main_dialog, date.note, "Message...Add...", MB_ICONINFORMATION);
}

void change_time() {
    state.reselect = true;
    state.last_alarmed = 0;
    const int row = list_get_selected(main_dialog, ID_TIME_COLUMN);
    if (row < 0 || field(ID_MINUTES_FIELD) == "MM") return;
    const FieldsCheck time = checked_time();
    if (!time.problem.empty()) {
        refuse(time.problem, "the time is not changed", "Change");
        return;
    }
    if (!wanted_although_past(list_get(main_dialog, ID_DATE_COLUMN, row), time.value, "change")) {
        return;
    }
    replace_row(ID_TIME_COLUMN, row, time.value);
}

void change_date() {
    state.reselect = true;
    const int row = list_get_selected(main_dialog, ID_DATE_COLUMN);
    if (row < 0) return;
    const FieldsCheck date = checked_date();
    if (!date.problem.empty()) {
        refuse(date.problem, "the date is not changed", "Change");
        return;
    }
    if (!wanted_although_past(date.value, list_get(main_dialog, ID_TIME_COLUMN, row), "change")) {
        return;
    }
    replace_row(ID_DATE_COLUMN, row, date.value);
    if (!date.note.empty()) {
        message_box(&main_dialog, date.note, "Message...Change...", MB_ICONINFORMATION);
    }
}

// An entry of blanks would be a row nobody can read.
void change_selected() {
    state.reselect = true;
    const int row = list_get_selected(main_dialog, ID_TEXT_COLUMN);
    const std::string text = field_text(field(ID_ENTRY_EDIT));
    if (row >= 0 && !only_blanks(text)) replace_row(ID_TEXT_COLUMN, row, text);
}

void choose_time_row() {
    state.current_row = list_get_selected(main_dialog, ID_TIME_COLUMN);
    state.entry_selected = true;
    touched.time = true;
    const std::string time = list_get(main_dialog, ID_TIME_COLUMN, state.current_row);
    set_field(ID_HOURS_FIELD, left_text(time, 2));
    set_field(ID_MINUTES_FIELD, mid_text(time, 4, 2));
}

void choose_date_row() {
    state.current_row = list_get_selected(main_dialog, ID_DATE_COLUMN);
    state.entry_selected = true;
    touched.date = true;
    const DateFields fields = split_date(list_get(main_dialog, ID_DATE_COLUMN, state.current_row));
    set_field(ID_DAY_FIELD, fields.day);
    set_field(ID_MONTH_FIELD, fields.month);
    set_field(ID_THIRD_FIELD, fields.third);
    select_entry(state.current_row);
    start_timer(main_dialog, 20000, REMINDER_TIMER);
}

namespace {

// "day" and "month": a name in the third field moves on to the next; anything else gives way to
// today's name, with the day the form needs and an empty month.
void cycle_name(const std::optional<std::string>& next, const std::string& todays_name,
                const std::string& day) {
    touched.date = true;
    if (next) {
        set_field(ID_THIRD_FIELD, *next);
        return;
    }
    set_field(ID_THIRD_FIELD, todays_name);
    set_field(ID_DAY_FIELD, day);
    set_field(ID_MONTH_FIELD, "");
}

}  // namespace

void cycle_day_name() {
    cycle_name(next_day_name(field(ID_THIRD_FIELD)), date_text("ddd"), "");
}

void cycle_month_name() {
    cycle_name(next_month_name(field(ID_THIRD_FIELD)), date_text("MMM"), date_text("dd"));
}

// "year" puts today in the fields, which then follow the clock again.
void date_fields_to_today() {
    touched.date = false;
    set_field(ID_DAY_FIELD, date_text("dd"));
    set_field(ID_MONTH_FIELD, date_text("MM"));
    set_field(ID_THIRD_FIELD, date_text("yyyy"));
}

void step_hours() {
    touched.time = true;
    set_field(ID_HOURS_FIELD, step_field(field(ID_HOURS_FIELD), 24));
}

void step_minutes() {
    touched.time = true;
    set_field(ID_MINUTES_FIELD, step_field(field(ID_MINUTES_FIELD), 60));
}

// "R" puts the current time in the fields, which then follow the clock again.
void time_fields_to_now() {
    touched.time = false;
    const std::string now = time_text();
    set_field(ID_MINUTES_FIELD, mid_text(now, 4, 2));
    set_field(ID_HOURS_FIELD, left_text(now, 2));
}

void field_typed_into(int id) {
    if (id == ID_DAY_FIELD || id == ID_MONTH_FIELD || id == ID_THIRD_FIELD) touched.date = true;
    if (id == ID_HOURS_FIELD || id == ID_MINUTES_FIELD) touched.time = true;
}

void fields_follow_the_clock_again() {
    touched = FieldsTouched{};
}

void fields_follow_the_clock() {
    if (!touched.date) date_fields_to_today();
    if (!touched.time) time_fields_to_now();
}

}  // namespace todo
