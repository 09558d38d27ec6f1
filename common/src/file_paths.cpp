// Path texts. The programs join paths with "\\" the way the office's Windows desktop does; the
// same texts must work on every platform, so the separators are made native here.
#include <string>

#include "common/files.h"
#include "open_file.h"

namespace common {

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

#ifdef _WIN32
constexpr char SEPARATOR = '\\';
// A network path ("\\\\server\\share") keeps its leading pair.
constexpr bool KEEP_LEADING_PAIR = true;
#else
constexpr char SEPARATOR = '/';
// POSIX has no network paths of that form: "//x" is just "/x".
constexpr bool KEEP_LEADING_PAIR = false;
#endif

// Windows-1252 code points 128..159 (0 where the code page has no character); 160..255 are the
// same code points as Latin-1.
constexpr char16_t WINDOWS_1252_HIGH[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// True when the text has bytes above 127 and they all form well-made UTF-8 sequences.
bool is_utf8_beyond_ascii(const std::string& text) {
    bool beyond = false;
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t follow = c < 0x80             ? 0
                             : (c & 0xE0) == 0xC0 ? 1
                             : (c & 0xF0) == 0xE0 ? 2
                             : (c & 0xF8) == 0xF0 ? 3
                                                  : 99;
        if (follow == 99 || (follow == 1 && c < 0xC2)) return false;
        if (follow > 0 && i + follow >= text.size()) return false;
        for (std::size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        beyond = beyond || follow > 0;
        i += follow + 1;
    }
    return beyond;
}

std::string windows_1252_to_utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char byte : text) {
        auto c = static_cast<unsigned char>(byte);
        char32_t code = c;
        if (c >= 0x80 && c < 0xA0)
            code = WINDOWS_1252_HIGH[c - 0x80] ? WINDOWS_1252_HIGH[c - 0x80] : 0xFFFD;
        append_utf8(out, code);
    }
    return out;
}

}  // namespace

std::string native_path(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (!is_separator(c)) {
            out += c;
            continue;
        }
        bool leading_pair = KEEP_LEADING_PAIR && i == 1 && out.size() == 1;
        if (!out.empty() && out.back() == SEPARATOR && !leading_pair) continue;
        out += SEPARATOR;
    }
    return out;
}

std::string base_name(const std::string& path) {
    std::size_t start = path.find_last_of("\\/");
    std::string name = start == std::string::npos ? path : path.substr(start + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string system_path(const std::string& path) {
    std::string native = native_path(path);
#ifdef _WIN32
    return native;  // the ANSI file functions take the office's code page as it is
#else
    bool ascii = true;
    for (char c : native) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii || is_utf8_beyond_ascii(native)) return native;
    return windows_1252_to_utf8(native);
#endif
}

}  // namespace common
