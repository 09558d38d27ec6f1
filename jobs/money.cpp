// Money in pence and exact decimals. Products and shares are worked in 128 bits, so no figure an
// invoice can hold ever loses a penny on the way.
#include "money.h"

#include <cstdlib>

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

// Reads a run of digits from text[i]; returns how many there were.
std::size_t digit_run(const std::string& text, std::size_t& i, std::string& digits) {
    std::size_t start = i;
    while (i < text.size() && is_digit(text[i])) digits.push_back(text[i++]);
    return i - start;
}

// The whole part: digits, or groups of three after a first group of one to three, divided by
// commas. False when the commas stand anywhere else.
bool read_whole_part(const std::string& text, std::size_t& i, std::string& whole) {
    std::size_t first = digit_run(text, i, whole);
    if (i >= text.size() || text[i] != ',') return true;
    if (first == 0 || first > 3) return false;
    while (i < text.size() && text[i] == ',') {
        ++i;
        if (digit_run(text, i, whole) != 3) return false;
    }
    return true;
}

TypedNumber number_of(bool negative, std::string whole, std::string decimals) {
    std::size_t leading = whole.find_first_not_of('0');
    whole = leading == std::string::npos ? "" : whole.substr(leading);
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    if (decimals.size() > MOST_DECIMALS) return {};
    if (whole.size() > MOST_WHOLE_DIGITS) return {Reading::TooLarge, {}};
    std::int64_t digits = 0;
    for (char c : whole + decimals) digits = digits * 10 + (c - '0');
    return {Reading::Number, {negative ? -digits : digits, static_cast<int>(decimals.size())}};
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
    std::size_t i = 0, end = text.size();
    while (i < end && is_blank(text[i])) ++i;
    while (end > i && is_blank(text[end - 1])) --end;
    const std::string number = text.substr(i, end - i);
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
    std::string whole, decimals;
    if (!read_whole_part(number, at, whole)) return {};
    if (at < number.size() && number[at] == '.') {
        ++at;
        digit_run(number, at, decimals);
    }
    if (at != number.size() || (whole.empty() && decimals.empty())) return {};
    return number_of(negative, whole, decimals);
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
