// Reading what the office types, reading what old files hold, and amounts as number texts.
#include "money.h"

#include <gtest/gtest.h>

#include "line_entry.h"

namespace jobs {
namespace {

Pence typed_pence(const std::string& text) {
    TypedAmount amount = read_typed_amount(text);
    EXPECT_EQ(amount.reading, Reading::Number) << text;
    return amount.pence;
}

TEST(TypedNumbers, MeanWhatTheySay) {
    EXPECT_EQ(typed_pence("\xA3"
                          "75"),
              7500);
    EXPECT_EQ(typed_pence("75.00"), 7500);
    EXPECT_EQ(typed_pence(" 1,234.50"), 123450);
    EXPECT_EQ(typed_pence("\xA3"
                          "1,234.50"),
              123450);
    EXPECT_EQ(typed_pence("1,234,567.5\t"), 123456750);
    EXPECT_EQ(typed_pence("-\xA3"
                          "5"),
              -500);
    EXPECT_EQ(typed_pence("\xA3-5"), -500);
    EXPECT_EQ(typed_pence(".5"), 50);
    EXPECT_EQ(typed_pence("7."), 700);
    EXPECT_EQ(typed_pence("-0"), 0);
    EXPECT_EQ(typed_pence("99,999,999.99"), LARGEST_AMOUNT);
    // More than two decimals round half away from zero.
    EXPECT_EQ(typed_pence("0.125"), 13);
    EXPECT_EQ(typed_pence("-0.125"), -13);
    EXPECT_EQ(typed_pence("0.1249"), 12);

    TypedNumber days = read_typed_number("2.5");
    ASSERT_EQ(days.reading, Reading::Number);
    EXPECT_EQ(days.value.digits, 25);
    EXPECT_EQ(days.value.places, 1);
}

TEST(TypedNumbers, AnythingElseIsRefused) {
    for (const char* text : {"1,5",
                             "2 boxes of 10",
                             "abc",
                             "1e12",
                             "",
                             "   ",
                             "-",
                             "\xA3",
                             "--5",
                             "\xA3\xA3"
                             "5",
                             "1,2345",
                             ",123",
                             "1234,567",
                             "12.5.3",
                             "+5",
                             "5-",
                             "1 000",
                             "12,50",
                             "0.1234567",
                             "NO PRICE",
                             "3x"})
        EXPECT_EQ(read_typed_number(text).reading, Reading::NotANumber) << text;
    EXPECT_EQ(read_typed_number("1000000000000").reading, Reading::TooLarge);
    EXPECT_EQ(read_typed_number("999999999999").reading, Reading::Number);
    EXPECT_EQ(read_typed_amount("100,000,000").reading, Reading::TooLarge);
    EXPECT_EQ(read_typed_amount("-100000000").reading, Reading::TooLarge);
}

TEST(StoredAmounts, OldCellsReadAsTheyAlwaysWere) {
    EXPECT_EQ(read_stored_amount(" 401"), 40100);
    EXPECT_EQ(read_stored_amount(" 70.18"), 7018);
    EXPECT_EQ(read_stored_amount("\xA3"
                                 "1,234.50"),
              123450);  // as the office means it
    // What is no number the office would type is read up to its first other character.
    EXPECT_EQ(read_stored_amount(" 12.5 each"), 1250);
    EXPECT_EQ(read_stored_amount("1,5"), 100);
    EXPECT_EQ(read_stored_amount("NO PRICE"), 0);
    EXPECT_EQ(read_stored_amount(""), 0);
    EXPECT_EQ(read_stored_amount("-3.255x"), -326);
    // Far-out values are held at a bound, so sums of them never overflow.
    Pence huge = read_stored_amount(std::string(60, '9'));
    EXPECT_GT(huge, LARGEST_AMOUNT);
    EXPECT_EQ(read_stored_amount("-" + std::string(60, '9')), -huge);
    Pence total = 0;
    for (int i = 0; i < 1000; ++i) total = sum_of(total, huge);
    EXPECT_EQ(total, huge);
}

TEST(AmountTexts, KeepTheNumberTextForm) {
    EXPECT_EQ(amount_text(40100), " 401");
    EXPECT_EQ(amount_text(7018), " 70.18");
    EXPECT_EQ(amount_text(5), " 0.05");
    EXPECT_EQ(amount_text(0), " 0");
    EXPECT_EQ(amount_text(-50), " -0.50");
    EXPECT_EQ(amount_text(-300), " -3");
    EXPECT_EQ(amount_text(LARGEST_AMOUNT), " 99999999.99");
    EXPECT_EQ(share_of(10, 175), 2);    // 1.75 pence
    EXPECT_EQ(share_of(2, 175), 0);     // 0.35
    EXPECT_EQ(share_of(20, 175), 4);    // 3.5: the half goes up
    EXPECT_EQ(share_of(-20, 175), -4);  // and a credit's half away from zero
    EXPECT_EQ(line_amount({12950, 2}, {3, 0}), 38850);
    EXPECT_EQ(line_amount({999999999999, 0}, {999999999999, 0}) > LARGEST_AMOUNT, true);
}

TEST(LineFields, RefusalsNameTheFieldAndTheText) {
    EXPECT_EQ(read_line_fields({{"Each", "129.50"}, {"Number", "3"}}).amount, 38850);
    EXPECT_EQ(read_line_fields({{"Each", "129.50"}, {"Number", "1,5"}}).refusal,
              "\"1,5\" in \"Number\" is not a number");
    EXPECT_EQ(read_line_fields({{"Each", "NO PRICE"}, {"Number", "1"}}).refusal,
              "\"NO PRICE\" in \"Each\" is not a number");
    EXPECT_EQ(read_line_fields({{"Each", "10"}, {"Number", "1000000000000"}}).refusal,
              "\"1000000000000\" in \"Number\" takes the invoice past 99,999,999.99");
    EXPECT_EQ(read_line_fields({{"Each", "129.50"}, {"Number", "1000000"}}).refusal,
              "The line of \"Each\" 129.50 and \"Number\" 1000000 takes the invoice past "
              "99,999,999.99");
    EXPECT_EQ(read_line_fields({{"All",
                                 "\xA3"
                                 "1,234.50"}})
                  .amount,
              123450);
    EXPECT_EQ(read_line_fields({{"All", "12 quid"}}).refusal,
              "\"12 quid\" in \"All\" is not a number");
    // Credit lines are allowed.
    EXPECT_EQ(read_line_fields({{"Each", "-45"}, {"Number", "2"}}).amount, -9000);
}

}  // namespace
}  // namespace jobs
