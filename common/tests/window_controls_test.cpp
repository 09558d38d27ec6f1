// Controls through the real widgets: texts, checks, visibility, colours and fonts, and which of
// the user's and the program's actions send events.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

namespace {

struct Seen {
    int event_class;
    int control_id;
    int notify_code;
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            open_window(
                window, 10, 10, 400, 300, 0, nullptr, "Test",
                [this](Window&) {
                    seen.push_back({event().event_class, event().control_id, event().notify_code});
                    return 0;
                }),
            1);
    }
    std::vector<Seen> control_events() const {
        std::vector<Seen> out;
        for (const Seen& s : seen) {
            if (s.event_class == EV_CONTROL) out.push_back(s);
        }
        return out;
    }
    common::testing::Driver driver;
    Window window;
    std::vector<Seen> seen;
};

TEST_F(Controls, ButtonClickReportsClickedAndCheckBoxToggles) {
    add_control(window, KIND_BUTTON, "Go", 5, 5, 60, 20, 0, 1);
    add_control(window, KIND_CHECK_BOX, "Box", 5, 30, 60, 20, 0x50000003, 2);
    driver.click(window, 1);
    driver.check(window, 2, true);
    driver.check(window, 2, true);  // already checked: no second click
    auto events = control_events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].control_id, 1);
    EXPECT_EQ(events[0].notify_code, NOTIFY_CLICKED);
    EXPECT_EQ(events[1].control_id, 2);
    EXPECT_EQ(get_check(window, 2), 1);
    set_check(window, 2, 0);
    EXPECT_EQ(get_check(window, 2), 0);
    EXPECT_EQ(control_events().size(), 2u);  // the program's own change sends nothing
    enable_control(window, 1, false);
    EXPECT_FALSE(is_enabled(window, 1));
    driver.click(window, 1);  // a disabled button cannot be pressed
    EXPECT_EQ(control_events().size(), 2u);
}

TEST_F(Controls, ClosedWindowAndMissingIdsGiveEmptyResults) {
    add_control(window, KIND_EDIT, "text", 5, 5, 60, 20, 0, 1);
    EXPECT_EQ(get_control_text(window, 99), "");
    EXPECT_EQ(list_count(window, 99), -1);
    EXPECT_EQ(get_check(window, 99), -1);
    EXPECT_FALSE(has_control(window, 99));
    EXPECT_EQ(get_rect(window, 99).width, 0);
    set_control_text(window, 99, "nothing");  // must not crash
    close_window(window);
    EXPECT_FALSE(window.is_open());
    EXPECT_EQ(get_control_text(window, 1), "");
    EXPECT_EQ(list_count(window, 1), -1);
    EXPECT_EQ(list_get(window, 1, 0), "");
    EXPECT_EQ(list_get_selected(window, 1), -1);
    EXPECT_EQ(control_command(window, 1, LV_ROW_COUNT), 0);
    EXPECT_EQ(get_window_title(window), "");
    EXPECT_EQ(get_rect(window).width, 0);
    EXPECT_FALSE(is_visible(window));
    EXPECT_EQ(deliver_event(window, EV_CONTROL, 1, 0), 0);
    EXPECT_TRUE(control_events().empty());
    add_control(window, KIND_EDIT, "late", 5, 5, 60, 20, 0, 2);
    EXPECT_FALSE(has_control(window, 2));
    set_text_color(window, 0);
    print_text(window, "x");
    EXPECT_TRUE(printed_texts(window).empty());
}

TEST_F(Controls, DuplicateIdCreatesNothingAndHiddenStyleHides) {
    add_control(window, KIND_EDIT, "first", 5, 5, 60, 20, 0, 1);
    add_control(window, KIND_BUTTON, "second", 5, 30, 60, 20, 0, 1);
    EXPECT_EQ(get_control_text(window, 1), "first");
    EXPECT_EQ(get_check(window, 1), -1);                             // still the edit, not a button
    add_control(window, KIND_STATIC, "shown", 5, 60, 60, 20, 0, 2);  // no WS_VISIBLE: shown
    add_control(window, KIND_STATIC, "hidden", 5, 90, 60, 20, 0x50080000, 3);
    EXPECT_TRUE(is_visible(window, 2));
    EXPECT_FALSE(is_visible(window, 3));
    EXPECT_EQ(get_control_text(window, 3), "hidden");
}

