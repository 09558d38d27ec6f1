// The database record of one to-do entry: 1036 bytes, 32-bit integers least significant byte
// first, texts of up to 254 characters ended by a zero byte. Packed byte by byte so the file is
// the same on every platform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace todo {

inline constexpr std::size_t RECORD_LENGTH = 1036;
using RecordBuffer = std::array<unsigned char, RECORD_LENGTH>;

// Byte offsets of the fields within a record.
inline constexpr std::size_t TIME_AT = 0;
inline constexpr std::size_t STATUS_AT = 256;
inline constexpr std::size_t PRIORITY_AT = 260;
inline constexpr std::size_t COUNT_AT = 264;  // significant in the header (record 1) only
inline constexpr std::size_t DATE_AT = 268;
inline constexpr std::size_t CREATED_AT = 523;
inline constexpr std::size_t TEXT_AT = 778;
inline constexpr std::size_t TEXT_FIELD = 255;

// The fields of one record as they are stored.
struct EntryRecord {
    std::string time;
    std::int32_t status = 0;
    std::int32_t priority = 0;
    std::int32_t count = 0;
    std::string date;
    std::string created;
    std::string text;
    bool operator==(const EntryRecord&) const = default;
};

// An entry as the six columns show it: texts only.
struct Entry {
    std::string text;
    std::string priority;  // number text, " 1" is the highest
    std::string created;
    std::string date;
    std::string time;
    std::string status;  // " 0" to " 6"
    bool operator==(const Entry&) const = default;
};

// Writes the fields into the buffer; bytes after each text's zero byte and the padding keep
// what the buffer held. Texts are cut to 254 characters.
void encode_record(const EntryRecord& record, RecordBuffer& buffer);
// Reads the fields; a text without its zero byte ends at the end of its field.
EntryRecord decode_record(const RecordBuffer& buffer);
EntryRecord decode_record(const unsigned char* record);  // RECORD_LENGTH bytes

std::int32_t read_int32(const unsigned char* bytes);
void write_int32(unsigned char* bytes, std::int32_t value);

// Column texts to stored fields: the priority and status rounded to whole numbers, a status of
// exactly 1 stored as 2 (priority one is recomputed on every tick, not kept).
EntryRecord record_of(const Entry& entry);
// Stored fields to column texts.
Entry entry_of(const EntryRecord& record);

// A number text's value rounded to the nearest integer and kept within 32 bits.
std::int32_t rounded_value(const std::string& number_text);

}  // namespace todo
