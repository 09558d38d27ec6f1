// The 1036-byte database record: field offsets, byte order, text ends and the column texts.
#include "record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace todo {
namespace {

std::string text_at(const RecordBuffer& buffer, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(buffer.data() + at));
}

TEST(Record, FieldsSitAtTheirOffsetsLeastSignificantByteFirst) {
    RecordBuffer buffer{};
    encode_record({"09:45", 5, 0x01020304, -2, "24-12-2004", "06-02-2004", "Ring the bank"},
                  buffer);
    EXPECT_EQ(text_at(buffer, 0), "09:45");
    EXPECT_EQ(buffer[256], 5);
    EXPECT_EQ(buffer[257], 0);
    EXPECT_EQ(buffer[260], 0x04);
    EXPECT_EQ(buffer[261], 0x03);
    EXPECT_EQ(buffer[262], 0x02);
    EXPECT_EQ(buffer[263], 0x01);
    EXPECT_EQ(buffer[264], 0xFE);  // -2 in two's complement
    EXPECT_EQ(buffer[267], 0xFF);
    EXPECT_EQ(text_at(buffer, 268), "24-12-2004");
    EXPECT_EQ(text_at(buffer, 523), "06-02-2004");
    EXPECT_EQ(text_at(buffer, 778), "Ring the bank");

    const EntryRecord back = decode_record(buffer);
    EXPECT_EQ(back.priority, 0x01020304);
    EXPECT_EQ(back.count, -2);
    EXPECT_EQ(back.text, "Ring the bank");
}

TEST(Record, LongTextsAreCutAndUnendedTextsStopAtTheirField) {
    RecordBuffer buffer{};
    encode_record({std::string(300, 't'), 0, 0, 0, "", "", std::string(400, 'x')}, buffer);
    EXPECT_EQ(text_at(buffer, 0).size(), 254u);
    EXPECT_EQ(buffer[254], 0);
    EXPECT_EQ(decode_record(buffer).text, std::string(254, 'x'));
    EXPECT_EQ(buffer[256], 0) << "the time must not run into the status";

    RecordBuffer noisy;
    noisy.fill('A');  // no zero byte anywhere
    const EntryRecord read = decode_record(noisy);
    EXPECT_EQ(read.time, std::string(254, 'A'));
    EXPECT_EQ(read.text, std::string(254, 'A'));
    EXPECT_EQ(read.date.size(), 254u);
}

TEST(Record, ColumnTextsBecomeStoredFieldsAndBack) {
    const Entry shown{"Order panels", " 3", "01-03-2026", "--Tue", "10:15", " 1"};
    const EntryRecord stored = record_of(shown);
    EXPECT_EQ(stored.priority, 3);
    EXPECT_EQ(stored.status, 2) << "priority one is not kept: it is worked out on every tick";
    EXPECT_EQ(entry_of(stored),
              (Entry{"Order panels", " 3", "01-03-2026", "--Tue", "10:15", " 2"}));

    EXPECT_EQ(record_of({"", " 2.6", "", "", "", " 1.2"}).priority, 3);
    EXPECT_EQ(record_of({"", " 2.6", "", "", "", " 1.2"}).status, 1) << "only exactly 1 becomes 2";
    EXPECT_EQ(record_of({"", "urgent", "", "", "", ""}).priority, 0);
    EXPECT_EQ(record_of({"", " 99999999999", "", "", "", " -99999999999"}).priority, INT32_MAX);
    EXPECT_EQ(record_of({"", "", "", "", "", " -99999999999"}).status, INT32_MIN);
    EXPECT_EQ(entry_of(EntryRecord{"", -7, -1, 0, "", "", ""}).priority, " -1");
    EXPECT_EQ(entry_of(EntryRecord{"", -7, -1, 0, "", "", ""}).status, " -7");
}

}  // namespace
}  // namespace todo