TEST_F(Controls, CheckStateOnlyOnButtons) {
    add_control(window, KIND_EDIT, "", 5, 5, 60, 20, 0x50800000, 1);
    add_control(window, KIND_BUTTON, "Push", 5, 30, 60, 20, 0, 2);
    add_control(window, KIND_RADIO, "One", 5, 60, 60, 20, 0, 3);
    add_control(window, KIND_STATIC, "Label", 5, 90, 60, 20, 0, 4);
    set_check(window, 1, 1);
    EXPECT_EQ(get_check(window, 1), -1);
    EXPECT_EQ(get_check(window, 4), -1);
    EXPECT_EQ(get_check(window, 2), 0);
    EXPECT_EQ(get_check(window, 3), 0);
    driver.click(window, 3);
    EXPECT_EQ(get_check(window, 3), 1);
    ASSERT_EQ(control_events().size(), 1u);
    EXPECT_EQ(control_events()[0].control_id, 3);
}

TEST_F(Controls, EditStartsWithCaptionAndReportsOnlyTyping) {
    add_control(window, KIND_EDIT, "start", 5, 5, 100, 20, 0x50800080, 1);
    add_control(window, KIND_EDIT, "", 5, 30, 100, 60, ES_MULTILINE, 2);
    EXPECT_EQ(get_control_text(window, 1), "start");
    set_control_text(window, 1, "program");
    set_control_text(window, 2, "line one\r\nline two");
    EXPECT_TRUE(control_events().empty());
    EXPECT_EQ(get_control_text(window, 2), "line one\r\nline two");
    driver.type(window, 1, "typed");
    driver.type(window, 2, "a\r\nb");
    EXPECT_EQ(get_control_text(window, 1), "typed");
    EXPECT_EQ(get_control_text(window, 2), "a\r\nb");
    auto events = control_events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().control_id, 1);
    EXPECT_EQ(events.front().notify_code, NOTIFY_EDIT_CHANGE);
    EXPECT_EQ(events.back().control_id, 2);
    EXPECT_EQ(events.back().notify_code, NOTIFY_EDIT_CHANGE);
    driver.type(window, 1, "");
    EXPECT_EQ(get_control_text(window, 1), "");
}

TEST_F(Controls, TextsKeepEveryWindows1252Byte) {
    add_control(window, KIND_EDIT, "", 5, 5, 100, 20, 0, 1);
    add_control(window, KIND_STATIC, "", 5, 30, 100, 20, 0, 2);
    std::string pounds =
        "\xA3"
        "5.00 \x80 caf\xE9";
    set_control_text(window, 1, pounds);
    driver.type(window, 2, "unchanged");  // typing into a static does nothing
    set_control_text(window, 2, pounds);
    EXPECT_EQ(get_control_text(window, 1), pounds);
    EXPECT_EQ(get_control_text(window, 2), pounds);
    auto* edit = qobject_cast<QLineEdit*>(control_widget(window, 1));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString::fromUtf8("£5.00 € café"));
}

TEST_F(Controls, ColoursAndFontsReachTheWidgets) {
    add_control(window, KIND_STATIC, "Label", 5, 5, 100, 20, 0, 1);
    add_control(window, KIND_BUTTON, "Drawn", 5, 30, 100, 20, 0, 2);
    set_control_color(window, 1, rgb(255, 0, 0), rgb(0, 0, 255));
    QWidget* label = control_widget(window, 1);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 0, 255));
    set_control_color(window, 2, rgb(0, 128, 0), rgb(255, 255, 0));
    QString sheet = control_widget(window, 2)->styleSheet();
    EXPECT_TRUE(sheet.contains("#008000")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("#ffff00")) << sheet.toStdString();
    set_font(window, "Arial", 12, 900, 0xFF0011, 1);
    QFont font = label->font();
    EXPECT_EQ(font.weight(), QFont::Black);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    double dpi = label->screen()->logicalDotsPerInchY();
    EXPECT_EQ(font.pixelSize(), static_cast<int>(std::lround(12 * dpi / 72.0)));
}

// The job manager's main frame is black; its message field once took that background and
// showed black on black.
TEST_F(Controls, ControlsKeepSystemColoursOnAColouredWindow) {
    set_window_color(window, rgb(0, 0, 0));
    add_control(window, KIND_STATIC, "Message...", 5, 5, 100, 20, 0x5000010B, 1);
    add_control(window, KIND_CHECK_BOX, "Calc..", 5, 30, 100, 20, 0x50000003, 2);
    QWidget* label = control_widget(window, 1);
    EXPECT_NE(label->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_NE(label->palette().color(QPalette::Window),
              label->palette().color(QPalette::WindowText));
    // A disabled control still looks disabled.
    enable_control(window, 2, false);
    QWidget* box = control_widget(window, 2);
    EXPECT_NE(box->palette().color(QPalette::Disabled, QPalette::WindowText),
              box->palette().color(QPalette::Active, QPalette::WindowText));
}

// The to-do program's date separators reach over the fields beside them; the fields must stay
// on top and keep room for their digits.
TEST_F(Controls, LabelsNeverHideTheNarrowFieldsBesideThem) {
    add_control(window, KIND_EDIT, "12", 148, 80, 20, 20, 0x10000, 1);
    add_control(window, KIND_STATIC, "-", 142, 82, 20, 20, 0x5000010B, 2);
    QWidget* field = control_widget(window, 1);
    QWidget* shown = field->parentWidget()->childAt(155, 90);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown == field || field->isAncestorOf(shown));
    QFontMetrics metrics(field->font());
    EXPECT_GE(field->contentsRect().width(), metrics.horizontalAdvance("12"));
}

