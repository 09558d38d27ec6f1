// The database file of fixed-length records, read and written whole, apart from the columns
// that show it: what the saves, the merging of other desktops' saves and the tests share.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "entry_identity.h"
#include "record.h"

namespace todo {

// What a file held the last time it was read or written here: its bytes (header and records)
// and, record for record, the entries and identities they stand for. A save or a read of a long
// list that has changed in a few records only looks at those.
struct DatabaseImage {
    const std::string& bytes;
    const std::vector<Entry>& entries;
    const std::vector<EntryId>& ids;
    bool holds(std::size_t i, const unsigned char* record) const;  // record i as it was
};

// Reads the header and the records it announces from a database the caller has opened.
// Records that are not there are absent; `whole` tells whether the file held everything its
// header promised (an empty file is a new database, and whole). With `ids`, each entry's identity
// too (0 where it has none that holds).
std::vector<Entry> read_database(common::FileVar& database, bool& whole,
                                 std::vector<EntryId>* ids = nullptr);
// Opens, reads and closes the database at `path`. False when it cannot be opened.
bool read_database_file(const std::string& path, std::vector<Entry>& entries, bool& whole,
                        std::vector<EntryId>* ids = nullptr);
// The same with what the file held before (records found unchanged are not decoded again), and
// the bytes read kept in `bytes_read`.
bool read_database_file(const std::string& path, std::vector<Entry>& entries, bool& whole,
                        std::vector<EntryId>& ids, const DatabaseImage& before,
                        std::string& bytes_read);
// Writes `entries` whole to `path` (beside it, renamed into place; in place with the header
// last where the folder takes no new files), keeping what the old file held past them. False
// when the old file was left as it was. With `ids`, each entry's identity is kept in its record
// (entry_identity.h); without, the bytes the format leaves free hold what the record buffer
// held before, as they always have.
bool write_database_file(const std::string& path, const std::vector<Entry>& entries,
                         const std::vector<EntryId>& ids = {});
// The same with identities, copying the records of entries the file held before as they were,
// and keeping the bytes written in `bytes_written`. Every record is written whole from a clean
// buffer: the same entry and identity are always the same bytes, whoever wrote them.
bool write_database_file(const std::string& path, const std::vector<Entry>& entries,
                         const std::vector<EntryId>& ids, const DatabaseImage& before,
                         std::string& bytes_written);

}  // namespace todo
