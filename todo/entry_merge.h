// Merging two desktops' work on one to-do list. The list is kept as this program last read or
// wrote it (the base); what differs between the base and the columns is this program's work,
// what differs between the base and the file is the other desktops'. Both are put together
// entry by entry, field by field.
//
// Entries are paired by the identity the file keeps for them where it has one that holds
// (entry_identity.h), and otherwise by what they hold: first on everything the file keeps but the
// status, then on the text and the day it was made (a priority, date or time changed), then on
// everything but the text (the text changed), and last by where they stand between entries
// already paired. The columns keep no identity: what they show is followed from one reading to
// the next (shared_list.h), each step short enough to leave little to guess.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace todo {

// For each entry of `later`, the index of the entry of `earlier` it is, or -1 for an entry
// `later` added: between the file's lists of two saves, where additions stand at the end.
// `already` holds pairs known beforehand (by identity), the rest are paired by what they hold.
std::vector<int> pair_entries(const std::vector<Entry>& earlier, const std::vector<Entry>& later,
                              std::vector<int> already = {});
// The same between two readings of the columns of one program, where no addition stands
// unsaved (adding saves at once): entries after the last one paired are paired by place too.
std::vector<int> pair_shown(const std::vector<Entry>& earlier, const std::vector<Entry>& later);

// Whether two versions of an entry differ in what a person changes: text, created date,
// priority, date or time (the statuses the reminder evaluation writes do not count).
bool changed_by_hand(const Entry& before, const Entry& after);

// Whether two lists are stored alike, entry for entry (statuses included).
bool alike_in_file(const std::vector<Entry>& one, const std::vector<Entry>& other);

// A version of an entry that gave way to another, so nothing is dropped without a trace.
struct LostVersion {
    enum class Why {
        ChangedOnBoth,     // both desktops changed the same field: the one saved first stands
        DeletedElsewhere,  // changed here, deleted on another desktop
        DeletedHere,       // deleted here, changed on another desktop
    };
    Entry entry;  // the version that gave way
    Why why;
};

struct MergedList {
    std::vector<Entry> entries;    // the file's list with this program's work applied
    std::vector<int> screen_rows;  // for each row of the columns, its row in `entries` (-1: gone)
    std::vector<int> disk_rows;  // for each row of `entries`, its row in the file (-1: added here)
    std::vector<LostVersion> lost;  // versions that gave way
};

// This program's work (`base` to `screen`) applied to what the file holds now (`disk`):
// entries added here are added after the file's, entries deleted here are deleted, fields
// changed here replace the file's where the other desktops left them as they were. Where both
// changed a field, the file's value stands and this program's version is lost (and reported);
// a deletion on either side wins over a change on the other. A status changed here stands. When
// the entries here were sorted by priority, the merged list is sorted too.
MergedList merge_entries(const std::vector<Entry>& base, const std::vector<Entry>& screen,
                         const std::vector<Entry>& disk);
// The same with the pairings known: for each row of `screen` and of `disk`, its row in `base`.
MergedList merge_entries(const std::vector<Entry>& base, const std::vector<Entry>& screen,
                         const std::vector<int>& screen_pairs, const std::vector<Entry>& disk,
                         const std::vector<int>& disk_pairs);

}  // namespace todo
