// The customer file as texts: what is written for a customer and what comes back from it.
#include <gtest/gtest.h>

#include "customer.h"
#include "record_file.h"

namespace jobs {
namespace {

CustomerFields smith() {
    return {"09-12-2026",
            "R17",
            "Jo Smith",
            "01234 567890",
            "07700 900123",
            "jo@example.com",
            "Other contact details",
            "12 High Street\r\nLower Town\r\nShire",
            "AB1 2CD",
            "map.jpg",
            "Ring first"};
}

TEST(CustomerFile, MultiLineFieldsReadBackExactlyAsWritten) {
    CustomerFields fields = smith();
    fields[10] = "Dog in garden\r\nGate code 1234";
    CustomerFieldsRead read = read_customer_lines(customer_file_lines(fields));
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i) {
        ASSERT_TRUE(read[i].has_value()) << i;
        EXPECT_EQ(*read[i], fields[i]) << i;
    }
    // Saving what was read gives the same file again: nothing grows on each round.
    CustomerFields again;
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i) again[i] = *read[i];
    EXPECT_EQ(customer_file_lines(again), customer_file_lines(fields));
}

TEST(CustomerFile, OlderFilesStillRead) {
    // Written after a read by the earlier reader: a blank after the first address line and an
    // empty second line under a one-line note.
    CustomerFieldsRead read =
        read_customer_lines({"date:01-02-2020", "ref:Reference", "name:Ann Lee", "landline:1",
                             "mobile:2", "email:3", "other:4", "address:1 Mill Lane ", "Upton",
                             "postcode:UP1 1AA", "map:Map", "notes:Fence needs work ", ""});
    EXPECT_EQ(*read[7], "1 Mill Lane \r\nUpton");
    EXPECT_EQ(*read[8], "UP1 1AA");
    EXPECT_EQ(*read[10], "Fence needs work ");
    EXPECT_EQ(*read[2], "Ann Lee");
}

TEST(CustomerFile, MarkersOnlyCountAtTheStartOfAFieldNotYetRead) {
    CustomerFieldsRead read = read_customer_lines(
        {"stray line before any marker", "name:Bob", "continuation of a one-line field",
         "address:Flat 2", "name: not a name", "notes:see name: Bob", "postcode:late"});
    EXPECT_EQ(*read[2], "Bob");
    EXPECT_EQ(*read[7], "Flat 2\r\nname: not a name");
    EXPECT_EQ(*read[10], "see name: Bob");
    EXPECT_EQ(*read[8], "late");
    // Fields without a marker line are left to the window.
    EXPECT_FALSE(read[0].has_value());
    EXPECT_FALSE(read[9].has_value());
}

TEST(CustomerFile, BadInputGivesWhatItCanAndNeverMore) {
    EXPECT_FALSE(read_customer_lines({})[2].has_value());
    std::string long_line = "name:" + std::string(400, 'x');
    EXPECT_EQ(read_customer_lines({long_line})[2]->size(), 254u);
    // A file whose lines end in LF alone, with a zero byte inside, reads line by line.
    std::string bytes("date:1\nname:Z\0oe\nnotes:a\nb", 26);
    CustomerFieldsRead read = read_customer_lines(split_record_lines(bytes));
    EXPECT_EQ(*read[0], "1");
    EXPECT_EQ(*read[2], "Zoe");
    EXPECT_EQ(*read[10], "a\r\nb");
}

TEST(CustomerFile, NamesThatCannotNameAFileInTheDataFolder) {
    EXPECT_TRUE(usable_file_name("Jo Smith"));
    EXPECT_TRUE(usable_file_name("O'Neil & Sons Ltd."));
    EXPECT_FALSE(usable_file_name(""));
    EXPECT_FALSE(usable_file_name("..\\..\\windows\\x"));
    EXPECT_FALSE(usable_file_name("a/b"));
    EXPECT_FALSE(usable_file_name("what?"));
    EXPECT_FALSE(usable_file_name("C:x"));
    EXPECT_FALSE(usable_file_name(".."));
}

TEST(RecordLines, SplitAndJoinEveryKindOfLineEnd) {
    EXPECT_EQ(split_record_lines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(split_record_lines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split_record_lines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(split_record_lines("").empty());
    EXPECT_EQ(text_lines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(text_lines("x\n"), (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(join_lines({"x", "y"}), "x\r\ny");
}

}  // namespace
}  // namespace jobs