// What is seen where controls overlap: the first made lies on top, except that a label's
// empty box never hides a field or another label's text, and a group box never covers the
// controls framed by it.
TEST_F(Controls, OverlappingControlsStackTheFirstMadeOnTop) {
    add_control(window, KIND_BUTTON, "First", 10, 10, 60, 20, 0, 1);
    add_control(window, KIND_BUTTON, "Second", 40, 15, 60, 20, 0, 2);
    // "Decrease priority" made before "(1 = highest)" above it: it keeps its top rows.
    add_control(window, KIND_STATIC, "Decrease priority", 33, 113, 90, 20, 0x5000010B, 3);
    add_control(window, KIND_STATIC, "(1 = highest)", 33, 97, 90, 20, 0x5000010B, 4);
    // "Priority" reaches over the start of "Date created", made after it.
    add_control(window, KIND_STATIC, "Priority", 1, 150, 70, 20, 0x5000010B, 5);
    add_control(window, KIND_STATIC, "Date created", 45, 150, 70, 20, 0x5000010B, 6);
    // A frame made first round a check box made after it.
    add_control(window, KIND_GROUP_BOX, "Frame", 200, 10, 150, 80, 0x50000007, 7);
    add_control(window, KIND_CHECK_BOX, "Inside", 210, 40, 100, 20, 0x50000003, 8);
    add_control(window, KIND_STATIC, "Label first", 200, 200, 80, 20, 0x5000010B, 9);
    add_control(window, KIND_EDIT, "field", 240, 200, 80, 20, 0x50800000, 10);
    QWidget* area = window.native->widget;
    auto at = [&](int x, int y) {
        QWidget* shown = area->childAt(x, y);
        for (auto& [id, control] : window.native->controls) {
            if (control.widget == shown || (shown && control.widget->isAncestorOf(shown)))
                return id;
        }
        return 0;
    };
    EXPECT_EQ(at(50, 20), 1);
    EXPECT_EQ(at(50, 115), 3);
    EXPECT_EQ(at(50, 100), 4);
    EXPECT_EQ(at(50, 155), 6);
    EXPECT_EQ(at(20, 155), 5);
    EXPECT_EQ(at(220, 50), 8);
    EXPECT_EQ(at(250, 210), 10);
}

// The job manager's frame is black: the status bar shows its own light face and dark text
// over everything, child windows included.
TEST_F(Controls, StatusBarIsReadableOverAColouredWindow) {
    add_control(window, KIND_STATUS_BAR, "loading products file: KezPriceList.dat", 0, 0, 0, 0, 0,
                9);
    set_window_color(window, rgb(0, 0, 0));
    Window child;
    ASSERT_EQ(open_window(child, 0, 200, 400, 100, 0x800040, &window, "Child", nullptr), 1);
    QWidget* bar = control_widget(window, 9);
    QWidget* area = window.native->widget;
    QPoint middle = bar->geometry().center();
    QWidget* on_top = area->childAt(middle);
    EXPECT_TRUE(on_top == bar || bar->isAncestorOf(on_top));
    QImage shown = area->grab().toImage().copy(bar->geometry());
    int light = 0, dark = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            int grey = qGray(shown.pixel(x, y));
            light += grey > 200;
            dark += grey < 100;
        }
    }
    EXPECT_GT(light, shown.width() * shown.height() / 2);
    EXPECT_GT(dark, 40);
    close_window(child);
}

TEST_F(Controls, RectsAndPlacement) {
    add_control(window, KIND_BUTTON, "B", 20, 30, 60, 25, 0, 1);
    Rect control = get_rect(window, 1);
    Rect whole = get_rect(window);
    EXPECT_EQ(control.width, 60);
    EXPECT_EQ(control.height, 25);
    QPoint origin = window.native->widget->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(control.left, origin.x() + 20);
    EXPECT_EQ(control.top, origin.y() + 30);
    EXPECT_GE(whole.width, 400);
    set_rect(window, 5, 6, 70, 30, 1);
    EXPECT_EQ(control_widget(window, 1)->geometry(), QRect(5, 6, 70, 30));
    set_rect(window, 50, 60, 300, 200);
    EXPECT_EQ(window.native->widget->size(), QSize(300, 200));
}

