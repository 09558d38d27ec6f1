// Money in pence and exact decimals. Products and shares are worked in 128 bits, so no figure an
// invoice can hold ever loses a penny on the way.
#include "money.h"

#include <cstdlib>
#include <string_view>

namespace jobs {

namespace {

using Wide = __int128;

constexpr char POUND = '\xA3';
// Whole digits and decimals a typed number may have: 12 + 6 digits fit 64 bits with room, and
// no invoice needs more.
constexpr int MOST_WHOLE_DIGITS = 12;
constexpr int MOST_DECIMALS = 6;
// Where amounts read from old files, and sums of them, are held: far beyond any invoice, far
// within 64 bits, so that adding a few thousand of them can never overflow.
constexpr Pence AMOUNT_BOUND = 100'000'000'000'000'000;  // 10^17 pence

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

Wide power_of_ten(int n) {
    Wide p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

Pence held(Wide amount) {
    if (amount > AMOUNT_BOUND) return AMOUNT_BOUND;
    if (amount < -AMOUNT_BOUND) return -AMOUNT_BOUND;
    return static_cast<Pence>(amount);
}

// n / d rounded half away from zero (d > 0).
Wide divided_rounded(Wide n, Wide d) {
    Wide magnitude = n < 0 ? -n : n;
    Wide q = (magnitude + d / 2) / d;
    return n < 0 ? -q : q;
}

// A decimal in pence: more than two decimals are rounded half away from zero.
Wide pence_of(const Decimal& value) {
    if (value.places <= 2) return Wide(value.digits) * power_of_ten(2 - value.places);
    return divided_rounded(value.digits, power_of_ten(value.places - 2));
}

// Digits as they are read, into the number they make: leading zeros dropped, the trailing
// zeros of the decimals held back until a later digit needs them. Nothing is allocated, since
// every cell of an invoice is read this way on every tick.
struct Digits {
    std::int64_t value = 0;
    int whole_digits = 0;  // significant digits before the point
    int places = 0;
    int held_zeros = 0;
    bool any = false;
    bool too_precise = false;

    void whole(char c) {
        any = true;
        if (value == 0 && c == '0') return;
        if (++whole_digits <= MOST_WHOLE_DIGITS) value = value * 10 + (c - '0');
    }
    void decimal(char c) {
        any = true;
        if (c == '0') {
            ++held_zeros;
            return;
        }
        if (places + held_zeros >= MOST_DECIMALS) {
            too_precise = true;
            return;
        }
        for (; held_zeros > 0; --held_zeros, ++places) value *= 10;
        value = value * 10 + (c - '0');
        ++places;
    }
};

// A run of whole digits from text[i]; returns how many there were.
std::size_t whole_run(std::string_view text, std::size_t& i, Digits& digits) {
    std::size_t start = i;
    for (; i < text.size() && is_digit(text[i]); ++i) digits.whole(text[i]);
    return i - start;
}

// The whole part: digits, or groups of three after a first group of one to three, divided by
// commas. False when the commas stand anywhere else.
bool read_whole_part(std::string_view text, std::size_t& i, Digits& digits) {
    std::size_t first = whole_run(text, i, digits);
    if (i >= text.size() || text[i] != ',') return true;
    if (first == 0 || first > 3) return false;
    while (i < text.size() && text[i] == ',') {
        ++i;
        if (whole_run(text, i, digits) != 3) return false;
    }
    return true;
}

// The old reading of a number text: blanks, a minus sign, digits, "." and decimals, up to the
// first other character.
Pence lenient_amount(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    Wide pence = 0;
    for (; i < text.size() && is_digit(text[i]); ++i)
        if (pence < AMOUNT_BOUND) pence = pence * 10 + (text[i] - '0') * 100;
    if (i < text.size() && text[i] == '.') {
        Wide scale = 10;
        Wide fraction = 0;  // in hundredths of a penny, enough to round once
        for (++i; i < text.size() && is_digit(text[i]); ++i) {
            if (scale <= 10000) fraction += (text[i] - '0') * (10000 / scale);
            scale *= 10;
        }
        pence += (fraction + 50) / 100;
    }
    return held(negative ? -pence : pence);
}

}  // namespace

TypedNumber read_typed_number(const std::string& text) {
    std::size_t from = 0, end = text.size();
    while (from < end && is_blank(text[from])) ++from;
    while (end > from && is_blank(text[end - 1])) --end;
    const std::string_view number = std::string_view(text).substr(from, end - from);
    bool negative = false, pound = false;
    std::size_t at = 0;
    for (int sign = 0; sign < 2 && at < number.size(); ++sign) {
        if (number[at] == '-' && !negative) {
            negative = true;
            ++at;
        } else if (number[at] == POUND && !pound) {
            pound = true;
            ++at;
        }
    }
    Digits digits;
    if (!read_whole_part(number, at, digits)) return {};
    if (at < number.size() && number[at] == '.')
        for (++at; at < number.size() && is_digit(number[at]); ++at) digits.decimal(number[at]);
    if (at != number.size() || !digits.any || digits.too_precise) return {};
    if (digits.whole_digits > MOST_WHOLE_DIGITS) return {Reading::TooLarge, {}};
    return {Reading::Number, {negative ? -digits.value : digits.value, digits.places}};
}

TypedAmount read_typed_amount(const std::string& text) {
    TypedNumber typed = read_typed_number(text);
    if (typed.reading != Reading::Number) return {typed.reading, 0};
    Wide pence = pence_of(typed.value);
    if (!within_invoice_range(held(pence))) return {Reading::TooLarge, 0};
    return {Reading::Number, static_cast<Pence>(pence)};
}

Pence read_stored_amount(const std::string& text) {
    TypedNumber typed = read_typed_number(text);
    if (typed.reading == Reading::Number) return held(pence_of(typed.value));
    return lenient_amount(text);
}

Pence line_amount(const Decimal& unit_price, const Decimal& quantity) {
    Wide product = Wide(unit_price.digits) * quantity.digits;
    int places = unit_price.places + quantity.places;
    if (places <= 2) return held(product * power_of_ten(2 - places));
    return held(divided_rounded(product, power_of_ten(places - 2)));
}

Pence share_of(Pence amount, int per_mille) {
    return held(divided_rounded(Wide(amount) * per_mille, 1000));
}

Pence sum_of(Pence a, Pence b) {
    return held(Wide(a) + b);
}

bool within_invoice_range(Pence amount) {
    return amount <= LARGEST_AMOUNT && amount >= -LARGEST_AMOUNT;
}

std::string amount_text(Pence amount) {
    std::string text(1, ' ');
    if (amount < 0) text += '-';
    Pence magnitude = std::llabs(amount);
    text += std::to_string(magnitude / 100);
    if (Pence pence = magnitude % 100; pence != 0) {
        text += '.';
        text += static_cast<char>('0' + pence / 10);
        text += static_cast<char>('0' + pence % 10);
    }
    return text;
}

}  // namespace jobs
