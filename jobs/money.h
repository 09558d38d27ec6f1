// Money in whole pence, quantities as exact decimals, and the two ways a number text is read:
// strictly, as the office types it into a field, and leniently, as the cells of old job files
// have always been read. Nothing here is binary floating point: an invoice is a document the
// firm stands behind, and its figures must add up to the penny.
#pragma once

#include <cstdint>
#include <string>

namespace jobs {

// An amount of money in pence.
using Pence = std::int64_t;

// The largest figure an invoice holds exactly: 99,999,999.99.
inline constexpr Pence LARGEST_AMOUNT = 9'999'999'999;

// digits x 10^-places: 2.5 is {25, 1}; a unit price of 129.50 is {12950, 2}.
struct Decimal {
    std::int64_t digits = 0;
    int places = 0;
};

enum class Reading {
    Number,      // the text means this number
    NotANumber,  // "abc", "1,5", "2 boxes of 10", "1e12", "" ...
    TooLarge,    // a number, but beyond anything an invoice can hold
};

struct TypedNumber {
    Reading reading = Reading::NotANumber;
    Decimal value;
};

// A number as the office types it: blanks around it, an optional "£" (byte 163) and minus sign
// in either order, digits with or without thousands commas (each comma followed by exactly three
// digits), and an optional "." with decimals: "£75", "75.00", " 1,234.50", "£1,234.50", "-3".
// Anything else is not a number.
TypedNumber read_typed_number(const std::string& text);

// An amount of money as the office types it, rounded half away from zero to the penny.
// NotANumber and TooLarge as for read_typed_number; TooLarge also past LARGEST_AMOUNT.
struct TypedAmount {
    Reading reading = Reading::NotANumber;
    Pence pence = 0;
};
TypedAmount read_typed_amount(const std::string& text);

// An amount already stored in a cell or a file: read as the office types it when it is such a
// number, otherwise as it always was (blanks skipped, a minus sign, digits, "." and decimals, up
// to the first other character; no digits give 0). Never fails; far-out values are held at a
// bound beyond any invoice.
Pence read_stored_amount(const std::string& text);

// unit price x quantity, rounded half away from zero to the penny (a credit line rounds the
// same way as the sale it reverses), held at the same bound as stored amounts.
Pence line_amount(const Decimal& unit_price, const Decimal& quantity);

// The share of an amount given in tenths of a per cent (175 is 17.5 %), rounded half away from
// zero to the penny.
Pence share_of(Pence amount, int per_mille);

// Sum of amounts, held at the bound.
Pence sum_of(Pence a, Pence b);

// True when a figure lies within what an invoice holds exactly (either sign).
bool within_invoice_range(Pence amount);

// The number text of an amount: a leading blank, whole pounds without decimals, others with two:
// " 401", " 70.18", " -0.50", " 0".
std::string amount_text(Pence amount);

}  // namespace jobs