TEST_F(Controls, StatusBarStaysAlongTheBottom) {
    add_control(window, KIND_STATUS_BAR, "ready", 0, 0, 0, 0, 0, 9);
    EXPECT_EQ(get_control_text(window, 9), "ready");
    set_control_text(window, 9, "saving job ...");
    EXPECT_EQ(get_control_text(window, 9), "saving job ...");
    QWidget* bar = control_widget(window, 9);
    EXPECT_EQ(bar->geometry().bottom(), window.native->widget->height() - 1);
    set_rect(window, 0, 0, 500, 400);
    EXPECT_EQ(bar->geometry().bottom(), 399);
    EXPECT_EQ(bar->width(), 500);
}

TEST_F(Controls, ChildWindowLivesInsideItsParentAndClosesWithIt) {
    Window child;
    ASSERT_EQ(open_window(child, 2, 43, 210, 260, 0x800040, &window, "Job", nullptr), 1);
    EXPECT_EQ(child.native->widget->parentWidget(), window.native->widget);
    EXPECT_EQ(child.native->widget->geometry(), QRect(2, 43, 210, 260));
    add_control(child, KIND_EDIT, "in child", 5, 5, 60, 20, 0, 1);
    close_window(window);
    EXPECT_FALSE(child.is_open());
    EXPECT_EQ(get_control_text(child, 1), "");
    Window orphan;
    EXPECT_EQ(open_window(orphan, 0, 0, 10, 10, 0, &window, "", nullptr), 0);
}

TEST_F(Controls, CloseBoxAsksTheHandlerAndTheWindowStays) {
    driver.close_box(window);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().event_class, EV_CLOSE);
    EXPECT_TRUE(window.is_open());
}

TEST_F(Controls, AHandlerMayCloseAndReopenItsWindowFromItsOwnButton) {
    int opened = 0;
    window.handler = [&](Window& w) {
        if (event().event_class != EV_CONTROL) return 0;
        close_window(w);
        if (event().control_id == 2) {
            open_window(w, 0, 0, 200, 100, 0, nullptr, "Again", w.handler);
            add_control(w, KIND_BUTTON, "Again", 5, 5, 60, 20, 0, 2);
            ++opened;
        }
        return 0;
    };
    add_control(window, KIND_BUTTON, "Reopen", 5, 5, 60, 20, 0, 2);
    driver.click(window, 2);
    driver.process_events();  // the old widgets go here, with no handler of theirs running
    ASSERT_TRUE(window.is_open());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(get_window_title(window), "Again");
    driver.click(window, 2);
    driver.process_events();
    EXPECT_EQ(opened, 2);
    add_control(window, KIND_BUTTON, "Close", 5, 30, 60, 20, 0, 3);
    driver.click(window, 3);
    driver.process_events();
    EXPECT_FALSE(window.is_open());
}

}  // namespace

namespace {

// What the caption of a box on the dark red face is drawn in: the face has no green, the caption
// has, as much as it is light.
struct CaptionLook {
    int pixels = 0;     // pixels of the caption
    int brightest = 0;  // the most green any of them has
};

CaptionLook caption_look(const QImage& image) {
    CaptionLook look;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            int green = image.pixelColor(x, y).green();
            if (green < 60) continue;
            ++look.pixels;
            look.brightest = std::max(look.brightest, green);
        }
    return look;
}

}  // namespace

// The job manager's locked "Instalation" box, white on dark red, looked exactly like an enabled
// one: disabled, its caption is drawn halfway to the face.
TEST_F(Controls, ALockedBoxOnAColouredFaceIsDrawnGreyed) {
    set_window_color(window, rgb(100, 0, 0));
    add_control(window, KIND_CHECK_BOX, "Instalation", 5, 5, 120, 23, 0x50000003, 1);
    set_control_color(window, 1, rgb(255, 255, 255), rgb(100, 0, 0));
    QWidget* box = control_widget(window, 1);
    QImage enabled = box->grab().toImage();
    enable_control(window, 1, false);
    QImage locked = box->grab().toImage();
    CaptionLook white = caption_look(enabled), greyed = caption_look(locked);
    EXPECT_GT(white.pixels, 20);
    EXPECT_GE(white.brightest, 220);  // white
    EXPECT_GT(greyed.pixels, 20);     // still readable
    EXPECT_LE(greyed.brightest, 140);  // halfway to the face: greyed
    // The face stays the program's dark red.
    EXPECT_EQ(locked.pixelColor(locked.width() - 2, locked.height() / 2), QColor(100, 0, 0));
    enable_control(window, 1, true);
    EXPECT_EQ(box->grab().toImage(), enabled);
}
