// The reference file formats, without windows.
#include <gtest/gtest.h>

#include <climits>

#include "price_list.h"
#include "reference_file.h"
#include "settings_file.h"

namespace jobs {
namespace {

TEST(PriceListLines, NameAndPrice) {
    EXPECT_EQ(item_name("Solar panel\tmono\t\xA3"
                        "249.99"),
              "Solar panel");
    EXPECT_EQ(item_name("Survey visit"), "Survey visit");
    EXPECT_EQ(item_name("\tleading tab"), "");

    EXPECT_EQ(item_price("Panel\t\xA3"
                         "249.99"),
              "249.99");
    EXPECT_EQ(item_price("Battery\t\xA3"
                         "89.50 \t "),
              "89.50");
    EXPECT_EQ(item_price("Long\t\xA3"
                         "123456789012345"),
              "1234567890");
    EXPECT_EQ(item_price("Two\t\xA3"
                         "5 or \xA3"
                         "6"),
              "5 or \xA3"
              "6");
    EXPECT_EQ(item_price("Empty\t\xA3"), "");
    EXPECT_FALSE(item_price("Survey visit").has_value());
}

TEST(PriceListLines, PriceLookupTakesTheLastMatchingLine) {
    std::vector<std::string> lines = {
        "Panel 80W\t\xA3"
        "100",
        "Survey visit",
        "Panel 80W mounting\t\xA3"
        "12.50",
        "Cable\t\xA3"
        "1"};
    EXPECT_EQ(price_of_item(lines, "Panel 80W"), "12.50");  // contained in a later line
    EXPECT_EQ(price_of_item(lines, "Survey"), "NO PRICE");
    EXPECT_EQ(price_of_item(lines, "Cable"), "1");
    EXPECT_FALSE(price_of_item(lines, "cable").has_value());  // case matters
    EXPECT_FALSE(price_of_item(lines, "").has_value());       // empty text matches nothing
    EXPECT_FALSE(price_of_item(lines, "Inverter").has_value());
}

TEST(PriceListLines, LookupInTheWholeListAgreesWithTheLines) {
    const std::string pound = "\xA3";
    std::string boundary = std::string(240, '-') + "Cable" + pound + "7";  // ends at 245
    std::string beyond = std::string(250, '-') + "Cable" + pound + "8";    // ends past 254
    std::string edge = std::string(249, '-') + "Cable" + pound + "9";      // ends at exactly 254
    std::vector<std::string> lists = {
        "Cable\t" + pound + "1\r\nCable long\t" + pound + "2\r\n",
        "Cable\t" + pound + "1\n" + beyond + "\n",
        "Cable\t" + pound + "1\r" + boundary,
        beyond + "\r\n" + edge,
        "Cable\t" + pound + "1\r\n" + edge + "\r\n" + beyond,
        "Cable\r\nCa\nble\t" + pound + "3",
        std::string("Cable\0\t", 7) + pound + "4\r\n",
        "no match here",
        "",
    };
    for (const std::string& list : lists)
        for (std::string item : {"Cable", "Cable long", "-Cable", "ble", "Ca\nble", ""})
            EXPECT_EQ(price_in_list(list, item), price_of_item(split_lines(list), item))
                << "item " << item << " in " << list;
    EXPECT_EQ(price_in_list("Cable\t" + pound + "1\n" + beyond, "Cable"), "1");
    // The match ends at the 254th character; the price after it is cut off with the line.
    EXPECT_EQ(price_in_list(beyond + "\r\n" + edge, "Cable"), "NO PRICE");
}

TEST(PriceListLines, PictureKeyWords) {
    std::vector<std::string> keys = {"panel", "", "Inverter", "80w", "\xE9t\xE9"};
    EXPECT_EQ(picture_key_of_item(keys, "Solar PANEL"), "panel");
    EXPECT_EQ(picture_key_of_item(keys, "Panel 80W"), "80w");             // the last key word found
    EXPECT_FALSE(picture_key_of_item(keys, "Inverter 1kW").has_value());  // capitals never match
    EXPECT_FALSE(picture_key_of_item(keys, "Battery").has_value());
    EXPECT_EQ(picture_key_of_item(keys, "\xC9T\xC9 kit"), "\xE9t\xE9");  // Windows-1252 letters
}

TEST(ReferenceFileLines, AnyLineEndAndAnyBytes) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(split_lines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_lines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_lines(""), (Lines{""}));
    EXPECT_EQ(split_lines("\r\n"), (Lines{""}));
    std::string garbage("\0\xFF\x01\r\n\0", 6);
    Lines kept = split_lines(garbage);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], std::string("\0\xFF\x01", 3));
    EXPECT_EQ(kept[1], std::string("\0", 1));
    Lines cut = split_lines(std::string(300, 'x') + "\r\nnext");
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], std::string(254, 'x'));
    EXPECT_EQ(cut[1], "next");
}

TEST(SettingsLines, KeysAndValues) {
    Settings s = read_settings({"space:20  \t", "carrage: 12.5 ", "messagefile:C:\\kez\\q.txt  ",
                                "messageinput:C:\\kez\\a.txt", "discountat:500", "other:3"});
    EXPECT_EQ(s.spacer_height, 20);
    EXPECT_FLOAT_EQ(s.default_carriage, 12.5f);
    EXPECT_EQ(s.question_file, "C:\\kez\\q.txt  ");  // blanks kept in paths
    EXPECT_EQ(s.answer_file, "C:\\kez\\a.txt");
    EXPECT_EQ(s.discount_threshold, 500);

    // Whole settings round halves to even.
    EXPECT_EQ(read_settings({"discountat:99.5"}).discount_threshold, 100);
    EXPECT_EQ(read_settings({"discountat:100.5"}).discount_threshold, 100);
    EXPECT_EQ(read_settings({"space:2.5"}).spacer_height, 2);
    EXPECT_EQ(read_settings({"space:3.6"}).spacer_height, 4);

    // The last line with a key wins; missing keys stay zero or empty.
    Settings last = read_settings({"carrage:5", "carrage:7.25", "", "nothing here"});
    EXPECT_FLOAT_EQ(last.default_carriage, 7.25f);
    EXPECT_EQ(last.spacer_height, 0);
    EXPECT_EQ(last.question_file, "");
    EXPECT_EQ(last.discount_threshold, 0);
}

TEST(SettingsLines, KeyAnywhereInItsLine) {
    // A key indented with blanks or tabs still gives the value written after it.
    Settings s = read_settings({"   space:20", "\tcarrage:12.5", "  discountat:250",
                                "  messagefile:q.txt", " messageinput:a.txt"});
    EXPECT_EQ(s.spacer_height, 20);
    EXPECT_FLOAT_EQ(s.default_carriage, 12.5f);
    EXPECT_EQ(s.discount_threshold, 250);
    EXPECT_EQ(s.question_file, "q.txt");
    EXPECT_EQ(s.answer_file, "a.txt");
}

TEST(SettingsLines, OutOfRangeAndOverLongValues) {
    EXPECT_EQ(read_settings({"discountat:99999999999999999999"}).discount_threshold, INT_MAX);
    EXPECT_EQ(read_settings({"space:-99999999999999999999"}).spacer_height, INT_MIN);
    EXPECT_FLOAT_EQ(read_settings({"carrage:" + std::string(60, '9')}).default_carriage,
                    std::numeric_limits<float>::max());
    Settings longer = read_settings({"messagefile:" + std::string(400, 'p')});
    EXPECT_EQ(longer.question_file, std::string(254 - 12, 'p'));
}

}  // namespace
}  // namespace jobs
