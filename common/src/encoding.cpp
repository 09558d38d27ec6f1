// Windows-1252 by a table of its own: 0x80-0x9F differ from Latin-1, the rest are Latin-1.
// The five bytes Windows-1252 leaves undefined map to the C1 controls of the same value, the
// way Windows itself converts them, so every byte survives a round trip.
#include "encoding.h"

#include <array>

namespace common {
namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The byte of a character, or -1 when Windows-1252 has none for it.
int byte_of(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
    }
    return -1;
}

}  // namespace

QString to_qt(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (unsigned char b : text) {
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b)));
    }
    return out;
}

std::string from_qt(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        // A character outside the basic plane arrives as two surrogates: one '?' for both.
        if (c.isLowSurrogate()) continue;
        int byte = c.isHighSurrogate() ? -1 : byte_of(c.unicode());
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return out;
}

bool fits_windows_1252(const QString& text) {
    for (QChar c : text)
        if (c.isSurrogate() || byte_of(c.unicode()) < 0) return false;
    return true;
}

}  // namespace common
