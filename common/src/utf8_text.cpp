// UTF-8 into Windows-1252, without the toolkit: the file layer stays free of Qt.
#include "common/utf8_text.h"

#include <cstdint>
#include <vector>

namespace common {
namespace {

// The characters Windows-1252 keeps at 0x80-0x9F (the rest of 0xA0-0xFF is Latin-1).
constexpr char32_t HIGH_ROW[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The plain letters of U+0100-U+017F (Latin Extended-A), in order.
constexpr char EXTENDED_A[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSs"
    "SsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// Decodes the bytes; false when they are not well-formed UTF-8.
bool decode(const std::string& bytes, std::vector<char32_t>& out) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = lead < 0x80           ? 1
                     : (lead >> 5) == 0x6  ? 2
                     : (lead >> 4) == 0xE  ? 3
                     : (lead >> 3) == 0x1E ? 4
                                           : 0;
        if (length == 0 || i + std::size_t(length) > bytes.size()) return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + std::size_t(k)]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t SMALLEST[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < SMALLEST[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        out.push_back(c);
        i += std::size_t(length);
    }
    return true;
}

char byte_for(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (HIGH_ROW[i] == c && c != 0) return static_cast<char>(0x80 + i);
    }
    if (c >= 0x100 && c <= 0x17F) return EXTENDED_A[c - 0x100];
    switch (c) {
        case 0x0218:  // Romanian S and T with a comma below
            return 'S';
        case 0x0219:
            return 's';
        case 0x021A:
            return 'T';
        case 0x021B:
            return 't';
        default:
            return '?';
    }
}

}  // namespace

std::optional<std::string> windows_1252_from_utf8(const std::string& bytes) {
    std::vector<char32_t> characters;
    if (!decode(bytes, characters) || characters.size() == bytes.size()) return std::nullopt;
    std::string text;
    text.reserve(characters.size());
    for (char32_t c : characters) text.push_back(byte_for(c));
    return text;
}

}  // namespace common
