// Number texts, text numbers and the text helpers, on the values the office's files hold.
#include "common/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using common::number_text;
using common::text_number;

TEST(NumberText, WholeValuesHaveNoDecimalsOthersTwo) {
    EXPECT_EQ(number_text(5), " 5");
    EXPECT_EQ(number_text(7), " 7");
    EXPECT_EQ(number_text(0), " 0");
    EXPECT_EQ(number_text(-0.0), " 0");
    EXPECT_EQ(number_text(-3), " -3");
    EXPECT_EQ(number_text(2.5), " 2.50");
    EXPECT_EQ(number_text(-0.126), " -0.13");
    EXPECT_EQ(number_text(1234.567), " 1234.57");
    EXPECT_EQ(number_text(0.001), " 0.00");
    EXPECT_EQ(number_text(-0.5), " -0.50");
    EXPECT_EQ(number_text(189.99), " 189.99");
    EXPECT_EQ(number_text(17.5 / 100 * 200), " 35");
    EXPECT_EQ(number_text(3000000000.0), " 3000000000");
    EXPECT_EQ(number_text(-999999999999999.0), " -999999999999999");
    EXPECT_EQ(number_text(1e20), " 100000000000000000000");
    // A broken calculation never writes "nan" or "inf" into a file.
    EXPECT_EQ(number_text(std::nan("")), " 0");
    EXPECT_EQ(number_text(HUGE_VAL), " 0");
}

TEST(NumberText, WrittenNumbersReadBackToTwoDecimals) {
    for (double value : {0.0, 1.0, -1.0, 0.05, -12.34, 99999.99, 1e9 + 0.25}) {
        EXPECT_DOUBLE_EQ(text_number(number_text(value)), std::round(value * 100) / 100) << value;
    }
}

TEST(TextNumber, TakesSignDigitsAndOnePointOnly) {
    EXPECT_DOUBLE_EQ(text_number(""), 0);
    EXPECT_DOUBLE_EQ(text_number("abc"), 0);
    EXPECT_DOUBLE_EQ(text_number("-"), 0);
    EXPECT_FALSE(std::signbit(text_number("-")));
    EXPECT_DOUBLE_EQ(text_number("  42"), 42);
    EXPECT_DOUBLE_EQ(text_number("\t 7x"), 7);
    EXPECT_DOUBLE_EQ(text_number("+5"), 0);
    EXPECT_DOUBLE_EQ(text_number("12.5.3"), 12.5);
    EXPECT_DOUBLE_EQ(text_number(" -3.25abc"), -3.25);
    EXPECT_DOUBLE_EQ(text_number("1e5"), 1);
    EXPECT_DOUBLE_EQ(text_number("1,000"), 1);
    EXPECT_DOUBLE_EQ(text_number(".5"), 0.5);
    EXPECT_DOUBLE_EQ(text_number("7."), 7);
    EXPECT_DOUBLE_EQ(text_number("- 4"), 0);
    EXPECT_DOUBLE_EQ(text_number("0.1"), 0.1);  // exactly the nearest double, not a sum
    EXPECT_DOUBLE_EQ(text_number("189.99"), 189.99);
    EXPECT_TRUE(std::isfinite(text_number(std::string(400, '9'))));
}

TEST(TextNumber, IntegersRoundToTheNearest) {
    EXPECT_EQ(common::text_integer(" 2.5"), 3);
    EXPECT_EQ(common::text_integer("2.49"), 2);
    EXPECT_EQ(common::text_integer("-2.5"), -3);
    EXPECT_EQ(common::text_integer("-2.4"), -2);
    EXPECT_EQ(common::text_integer("12"), 12);
    EXPECT_EQ(common::text_integer("x"), 0);
    EXPECT_EQ(common::text_integer(std::string(30, '9')), LONG_MAX);
    EXPECT_EQ(common::text_integer("-" + std::string(30, '9')), LONG_MIN);
}

TEST(TextHelpers, LeftRightMidCountFromOneAndClampTheirLimits) {
    EXPECT_EQ(common::left_text("Monday", 3), "Mon");
    EXPECT_EQ(common::left_text("Mon", -1), "");
    EXPECT_EQ(common::left_text("Mon", 10), "Mon");
    EXPECT_EQ(common::right_text("todo.dat", 3), "dat");
    EXPECT_EQ(common::right_text("dat", -2), "");
    EXPECT_EQ(common::right_text("dat", 9), "dat");

    EXPECT_EQ(common::mid_text("space: 12", 8), "12");
    EXPECT_EQ(common::mid_text("abcdef", 2, 3), "bcd");
    EXPECT_EQ(common::mid_text("abcdef", 0, 2), "ab");
    EXPECT_EQ(common::mid_text("abcdef", -5, 2), "ab");
    EXPECT_EQ(common::mid_text("abcdef", 7, 2), "");
    EXPECT_EQ(common::mid_text("abcdef", 6, 1), "f");
    EXPECT_EQ(common::mid_text("abcdef", 4, -1), "def");
    EXPECT_EQ(common::mid_text("abcdef", 4, 99), "def");
    EXPECT_EQ(common::mid_text("abcdef", 3, 0), "");
    EXPECT_EQ(common::mid_text("", 1, 1), "");
}

