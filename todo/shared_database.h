// The shared database as the main dialog shows it: saves that merge other desktops' work into
// the columns, the tick that takes in their saves, and what the user is told when a save cannot
// be made or a version of an entry gave way.
#pragma once

#include <string>
#include <vector>

#include "common/file_lock.h"
#include "entry_identity.h"
#include "record.h"

namespace todo {

// The entries have just been loaded from the database named in the settings, with the
// identities the file holds for them.
void note_list_loaded(const std::vector<Entry>& entries, const std::vector<EntryId>& ids);

// Saves the list the columns show, merged with what other desktops saved meanwhile; the
// columns then show the merged list, with the selections on the same entries. False when it
// could not be saved: the user has been told why, and the list stays as it is.
bool save_list_shown(const std::vector<Entry>& entries);

// The tick: when another desktop has saved, the columns show the merged list. Text being typed
// stays, and every selection stays on its entry.
void take_in_other_desktops_saves();

// The tick's last word on the message line: a version of an entry that gave way is named there
// for a while after it happened.
void show_sharing_report();

// The database cannot be opened on a reload: the list saved last is shown again, and the user
// told why, rather than ending the program. False when there is no such list (a first start).
bool show_list_saved_last(const std::string& problem);

// Clear All writes the database file itself: under the lock, and this program's view of the
// file goes with it.
class ClearingTheDatabase {
public:
    ClearingTheDatabase();
    ~ClearingTheDatabase();
    ClearingTheDatabase(const ClearingTheDatabase&) = delete;
    ClearingTheDatabase& operator=(const ClearingTheDatabase&) = delete;
    bool may_go_on() const { return lock_.taken(); }

private:
    common::HeldLock lock_;
};

}  // namespace todo
