// The faces the programs name are drawn in installed faces of the widths the layouts were
// drawn for, the same on every machine set up by install-deps.sh.
#include "fonts.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <string>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

extern char** environ;

namespace {

double letter_width(const QFont& font) {
    const QString alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return QFontMetrics(font).horizontalAdvance(alphabet) / 52.0;
}

// The classic 8-point dialog font averages about 5.5 pixels a letter at 96 dpi and is 13
// pixels high; fontconfig's default stand-in averages 6.8 and cut the layouts' captions.
TEST(Fonts, DialogFontMeasuresLikeTheClassicEightPointFont) {
    QFont font = dialog_font();
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans Narrow")
        << "install fonts-liberation (scripts/install-deps.sh)";
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_GE(letter_width(font), 4.8);
    EXPECT_LE(letter_width(font), 5.8);
    EXPECT_LE(QFontMetrics(font).height(), 13);
    // Every control's default, from the first window on.
    common::testing::Driver driver;
    Window window;
    ASSERT_EQ(open_window(window, 0, 0, 300, 200, 0, nullptr, "Fonts", nullptr), 1);
    EXPECT_EQ(QApplication::font().family(), font.family());
}

TEST(Fonts, FacesTheProgramsNameMapToInstalledFaces) {
    EXPECT_EQ(installed_face("MS Sans Serif"), installed_face("ANSI_CHARSET"));
    EXPECT_EQ(installed_face("MS Sans Serif"), dialog_font().family());
    EXPECT_EQ(installed_face("CENTURY_GOTHIC"), "URW Gothic")
        << "install fonts-urw-base35 (scripts/install-deps.sh)";
    EXPECT_EQ(installed_face("Arial"), "Arial");  // no stand-in: passed on as named

    common::testing::Driver driver;
    Window window;
    ASSERT_EQ(open_window(window, 0, 0, 300, 200, 0, nullptr, "Fonts", nullptr), 1);
    add_control(window, KIND_STATIC, "Message...", 5, 9, 190, 23, 0x5000010B, 21);
    set_font(window, "CENTURY_GOTHIC", 16, 900, 0xFF0000, 21);
    QFontInfo shown(control_widget(window, 21)->font());
    EXPECT_TRUE(shown.family().startsWith("URW Gothic"));
    EXPECT_GE(shown.weight(), 600);  // the Demi cut stands in for the heavy weight
    set_font(window, "ANSI_CHARSET", 8, 100, 0xFF0000, 21);
    EXPECT_EQ(QFontInfo(control_widget(window, 21)->font()).family(), "Liberation Sans Narrow");
    close_window(window);
}

// The fonts are read on a thread of their own while the program starts. A program that ended
// before asking for any face once aborted at exit, that thread still held; each run here ends
// at once, while the reading is still going on.
TEST(Fonts, AProgramEndingBeforeItAsksForAFaceEndsCleanly) {
    char probe[] = KEZ_START_AND_END_PROBE;
    char* arguments[] = {probe, nullptr};
    for (int run = 1; run <= 25; ++run) {
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, probe, nullptr, nullptr, arguments, environ), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "run " << run << " ended "
            << (WIFSIGNALED(status) ? "by signal " + std::to_string(WTERMSIG(status))
                                    : "with status " + std::to_string(WEXITSTATUS(status)));
    }
}

}  // namespace