TEST(TextHelpers, FindGivesPositionsFromOne) {
    EXPECT_EQ(common::find_text("discountat: 500", "discountat:"), 1);
    EXPECT_EQ(common::find_text("a.b.c", "."), 2);
    EXPECT_EQ(common::find_text("a.b.c", ".", 3), 4);
    EXPECT_EQ(common::find_text("a.b.c", ".", 4), 4);
    EXPECT_EQ(common::find_text("a.b.c", ".", 0), 2);
    EXPECT_EQ(common::find_text("a.b.c", ".", 5), 0);
    EXPECT_EQ(common::find_text("a.b.c", ".", 6), 0);
    EXPECT_EQ(common::find_text("a.b.c", "x"), 0);
    EXPECT_EQ(common::find_text("a.b.c", ""), 0);
    EXPECT_EQ(common::find_text("", "a"), 0);
    EXPECT_EQ(common::find_text("abc", "abcd"), 0);
}

TEST(TextHelpers, CaseFollowsTheOfficeCodePage) {
    EXPECT_EQ(common::lower_text("Solar PANEL 400W"), "solar panel 400w");
    EXPECT_EQ(common::upper_text("solar panel 400w"), "SOLAR PANEL 400W");
    // À É Š Ÿ and their small letters; £, × and ß have no other case.
    EXPECT_EQ(common::lower_text("\xC0\xC9\x8A\x9F\xA3\xD7"), "\xE0\xE9\x9A\xFF\xA3\xD7");
    EXPECT_EQ(common::upper_text("\xE0\xE9\x9A\xFF\xA3\xF7\xDF"), "\xC0\xC9\x8A\x9F\xA3\xF7\xDF");
}

TEST(TextHelpers, TrimsSpacesAndTabsOnly) {
    EXPECT_EQ(common::trim_left(" \t x y \t"), "x y \t");
    EXPECT_EQ(common::trim_right(" \t x y \t"), " \t x y");
    EXPECT_EQ(common::trim_right("x\r\n"), "x\r\n");
    EXPECT_EQ(common::trim_left("   "), "");
    EXPECT_EQ(common::trim_right(""), "");
}

TEST(TextHelpers, SmallTexts) {
    EXPECT_EQ(common::char_text(163), "\xA3");
    EXPECT_EQ(common::char_text(65), "A");
    EXPECT_EQ(common::char_text(13) + common::char_text(10), "\r\n");
    EXPECT_EQ(common::char_text(0), "");
    EXPECT_EQ(common::spaces(5), "     ");
    EXPECT_EQ(common::spaces(-3), "");
    EXPECT_EQ(common::length_of(""), 0);
    EXPECT_EQ(common::length_of("\xA3"
                                "5.00"),
              5);
    EXPECT_EQ(common::field_text(std::string(300, 'a')), std::string(254, 'a'));
    EXPECT_EQ(common::field_text(std::string(254, 'a')), std::string(254, 'a'));
    EXPECT_EQ(common::field_text("short"), "short");
}

}  // namespace

#include "common/utf8_text.h"

namespace {

TEST(Utf8Text, ValidUtf8BeyondAsciiIsTakenIntoWindows1252) {
    using common::windows_1252_from_utf8;
    EXPECT_EQ(windows_1252_from_utf8("caf\xC3\xA9"), std::optional<std::string>("caf\xE9"));
    EXPECT_EQ(windows_1252_from_utf8("\xC2\xA3"
                                     "5 \xE2\x82\xAC"
                                     "5 \xE2\x80\x9Cok\xE2\x80\x9D"),
              std::optional<std::string>("\xA3"
                                         "5 \x80"
                                         "5 \x93ok\x94"));
    EXPECT_EQ(windows_1252_from_utf8("\xC5\x92\xC5\xA0\xC5\xBD\xC5\xB8"),
              std::optional<std::string>("\x8C\x8A\x8E\x9F"));
    EXPECT_EQ(windows_1252_from_utf8("Zadzwo\xC5\x84 \xC8\x99i \xC4\x9F"),
              std::optional<std::string>("Zadzwon si g"));
    EXPECT_EQ(windows_1252_from_utf8("\xF0\x9F\x98\x80 \xD0\x96"),
              std::optional<std::string>("? ?"));
}

TEST(Utf8Text, AnythingElseIsLeftAsItIs) {
    using common::windows_1252_from_utf8;
    for (const char* bytes : {"plain", "", "caf\xE9", "\xC3", "\xC3\x28", "\xE2\x82",
                              "\xC0\xAF",          // an overlong "/"
                              "\xED\xA0\x80",      // a surrogate
                              "\xF4\x90\x80\x80",  // past U+10FFFF
                              "\xFF\xFE"}) {
        EXPECT_FALSE(windows_1252_from_utf8(bytes).has_value()) << bytes;
    }
}

}  // namespace
