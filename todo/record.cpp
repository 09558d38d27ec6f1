#include "record.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "common/text.h"

namespace todo {

namespace {

void put_text(unsigned char* field, const std::string& text) {
    const std::size_t length = std::min(text.size(), TEXT_FIELD - 1);
    std::memcpy(field, text.data(), length);
    field[length] = 0;
}

std::string get_text(const unsigned char* field) {
    const auto* end = std::find(field, field + TEXT_FIELD - 1, 0);
    return std::string(reinterpret_cast<const char*>(field), static_cast<std::size_t>(end - field));
}

}  // namespace

std::int32_t read_int32(const unsigned char* bytes) {
    const std::uint32_t value = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
                                (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

void write_int32(unsigned char* bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

void encode_record(const EntryRecord& record, RecordBuffer& buffer) {
    put_text(buffer.data() + TIME_AT, record.time);
    write_int32(buffer.data() + STATUS_AT, record.status);
    write_int32(buffer.data() + PRIORITY_AT, record.priority);
    write_int32(buffer.data() + COUNT_AT, record.count);
    put_text(buffer.data() + DATE_AT, record.date);
    put_text(buffer.data() + CREATED_AT, record.created);
    put_text(buffer.data() + TEXT_AT, record.text);
}

EntryRecord decode_record(const RecordBuffer& buffer) {
    return decode_record(buffer.data());
}

EntryRecord decode_record(const unsigned char* bytes) {
    EntryRecord record;
    record.time = get_text(bytes + TIME_AT);
    record.status = read_int32(bytes + STATUS_AT);
    record.priority = read_int32(bytes + PRIORITY_AT);
    record.count = read_int32(bytes + COUNT_AT);
    record.date = get_text(bytes + DATE_AT);
    record.created = get_text(bytes + CREATED_AT);
    record.text = get_text(bytes + TEXT_AT);
    return record;
}

namespace {

// The number texts the columns hold are nearly always a space and a whole number (" 12"): read
// those at once, the way text_number reads them, and leave anything else to it. A long list is
// converted on every save.
bool whole_number(const std::string& text, std::int64_t& value) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    if (at == text.size() || text.size() - at > 9) return false;
    value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        value = value * 10 + (text[at] - '0');
    }
    if (negative) value = -value;
    return true;
}

std::string whole_number_text(std::int32_t value) {
    return " " + std::to_string(value);  // as number_text writes a whole number
}

}  // namespace

std::int32_t rounded_value(const std::string& number_text) {
    std::int64_t whole = 0;
    if (whole_number(number_text, whole)) return static_cast<std::int32_t>(whole);
    const double value = std::round(common::text_number(number_text));
    if (!(value >= std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

EntryRecord record_of(const Entry& entry) {
    EntryRecord record;
    record.time = entry.time;
    const std::int32_t status = rounded_value(entry.status);
    record.status = status == 1 && common::text_number(entry.status) == 1.0 ? 2 : status;
    record.priority = rounded_value(entry.priority);
    record.date = entry.date;
    record.created = entry.created;
    record.text = entry.text;
    return record;
}

Entry entry_of(const EntryRecord& record) {
    Entry entry;
    entry.text = record.text;
    entry.priority = whole_number_text(record.priority);
    entry.created = record.created;
    entry.date = record.date;
    entry.time = record.time;
    entry.status = whole_number_text(record.status);
    return entry;
}

}  // namespace todo
