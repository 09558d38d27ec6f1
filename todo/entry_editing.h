// Adding and changing entries from the main dialog's fields: the entry edit, the date fields and
// the time fields. What can never ring is refused with a message that names what is wrong; a
// reminder already past is added only when the user says so. The date and time fields follow
// the clock until the user touches them.
#pragma once

namespace todo {

// Adds the entry edit's text as a new entry with the date and time fields' reminder, saves the
// database and notes the entry in "AddFile.txt". An edit that is empty or only blanks adds
// nothing. Always sets the re-select flag.
void add_entry();
// "Change" under the time fields, "Change" under the date fields, "Change selected".
void change_time();
void change_date();
void change_selected();

// A row chosen in the time or date column: its time or date is copied into the fields.
void choose_time_row();
void choose_date_row();
// "day", "month", "year", "hr", "min" and "R".
void cycle_day_name();
void cycle_month_name();
void date_fields_to_today();
void step_hours();
void step_minutes();
void time_fields_to_now();

// The user typed into one of the date or time fields (EV_CONTROL of an edit).
void field_typed_into(int id);
// A new main dialog: its fields show the moment it was made and follow the clock again.
void fields_follow_the_clock_again();
// Every tick: fields the user has not touched show today and the current time.
void fields_follow_the_clock();

}  // namespace todo
