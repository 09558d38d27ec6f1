// The database file itself: the header and the records it announces, read and written a block
// at a time, without any window.
#include "database_file.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace todo {

using common::FileKind;

namespace {

// Records are read and written a block at a time: one call per record would cost a system
// call each, and a long list would make every save noticeably slow.
constexpr std::size_t RECORDS_PER_BLOCK = 256;

}  // namespace

bool DatabaseImage::holds(std::size_t i, const unsigned char* record) const {
    const std::size_t at = (i + 1) * RECORD_LENGTH;
    return i < entries.size() && i < ids.size() && at + RECORD_LENGTH <= bytes.size() &&
           std::memcmp(bytes.data() + at, record, RECORD_LENGTH) == 0;
}

namespace {

std::vector<Entry> read_records(common::FileVar& database, bool& whole, std::vector<EntryId>* ids,
                                const DatabaseImage* before, std::string* bytes_read) {
    std::vector<Entry> entries;
    RecordBuffer buffer{};
    const int header = common::read_record(database, 1, buffer.data(), RECORD_LENGTH);
    if (bytes_read) {
        bytes_read->clear();
        bytes_read->append(reinterpret_cast<const char*>(buffer.data()),
                           std::size_t(std::max(header, 0)));
    }
    if (header < static_cast<int>(RECORD_LENGTH)) {
        whole = header == 0;  // an empty file is a new database, a cut header is not
        return entries;
    }
    const std::int32_t count = decode_record(buffer).count;
    whole = count >= 0;
    // One block, read into as it is: every byte decoded has just been read.
    const std::unique_ptr<unsigned char[]> block(
        new unsigned char[RECORDS_PER_BLOCK * RECORD_LENGTH]);
    common::file_position(database, static_cast<long>(RECORD_LENGTH));
    for (std::size_t left = count > 0 ? static_cast<std::size_t>(count) : 0; left > 0;) {
        const std::size_t wanted = std::min(left, RECORDS_PER_BLOCK);
        const int got = common::read_bytes(database, block.get(), wanted * RECORD_LENGTH);
        const std::size_t records = static_cast<std::size_t>(std::max(got, 0)) / RECORD_LENGTH;
        if (bytes_read)
            bytes_read->append(reinterpret_cast<const char*>(block.get()), records * RECORD_LENGTH);
        for (std::size_t r = 0; r < records; ++r) {
            const unsigned char* bytes = block.get() + r * RECORD_LENGTH;
            const std::size_t i = entries.size();
            if (before && ids && before->holds(i, bytes)) {
                entries.push_back(before->entries[i]);
                ids->push_back(before->ids[i]);
                continue;
            }
            const EntryRecord record = decode_record(bytes);
            entries.push_back(entry_of(record));
            if (ids) ids->push_back(identity_in(bytes, record));
        }
        if (records < wanted) {
            whole = false;
            break;
        }
        left -= wanted;
    }
    if (ids) forget_doubled(*ids);
    return entries;
}

}  // namespace

std::vector<Entry> read_database(common::FileVar& database, bool& whole,
                                 std::vector<EntryId>* ids) {
    return read_records(database, whole, ids, nullptr, nullptr);
}

namespace {

// What the old file holds past `length` bytes: a save never shortens the file.
std::string old_bytes_beyond(const std::string& path, std::size_t length) {
    common::FileVar old;
    std::string beyond;
    if (common::open_file(old, FileKind::Binary, path, "R") != 0) return beyond;
    common::file_position(old, static_cast<long>(length));
    char block[65536];
    for (int got; (got = common::read_bytes(old, block, sizeof block)) > 0;)
        beyond.append(block, static_cast<std::size_t>(got));
    common::close_file(old, FileKind::Binary);
    return beyond;
}

// Written whole beside the old file and renamed over it, so a full disk or a crash leaves the
// previous database as it was.
bool write_records(const std::string& path, const std::vector<Entry>& entries,
                   const std::vector<EntryId>& ids, const DatabaseImage* before,
                   std::string* bytes_written) {
    const std::string beyond = old_bytes_beyond(path, (entries.size() + 1) * RECORD_LENGTH);
    common::FileVar database;
    if (common::open_file(database, FileKind::Binary, path, "W") != 0) return false;
    // A block of records at a time from one small buffer: an image of a long list made whole
    // first would be megabytes of fresh memory to fill on every save.
    bool written = true;
    const auto put = [&](const void* bytes, std::size_t count) {
        if (written && count > 0)
            written = common::write_bytes(database, bytes, count) == static_cast<int>(count);
    };
    RecordBuffer buffer{};
    // The header: the count, its other fields those of the last entry, as the record buffer
    // leaves them.
    EntryRecord header = entries.empty() ? EntryRecord{} : record_of(entries.back());
    header.count = static_cast<std::int32_t>(entries.size());
    encode_record(header, buffer);
    put(buffer.data(), buffer.size());
    if (bytes_written) {
        bytes_written->clear();
        bytes_written->append(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    }
    constexpr std::size_t BLOCK_BYTES = RECORDS_PER_BLOCK * RECORD_LENGTH;
    std::vector<unsigned char> block;
    block.reserve(BLOCK_BYTES);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryId id = i < ids.size() ? ids[i] : 0;
        const std::size_t at = (i + 1) * RECORD_LENGTH;
        if (before && i < before->entries.size() && i < before->ids.size() &&
            at + RECORD_LENGTH <= before->bytes.size() && before->ids[i] == id &&
            before->entries[i] == entries[i]) {
            block.insert(block.end(), before->bytes.begin() + long(at),
                         before->bytes.begin() + long(at + RECORD_LENGTH));
        } else {
            const EntryRecord record = record_of(entries[i]);
            if (before) buffer.fill(0);
            encode_record(record, buffer);
            if (!ids.empty()) put_identity(buffer, id, record);
            block.insert(block.end(), buffer.begin(), buffer.end());
        }
        if (bytes_written)
            bytes_written->append(
                reinterpret_cast<const char*>(block.data()) + block.size() - RECORD_LENGTH,
                RECORD_LENGTH);
        if (block.size() == BLOCK_BYTES) {
            put(block.data(), block.size());
            block.clear();
        }
    }
    put(block.data(), block.size());
    put(beyond.data(), beyond.size());
    return common::close_file(database, FileKind::Binary) == 0 && written;
}

}  // namespace

bool write_database_file(const std::string& path, const std::vector<Entry>& entries,
                         const std::vector<EntryId>& ids) {
    return write_records(path, entries, ids, nullptr, nullptr);
}

bool write_database_file(const std::string& path, const std::vector<Entry>& entries,
                         const std::vector<EntryId>& ids, const DatabaseImage& before,
                         std::string& bytes_written) {
    return write_records(path, entries, ids, &before, &bytes_written);
}

bool read_database_file(const std::string& path, std::vector<Entry>& entries, bool& whole,
                        std::vector<EntryId>* ids) {
    common::FileVar database;
    if (common::open_file(database, FileKind::Binary, path, "R") != 0) return false;
    if (ids) ids->clear();
    entries = read_database(database, whole, ids);
    common::close_file(database, FileKind::Binary);
    return true;
}

bool read_database_file(const std::string& path, std::vector<Entry>& entries, bool& whole,
                        std::vector<EntryId>& ids, const DatabaseImage& before,
                        std::string& bytes_read) {
    common::FileVar database;
    if (common::open_file(database, FileKind::Binary, path, "R") != 0) return false;
    ids.clear();
    entries = read_records(database, whole, &ids, &before, &bytes_read);
    common::close_file(database, FileKind::Binary);
    return true;
}

}  // namespace todo
