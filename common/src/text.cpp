// Number texts and the small text helpers. Numbers are turned into text and back without the
// C locale: the windowing toolkit may switch the process to a locale whose decimal point is a
// comma, and the office's files always use ".".
#include "common/text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace common {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// Windows-1252 letters beyond ASCII come in upper/lower pairs 0x20 apart (À..Þ / à..þ, except
// × and ÷), plus four pairs in 0x80..0x9F.
char lower_char(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        u += 0x20;
    else if (u == 0x8A || u == 0x8C || u == 0x8E)
        u += 0x10;
    else if (u == 0x9F)
        u = 0xFF;
    return static_cast<char>(u);
}

char upper_char(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        u -= 0x20;
    else if (u == 0x9A || u == 0x9C || u == 0x9E)
        u -= 0x10;
    else if (u == 0xFF)
        u = 0x9F;
    return static_cast<char>(u);
}

std::string fixed_text(double number, int decimals) {
    // Whole numbers that fit a 64-bit integer are written as one, the same digits far faster
    // (a list of ten thousand entries writes and reads its priorities as number texts).
    if (decimals == 0 && std::fabs(number) < 1e15) {
        char digits[24];
        auto result = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(number));
        return std::string(digits, result.ptr);
    }
    char buffer[400];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::size_t clamp_count(long n) {
    return n < 0 ? 0 : static_cast<std::size_t>(n);
}

}  // namespace

std::string field_text(const std::string& text) {
    return text.size() > MAX_TEXT ? text.substr(0, MAX_TEXT) : text;
}

std::string number_text(double number) {
    // A failed calculation (0/0, an overflow) must not put "nan" or "inf" into a file that
    // is read back as numbers; it shows as 0, which is also what such a text would read as.
    if (!std::isfinite(number)) return " 0";
    double whole = std::trunc(number);
    // -0 is whole and is written as 0.
    std::string text(1, ' ');
    text += number == whole ? fixed_text(whole == 0 ? 0.0 : whole, 0) : fixed_text(number, 2);
    return text;
}

double text_number(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    // The number is the run of digits, with a fraction after a point, read where it stands.
    const std::size_t start = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    std::string whole_missing;  // ".5" reads as 0.5
    const char* first = text.data() + start;
    if (i == start) {
        whole_missing = "0" + text.substr(start);
        first = whole_missing.data();
    }
    const char* last = first + (text.size() - start) + (i == start ? 1 : 0);
    double value = 0;
    auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::max();
    return negative && value != 0 ? -value : value;
}

long text_integer(const std::string& text) {
    double near = std::round(text_number(text));
    constexpr double low = static_cast<double>(std::numeric_limits<long>::min());
    constexpr double high = static_cast<double>(std::numeric_limits<long>::max());
    if (near <= low) return std::numeric_limits<long>::min();
    if (near >= high) return std::numeric_limits<long>::max();
    return static_cast<long>(near);
}

std::string left_text(const std::string& text, long n) {
    return text.substr(0, std::min(clamp_count(n), text.size()));
}

std::string right_text(const std::string& text, long n) {
    std::size_t count = std::min(clamp_count(n), text.size());
    return text.substr(text.size() - count);
}

std::string mid_text(const std::string& text, long start, long n) {
    std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from >= text.size()) return "";
    if (n < 0) return text.substr(from);
    return text.substr(from, static_cast<std::size_t>(n));
}

long find_text(const std::string& text, const std::string& part, long start) {
    std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (text.empty() || part.empty() || from >= text.size()) return 0;
    std::size_t at = text.find(part, from);
    return at == std::string::npos ? 0 : static_cast<long>(at) + 1;
}

std::string lower_text(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = lower_char(c);
    return out;
}

std::string upper_text(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = upper_char(c);
    return out;
}

std::string trim_left(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    return text.substr(i);
}

std::string trim_right(const std::string& text) {
    std::size_t n = text.size();
    while (n > 0 && is_blank(text[n - 1])) --n;
    return text.substr(0, n);
}

// Texts end at a zero byte, so code 0 gives the empty text.
std::string char_text(int code) {
    char c = static_cast<char>(code & 0xFF);
    return c == 0 ? std::string() : std::string(1, c);
}

std::string spaces(long n) {
    return std::string(clamp_count(n), ' ');
}

long length_of(const std::string& text) {
    return static_cast<long>(text.size());
}

}  // namespace common
