// The to-do list between runs: the database file of fixed-length records and the settings file
// "todo.ini". The routines move texts between the main dialog's columns and the pure codecs of
// record.h and settings_file.h.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "database_file.h"
#include "record.h"

namespace todo {

// "todo.ini" in the program folder.
std::string settings_path();
// Reads "todo.ini" into state.settings; without the file: the database beside the program,
// position 0, 0, no message-input file, everything else as it was.
void load_settings();
// Writes state.settings to "todo.ini", taking the dialog position and two check boxes first.
void save_settings();
// Fills the six columns from the database the caller has opened (binary) and sets the entry
// count. A file that is not a whole database loads what it holds and tells the user once where
// its original is kept (todo.bak, or a copy beside it); later saves write a whole database.
void load_entries(common::FileVar& database);
// Writes the whole database beside the old one and puts it in place (where the folder takes no
// new file: in place, the header last), never shortening the file; then saves the settings.
// What other desktops saved since this program last read or wrote the file is merged in, under
// a short lock. False when the list could not be saved (the user has been told why).
bool save_database();
// Sorts the whole list by priority (equal priorities keep their order), then saves.
void sort_by_priority();

}  // namespace todo
