// Identities kept in the bytes the record leaves free: they come back as written, every field a
// reader of the format sees stays as it was, and what the office's older program does to those
// bytes (copying its record buffer into every record) leaves no identity that could mislead.
#include "entry_identity.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "database_file.h"

namespace todo {
namespace {

namespace fs = std::filesystem;

const std::vector<Entry> LIST = {
    {"Order panels", " 2", "01-03-2026", "12-03-2026", "10:15", " 5"},
    {"Ring Mrs Baker", " 1", "02-03-2026", "--Tue", "14:00", " 6"},
    {"Invoice the Clark job", " 3", "03-03-2026", "08--Mar", "09:05", " 6"}};

class EntryIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/kez-identity-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path() const { return folder + "/todo.dat"; }
    // The older program saves each entry from one record buffer, which still holds the last
    // record it loaded: past each text's end, every record carries that record's bytes.
    void save_as_older_program(std::string& file, const std::string& last_loaded,
                               const std::vector<Entry>& entries) const {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            RecordBuffer buffer;
            std::copy(last_loaded.begin(), last_loaded.end(), buffer.begin());
            encode_record(record_of(entries[i]), buffer);
            file.replace((i + 1) * RECORD_LENGTH, RECORD_LENGTH,
                         reinterpret_cast<const char*>(buffer.data()), RECORD_LENGTH);
        }
        std::ofstream(path(), std::ios::binary | std::ios::trunc) << file;
    }
    std::string bytes() const {
        std::ifstream in(path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string folder;
};

TEST_F(EntryIdentity, IdentitiesComeBackAndEverySignificantByteIsAsBefore) {
    ASSERT_TRUE(write_database_file(path(), LIST));
    const std::string plain = bytes();
    const std::vector<EntryId> ids = {new_identity(), new_identity(), new_identity()};
    ASSERT_TRUE(write_database_file(path(), LIST, ids));
    const std::string with_ids = bytes();
    ASSERT_EQ(with_ids.size(), plain.size());
    for (std::size_t at = 0; at < plain.size(); ++at) {
        const std::size_t in_record = at % RECORD_LENGTH;
        const bool identity_bytes = at >= RECORD_LENGTH && in_record >= IDENTITY_AT &&
                                    in_record < IDENTITY_AT + IDENTITY_BYTES;
        if (!identity_bytes) {
            ASSERT_EQ(with_ids[at], plain[at]) << "byte " << at;
        }
    }
    std::vector<Entry> read;
    std::vector<EntryId> read_ids;
    bool whole = false;
    ASSERT_TRUE(read_database_file(path(), read, whole, &read_ids));
    EXPECT_TRUE(whole);
    EXPECT_EQ(read, LIST);
    EXPECT_EQ(read_ids, ids);
    // A file of today's format without them reads as it always did: entries without identities.
    ASSERT_TRUE(write_database_file(path(), LIST));
    ASSERT_TRUE(read_database_file(path(), read, whole, &read_ids));
    EXPECT_EQ(read, LIST);
    EXPECT_EQ(read_ids, (std::vector<EntryId>{0, 0, 0}));
}

TEST_F(EntryIdentity, WhatAnOlderProgramLeavesInThoseBytesIsNoIdentity) {
    const std::vector<EntryId> ids = {new_identity(), new_identity(), new_identity()};
    ASSERT_TRUE(write_database_file(path(), LIST, ids));
    std::string file = bytes();
    const std::string last = file.substr(3 * RECORD_LENGTH, RECORD_LENGTH);
    std::vector<Entry> changed = LIST;
    changed[0].priority = " 9";
    save_as_older_program(file, last, changed);
    std::vector<Entry> read;
    std::vector<EntryId> read_ids;
    bool whole = false;
    ASSERT_TRUE(read_database_file(path(), read, whole, &read_ids));
    EXPECT_EQ(read, changed);
    // One identity in three records: only the entry it was made for still checks with it.
    EXPECT_EQ(read_ids, (std::vector<EntryId>{0, 0, ids[2]}));
    // Two entries alike in everything carry one identity that checks for both: it proves
    // nothing, and neither keeps it.
    save_as_older_program(file, last, {LIST[2], LIST[2]});
    ASSERT_TRUE(read_database_file(path(), read, whole, &read_ids));
    EXPECT_EQ(read_ids, (std::vector<EntryId>{0, 0, 0}));

    // Kept in a record whose entry was changed by a program that knew nothing of it, an
    // identity no longer checks.
    RecordBuffer buffer{};
    EntryRecord stored = record_of(LIST[1]);
    encode_record(stored, buffer);
    put_identity(buffer, 42, stored);
    EXPECT_EQ(identity_in(buffer, stored), 42u);
    stored.text = "Ring Mrs Baker about the roof";
    encode_record(stored, buffer);
    EXPECT_EQ(identity_in(buffer, stored), 0u);
    stored.text = LIST[1].text;
    stored.status = 3;  // a status is no change of the entry
    encode_record(stored, buffer);
    EXPECT_EQ(identity_in(buffer, stored), 42u);
    // A time text long enough to reach those bytes leaves no room for one.
    stored.time = std::string(240, '9');
    encode_record(stored, buffer);
    put_identity(buffer, 42, stored);
    EXPECT_EQ(decode_record(buffer).time, stored.time);
    EXPECT_EQ(identity_in(buffer, stored), 0u);
}

}  // namespace
}  // namespace todo
