// Texts cross into Qt as Windows-1252: every byte keeps its meaning and comes back unchanged.
#include <gtest/gtest.h>

#include "encoding.h"

using namespace common;

namespace {

TEST(Encoding, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    QString qt = to_qt(all);
    ASSERT_EQ(qt.size(), 256);
    EXPECT_EQ(from_qt(qt), all);
}

TEST(Encoding, TheOfficesCharactersMeanWhatTheyShow) {
    EXPECT_EQ(to_qt("\xA3"), QString::fromUtf8("£"));
    EXPECT_EQ(to_qt("\x80"), QString::fromUtf8("€"));
    EXPECT_EQ(to_qt("\x92\x96\x85"), QString::fromUtf8("’–…"));
    EXPECT_EQ(to_qt("\xE9"), QString::fromUtf8("é"));
    EXPECT_EQ(from_qt(QString::fromUtf8("£12.50")),
              "\xA3"
              "12.50");
    EXPECT_EQ(from_qt(QString::fromUtf8("€ “quoted”")), "\x80 \x93quoted\x94");
    // What Windows-1252 cannot hold becomes one '?' each, emoji included.
    EXPECT_EQ(from_qt(QString::fromUtf8("a→b😀c")), "a?b?c");
}

}  // namespace
