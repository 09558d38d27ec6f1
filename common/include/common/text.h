// Number texts, text numbers and the small text helpers both programs use.
// Positions count from 1. Texts are single-byte (Windows-1252).
#pragma once

#include <string>

namespace common {

// A text entering a 255-byte field keeps at most this many characters.
inline constexpr std::size_t MAX_TEXT = 254;
std::string field_text(const std::string& text);  // cut to MAX_TEXT

// " 5", " -3", " 2.50", " -0.13": a leading space, whole values without decimals, others with
// two (rounded from the stored binary value).
std::string number_text(double number);
// Skips spaces and tabs, an optional "-", digits, an optional "." and digits; stops at the
// first other character. No plus sign, no exponent. Empty or no digits: 0.
double text_number(const std::string& text);
// text_number rounded to the nearest integer, the way integer variables receive numbers.
long text_integer(const std::string& text);

std::string left_text(const std::string& text, long n);
std::string right_text(const std::string& text, long n);
std::string mid_text(const std::string& text, long start, long n = -1);
long find_text(const std::string& text, const std::string& part, long start = 1);
std::string lower_text(const std::string& text);
std::string upper_text(const std::string& text);
std::string trim_left(const std::string& text);
std::string trim_right(const std::string& text);
std::string char_text(int code);
std::string spaces(long n);
long length_of(const std::string& text);

}  // namespace common
