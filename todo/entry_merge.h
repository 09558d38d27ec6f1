// Merging two desktops' work on one to-do list. The list is kept as this program last read or
// wrote it (the base); what differs between the base and the columns is this program's work,
// what differs between the base and the file is the other desktops'. Both are put together
// entry by entry, field by field.
//
// An entry is known by what it holds: the record has no field for an identity, and an office's
// older program would copy whatever its record buffer held into any bytes the record leaves
// free. Entries are paired first on everything the file keeps but the status, then on the text
// and the day it was made (a priority, date or time changed), then on everything but the text
// (the text changed), and last by where they stand between entries already paired.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace todo {

// For each entry of `later`, the index of the entry of `earlier` it is, or -1 for an entry
// `later` added (as between the file's lists of two saves, where additions stand at the end).
std::vector<int> pair_entries(const std::vector<Entry>& earlier, const std::vector<Entry>& later);

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
    std::vector<Entry> entries;     // the file's list with this program's work applied
    std::vector<int> screen_rows;   // for each row of the columns, its row in `entries` (-1: gone)
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

}  // namespace todo
