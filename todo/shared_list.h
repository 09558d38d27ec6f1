// The to-do list as several desktops share it through one database file. Every save takes a
// short lock, reads what the other desktops saved since this program last read or wrote the
// file, puts this program's work on top of it and writes the result; the tick takes in what
// the others saved. Plain data and files: no window.
//
// What this program has done is what differs between the base (the file's list as last read or
// written here) and the columns. The columns keep no identities, so each reading of them is
// paired with the one before (at every save, failed or not, and every take-in) and through it
// with the base: each step spans one addition or deletion at most, since those save at once.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "common/file_stamp.h"
#include "entry_identity.h"
#include "entry_merge.h"
#include "record.h"

namespace todo {

// How long a save waits for another desktop's save to end before it says so.
inline constexpr int SAVE_LOCK_WAIT_MS = 4000;

// The lock file beside a database.
std::string database_lock_path(const std::string& database);

struct SaveOutcome {
    bool saved = false;
    bool merged = false;  // other desktops had saved meanwhile: their work is in `list`
    MergedList list;      // what the columns show from now on
    std::string problem;  // not saved: why, in the office's words
};

class SharedList {
public:
    // The list as this program has just read it from `path` (or as it stands, for a new file),
    // with the identities the file holds for it (none: all new).
    void read(const std::string& path, const std::vector<Entry>& entries,
              const std::vector<EntryId>& ids = {});
    const std::string& path() const { return path_; }
    const std::vector<Entry>& base() const { return base_; }

    // Saves the list the columns show: under the lock, merged with what other desktops saved
    // since the last read or write here. Not saved: the base stays, the list shown stays.
    SaveOutcome save(const std::vector<Entry>& shown);
    // When another desktop has saved since the last read or write here: the file's list with
    // the work shown here applied, which becomes the new base. One status call when nothing
    // changed; nothing either when the file cannot be had this moment.
    std::optional<MergedList> take_in(const std::vector<Entry>& shown);
    // The file was emptied here, all at once (Clear All).
    void emptied();

private:
    bool changed_since_base();
    void stamp_now();
    // For each row shown, its row in the base (-1: added here).
    std::vector<int> shown_in_base(const std::vector<Entry>& shown) const;
    // The file's list now, with its identities paired with the base's.
    bool read_disk(std::vector<Entry>& disk, std::vector<EntryId>& ids, std::vector<int>& pairs,
                   std::string& bytes);
    // The identities the merged list is written with: the file's, else the base's, else new.
    std::vector<EntryId> identities_of(const MergedList& merged, const std::vector<int>& in_base,
                                       const std::vector<EntryId>& disk_ids) const;
    void seen_shown(const std::vector<Entry>& shown, std::vector<int> in_base);
    void shown_as_base();

    std::string path_;
    std::vector<Entry> base_;
    std::vector<EntryId> base_ids_;
    std::string base_bytes_;   // the file's bytes standing for the base, where known
    std::string spare_bytes_;  // the next reading or writing, so a long list needs no new memory
    // The columns as last seen here, and for each of their rows its row in the base; mostly
    // they are the base itself, and then not kept twice.
    bool shown_is_base_ = true;
    std::vector<Entry> shown_;
    std::vector<int> shown_in_base_;
    common::FileStamp stamp_;
    std::chrono::steady_clock::time_point stamped_at_;
    bool verify_ = false;  // the stamp is in whole seconds and that second may not be over
};

// The list of this run.
SharedList& shared_list();

}  // namespace todo
