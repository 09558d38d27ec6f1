// The to-do list between runs: the database file of fixed-length records and the settings file
// "todo.ini". The routines move texts between the main dialog's columns and the pure codecs of
// record.h and settings_file.h.
#pragma once

#include "common/files.h"

namespace todo {

// "todo.ini" in the program folder.
std::string settings_path();
// Reads "todo.ini" into state.settings; without the file: the database beside the program,
// position 0, 0, no message-input file, everything else as it was.
void load_settings();
// Writes state.settings to "todo.ini", taking the dialog position and two check boxes first.
void save_settings();
// Fills the six columns from the database the caller has opened (binary) and sets the entry
// count. A file that is not a whole database loads what it holds and is marked unreadable, so
// no save goes over it.
void load_entries(common::FileVar& database);
// Writes every entry and then the header into the database (never shortening the file), then
// saves the settings.
void save_database();
// Sorts the whole list by priority (equal priorities keep their order), then saves.
void sort_by_priority();

}  // namespace todo
