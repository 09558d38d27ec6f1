// Where the to-do program keeps its settings and its backups. Run from a portable folder
// (programs and data side by side) that is "todo.ini" beside the programs and "todo.bak" in the
// current folder, as ever. In an office folder that several people share, each person keeps
// their own "todo.ini" in their configuration folder (window position, alarm program and sound
// and their flags, the check boxes), seeded from the office's "todo.ini" at their first start;
// the data base, the message files and the message prefix stay as the office's "todo.ini" names
// them, unless the person opened another data base. Backups are then per desktop and dated.
#pragma once

#include <string>
#include <vector>

#include "state.h"

namespace todo {

// True when each person's settings are kept apart (an office folder).
bool settings_are_personal();
// The settings file this person's program reads and writes.
std::string personal_settings_path();
// The office's own "todo.ini", beside the programs or in the office folder.
std::string office_settings_path();

// Before the person's settings are read: a first start in an office folder copies the office's
// "todo.ini" as the person's own.
void seed_personal_settings();
// After the person's settings are read (`lines` as read): the office's lines take their place
// where the office's file has them.
void take_office_lines(const std::vector<std::string>& lines, Settings& settings);
// The lines to write: the eleven of "todo.ini", and for a person who opened a data base of their
// own, a twelfth naming it (readers of the office's format stop after eleven).
std::vector<std::string> lines_to_write(const Settings& settings);

// Where this cycle backs the database up: "todo.bak" in the current folder, or in an office
// folder "backups/todo-<host>-<date>.bak" in the person's configuration folder. Older dated
// backups beyond the last few are removed.
std::string backup_path();
void remove_old_backups();

}  // namespace todo
