// Drawing into the back buffer, images by handle, and the tool bar made from an image strip.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

namespace {

// What the window shows at a point; beyond its edges, what it keeps in its back buffer for the
// day it is made larger.
QColor pixel(Window& window, int x, int y) {
    QWidget* widget = window.native->widget;
    if (widget->rect().contains(x, y)) return widget->grab().toImage().pixelColor(x, y);
    return window.native->back_buffer.pixelColor(x, y);
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/layer_drawing_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        open_window(window, 0, 0, 300, 200, 0, nullptr, "Drawing", [this](Window&) {
            if (event().event_class == EV_CONTROL) commands.push_back(event().control_id);
            return 0;
        });
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // A strip of `count` 24 x 23 images; image i is filled with grey 128, 192 or 223 by turns.
    std::string write_strip(int count) {
        QImage strip(24 * count, 23, QImage::Format_RGB32);
        const int greys[] = {128, 192, 223};
        for (int i = 0; i < count; ++i) {
            int g = greys[i % 3];
            for (int y = 0; y < 23; ++y) {
                for (int x = 0; x < 24; ++x) strip.setPixelColor(24 * i + x, y, QColor(g, g, g));
            }
        }
        std::string path = folder + "/toolbar.bmp";
        EXPECT_TRUE(strip.save(QString::fromStdString(path), "BMP"));
        return path;
    }

    // A vertical bar as the to-do program makes it: two buttons round a separator, 90 x 15
    // buttons with 80 x 2 pictures, placed by the program.
    QToolBar* make_todo_bar(int strip_handle, const std::string& strip_file) {
        if (!create_tool_bar(window, strip_handle, strip_file, 71, {3, 0, 16}, TOOLBAR_VERTICAL))
            return nullptr;
        control_command(window, 71, TB_LABELS, std::string("Finnished|Cancel"));
        control_command(window, 71, TB_BUTTON_SIZE, 90L, 15L);
        control_command(window, 71, TB_IMAGE_SIZE, 80L, 2L);
        set_rect(window, 200, 23, 90, 150, 71);
        control_command(window, 71, TB_LAYOUT);
        return qobject_cast<QToolBar*>(control_widget(window, 71));
    }

    common::testing::Driver driver;
    Window window;
    std::string folder;
    std::vector<int> commands;
};

TEST_F(Drawing, PrintedTextsAreOpaqueAndRecorded) {
    set_window_color(window, rgb(0, 0, 0));
    EXPECT_EQ(pixel(window, 150, 100), QColor(0, 0, 0));
    set_text_color(window, rgb(255, 255, 255));
    set_text_background(window, rgb(0, 0, 255));
    move_pen(window, 10, 20);
    print_text(window, "Job 42\r\n");
    move_pen(window, 10, 60);
    print_text(window, "\xA3 12.50");
    auto texts = printed_texts(window);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Job 42");  // the line end is dropped
    EXPECT_EQ(texts[0].x, 10);
    EXPECT_EQ(texts[0].y, 20);
    EXPECT_EQ(texts[1].text, "\xA3 12.50");
    EXPECT_EQ(pixel(window, 10, 20), QColor(0, 0, 255));  // the text's own background
    EXPECT_EQ(pixel(window, 5, 20), QColor(0, 0, 0));
    set_window_color(window, rgb(0, 128, 0));  // erases everything drawn
    EXPECT_TRUE(printed_texts(window).empty());
    EXPECT_EQ(pixel(window, 10, 20), QColor(0, 128, 0));
}

TEST_F(Drawing, RectanglesFollowTheMinusOneRules) {
    set_window_color(window, rgb(255, 255, 255));
    draw_rect(window, 10, 10, 20, 10, rgb(255, 0, 0), rgb(0, 255, 0));
    EXPECT_EQ(pixel(window, 10, 10), QColor(255, 0, 0));
    EXPECT_EQ(pixel(window, 29, 19), QColor(255, 0, 0));
    EXPECT_EQ(pixel(window, 30, 20), QColor(255, 255, 255));  // width and height are exact
    EXPECT_EQ(pixel(window, 15, 15), QColor(0, 255, 0));
    draw_rect(window, 50, 10, 20, 10, rgb(255, 0, 0), -1);
    EXPECT_EQ(pixel(window, 55, 15), QColor(255, 255, 255));  // outline only
    set_text_color(window, rgb(0, 0, 255));
    draw_rect(window, 90, 10, 20, 10, -1, -1);
    EXPECT_EQ(pixel(window, 90, 10), QColor(0, 0, 255));  // in the text colour
    EXPECT_EQ(pixel(window, 95, 15), QColor(255, 255, 255));
}

TEST_F(Drawing, AWindowWithoutBackBufferDrawsNothing) {
    Window plain;
    open_window(plain, 0, 0, 100, 100, WF_NO_BACK_BUFFER, nullptr, "", nullptr);
    print_text(plain, "lost");
    draw_rect(plain, 0, 0, 10, 10, 0, 0);
    EXPECT_TRUE(printed_texts(plain).empty());
    EXPECT_TRUE(plain.native->back_buffer.isNull());
}

// Each window used to hold a screen-sized picture from the start: megabytes for a window that
// draws nothing. The buffer now comes with the first drawing and is as large as it needs to be.
TEST_F(Drawing, TheBackBufferComesWithTheFirstDrawingAndHoldsWhatIsDrawn) {
    set_window_color(window, rgb(0, 0, 128));
    EXPECT_TRUE(window.native->back_buffer.isNull());
    EXPECT_EQ(pixel(window, 150, 100), QColor(0, 0, 128));  // painted in its colour all the same
    draw_rect(window, 10, 10, 20, 20, rgb(255, 0, 0), rgb(255, 0, 0));
    EXPECT_EQ(window.native->back_buffer.size(), QSize(300, 200));
    EXPECT_EQ(pixel(window, 150, 100), QColor(0, 0, 128));
    draw_rect(window, 280, 190, 60, 40, rgb(0, 255, 0), rgb(0, 255, 0));  // past the corner
    EXPECT_EQ(window.native->back_buffer.size(), QSize(340, 230));
    EXPECT_EQ(pixel(window, 15, 15), QColor(255, 0, 0));  // what was drawn before stays
    EXPECT_EQ(pixel(window, 330, 220), QColor(0, 255, 0));
}

TEST_F(Drawing, ImagesLoadShowAndFree) {
    int before = image_count();
    EXPECT_EQ(load_image(folder + "/missing.jpg", IMAGE_PICTURE), 0);
    EXPECT_EQ(load_image(folder + "/garbage.gif", IMAGE_PICTURE), 0);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(200, 10, 10));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder + "/StartPic.jpg"), "JPEG", 100));
    // Program texts may join paths with backslashes.
    std::string windows_path = folder + "\\StartPic.jpg";
    int handle = load_image(windows_path, IMAGE_PICTURE);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(image_count(), before + 1);
    show_image(window, handle, IMAGE_PICTURE, 5, 180, 195, 70);
    QColor shown = pixel(window, 100, 210);
    EXPECT_NEAR(shown.red(), 200, 12);
    EXPECT_NEAR(shown.green(), 10, 12);
    set_window_icon(window, handle);
    EXPECT_FALSE(window.native->widget->windowIcon().isNull());
    delete_image(handle, IMAGE_PICTURE);
    EXPECT_EQ(image_count(), before);
    show_image(window, handle, IMAGE_PICTURE, 0, 0, 10, 10);  // a freed handle draws nothing

    // Read by the kind the name gives, whatever its case, and by the content where the name
    // gives the wrong kind.
    ASSERT_TRUE(picture.save(QString::fromStdString(folder + "/PANEL.JPG"), "JPEG", 100));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder + "/roof.jpg"), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder + "/strip.bmp"), "BMP"));
    for (const char* name : {"/PANEL.JPG", "/roof.jpg", "/strip.bmp"}) {
        SCOPED_TRACE(name);
        int loaded = load_image(folder + name, IMAGE_PICTURE);
        ASSERT_NE(loaded, 0);
        show_image(window, loaded, IMAGE_PICTURE, 0, 0, 4, 4);
        EXPECT_NEAR(pixel(window, 2, 2).red(), 200, 12);
        delete_image(loaded, IMAGE_PICTURE);
    }
}

TEST_F(Drawing, GreyShadesMapToTheThreeDColours) {
    std::string strip = write_strip(3);
    int handle = load_image(strip, IMAGE_BITMAP | IMAGE_MAP_3D_COLOURS);
    ASSERT_NE(handle, 0);
    show_image(window, handle, IMAGE_BITMAP, 0, 0, 72, 23);
    QPalette palette;
    EXPECT_EQ(pixel(window, 5, 5).rgb(), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(pixel(window, 30, 5).rgb(), palette.color(QPalette::Button).rgb());
    EXPECT_EQ(pixel(window, 55, 5).rgb(), palette.color(QPalette::Light).rgb());
    int unmapped = load_image(strip, IMAGE_BITMAP);
    show_image(window, unmapped, IMAGE_BITMAP, 0, 0, 72, 23);
    EXPECT_EQ(pixel(window, 5, 5), QColor(128, 128, 128));
    delete_image(handle, 0);
    delete_image(unmapped, 0);
}

TEST_F(Drawing, ToolBarButtonsLabelsTooltipsAndCommands) {
    std::string strip = write_strip(6);
    std::vector<int> ids = {2, 3, 4, 5, 0, 6, 7, 0, 0, 0};
    ASSERT_NE(create_tool_bar(window, 0, strip, 98, ids, TOOLBAR_TOP), 0);
    EXPECT_EQ(create_tool_bar(window, 0, strip, 98, ids, TOOLBAR_TOP), 0);  // id taken
    EXPECT_EQ(
        control_command(window, 98, TB_LABELS, std::string("New|Open|Save|SaveAs|Print|Help||")),
        1);
    EXPECT_EQ(control_command(window, 98, TB_TOOLTIP, 6L, std::string("Print the invoice")), 1);
    EXPECT_EQ(control_command(window, 98, TB_TOOLTIP, 99L, std::string("nobody")), 0);
    EXPECT_EQ(control_command(window, 98, TB_LAYOUT), 1);
    EXPECT_EQ(tool_bar_label(window, 98, 2), "New");
    EXPECT_EQ(tool_bar_label(window, 98, 6), "Print");  // separators take no label
    EXPECT_EQ(tool_bar_label(window, 98, 7), "Help");
    EXPECT_EQ(tool_bar_tooltip(window, 98, 6), "Print the invoice");
    EXPECT_EQ(tool_bar_tooltip(window, 98, 2), "");
    auto* bar = qobject_cast<QToolBar*>(control_widget(window, 98));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->y(), 0);
    EXPECT_EQ(bar->width(), 300);
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    int separators = 0;
    for (QAction* action : bar->actions()) separators += action->isSeparator();
    EXPECT_EQ(separators, 4);
    driver.choose_tool(window, 98, 4);
    driver.choose_tool(window, 98, 7);
    driver.choose_tool(window, 98, 0);   // a separator is no command
    driver.choose_tool(window, 98, 42);  // nor is an unknown id
    EXPECT_EQ(commands, (std::vector<int>{4, 7}));
    EXPECT_EQ(control_command(window, 98, 77), 0);
}

TEST_F(Drawing, VerticalToolBarStaysWhereTheProgramPutsIt) {
    std::string strip = write_strip(2);
    int handle = load_image(strip, IMAGE_BITMAP | IMAGE_MAP_3D_COLOURS);
    QToolBar* bar = make_todo_bar(handle, "");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_EQ(bar->pos(), QPoint(200, 23));
    EXPECT_EQ(bar->iconSize(), QSize(80, 2));
    EXPECT_EQ(tool_bar_label(window, 71, 16), "Cancel");
    QWidget* button = bar->widgetForAction(bar->actions().back());
    ASSERT_NE(button, nullptr);
    EXPECT_GE(button->minimumWidth(), 90);
    driver.choose_tool(window, 71, 16);
    EXPECT_EQ(commands, (std::vector<int>{16}));
    delete_image(handle, 0);
}

// The overflow arrows are read only when first drawn: a bar too short for its buttons must
// still show one.
TEST_F(Drawing, ToolBarTooShortForItsButtonsShowsItsOverflowArrow) {
    std::string strip = write_strip(6);
    ASSERT_NE(create_tool_bar(window, 0, strip, 71, {2, 3, 4, 5, 6, 7}, TOOLBAR_VERTICAL), 0);
    control_command(window, 71, TB_BUTTON_SIZE, 90L, 30L);
    set_rect(window, 200, 0, 90, 100, 71);
    control_command(window, 71, TB_LAYOUT);
    auto* bar = qobject_cast<QToolBar*>(control_widget(window, 71));
    ASSERT_NE(bar, nullptr);
    bar->resize(90, 100);
    QApplication::processEvents();
    auto* arrow = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(arrow, nullptr);
    ASSERT_TRUE(arrow->isVisible());
    EXPECT_FALSE(arrow->icon().isNull());
    QImage drawn = arrow->grab().toImage();
    int dark = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) dark += qGray(drawn.pixel(x, y)) < 100;
    }
    EXPECT_GT(dark, 3) << "the arrow button is drawn without its arrow";
}

// The to-do window's date and time fields are 20 pixels wide: a frame of one pixel in the mid
// colour round the field's base colour, and the two digits inside it. A disabled field keeps
// those colours; only its text turns grey.
TEST_F(Drawing, NarrowFieldsHaveAThinFrameAndRoomForTwoDigits) {
    add_control(window, KIND_EDIT, "12", 10, 10, 20, 20, 0x10000, 1);
    QWidget* field = control_widget(window, 1);
    const QRgb mid = field->palette().color(QPalette::Active, QPalette::Mid).rgb();
    const QRgb base = field->palette().color(QPalette::Active, QPalette::Base).rgb();
    for (bool enabled : {true, false}) {
        enable_control(window, 1, enabled);
        QImage drawn = field->grab().toImage();
        ASSERT_EQ(drawn.size(), QSize(20, 20));
        for (int i = 0; i < 20; ++i) {
            for (QPoint edge : {QPoint(i, 0), QPoint(i, 19), QPoint(0, i), QPoint(19, i)}) {
                ASSERT_EQ(drawn.pixel(edge), mid) << "frame at " << edge.x() << "," << edge.y();
            }
        }
        EXPECT_EQ(drawn.pixel(1, 1), base);
        EXPECT_EQ(drawn.pixel(18, 18), base);
        int inked_columns = 0;
        for (int x = 1; x < 19; ++x) {
            bool inked = false;
            for (int y = 1; y < 19; ++y) inked |= drawn.pixel(x, y) != base;
            inked_columns += inked;
        }
        EXPECT_GE(inked_columns, 6) << "the digits are not drawn inside the frame";
    }
}

// Classic sizes: picture over label in about 40 pixels, each button as wide as its picture or
// label needs, so the job manager's six buttons end before its message field at x 270.
TEST_F(Drawing, ToolBarButtonsAreAsSmallAsPictureAndLabelAllow) {
    std::string strip = write_strip(6);
    ASSERT_NE(create_tool_bar(window, 0, strip, 98, {2, 3, 4, 5, 0, 6, 7, 0, 0, 0}, TOOLBAR_TOP),
              0);
    control_command(window, 98, TB_LABELS, std::string("New|Open|Save|SaveAs|Print|Help||"));
    control_command(window, 98, TB_LAYOUT);
    auto* bar = qobject_cast<QToolBar*>(control_widget(window, 98));
    ASSERT_NE(bar, nullptr);
    int right = 0;
    for (QAction* action : bar->actions()) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        if (button == nullptr) continue;
        QFontMetrics metrics(button->font());
        int label = metrics.horizontalAdvance(button->text());
        EXPECT_GE(button->width(), std::max(24, label)) << button->text().toStdString();
        EXPECT_LE(button->width(), std::max(24, label) + 8) << button->text().toStdString();
        EXPECT_GE(button->height(), 23 + metrics.height());
        EXPECT_LE(button->height(), 42);
        right = std::max(right, button->geometry().right() + 1);
    }
    EXPECT_LE(right, 270);
    EXPECT_LE(bar->height(), 43);
}

// The to-do bar asks for 90 x 15 buttons with 80 x 2 pictures: the buttons keep that size,
// the strip is cut 80 pixels at a time, and the label is drawn below the picture inside it.
TEST_F(Drawing, ToolBarKeepsTheButtonSizeTheProgramAsksFor) {
    QImage strip(160, 23, QImage::Format_RGB32);
    strip.fill(QColor(0, 0, 255));
    for (int x = 80; x < 160; ++x) {
        for (int y = 0; y < 23; ++y) strip.setPixelColor(x, y, QColor(255, 0, 0));
    }
    std::string path = folder + "/wide.bmp";
    ASSERT_TRUE(strip.save(QString::fromStdString(path), "BMP"));
    QToolBar* bar = make_todo_bar(0, path);
    ASSERT_NE(bar, nullptr);
    std::vector<QToolButton*> buttons;
    for (QAction* action : bar->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            buttons.push_back(button);
    }
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->size(), QSize(90, 15));
    EXPECT_EQ(buttons[1]->size(), QSize(90, 15));
    EXPECT_LE(buttons[1]->geometry().bottom(), 15 + 8 + 15);  // one separator between them
    EXPECT_EQ(buttons[0]->icon().pixmap(QSize(80, 2)).toImage().pixelColor(40, 1),
              QColor(0, 0, 255));
    EXPECT_EQ(buttons[1]->icon().pixmap(QSize(80, 2)).toImage().pixelColor(40, 1),
              QColor(255, 0, 0));

    // The second button as drawn: its red picture on top, dark label pixels under it.
    QImage drawn = buttons[1]->grab().toImage();
    bool red_on_top = false;
    for (int x = 0; x < drawn.width(); ++x)
        red_on_top |= drawn.pixelColor(x, 1) == QColor(255, 0, 0);
    EXPECT_TRUE(red_on_top);
    int dark = 0;
    for (int y = 3; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) dark += qGray(drawn.pixel(x, y)) < 100;
    }
    EXPECT_GT(dark, 15);  // "Cancel"
}

}  // namespace
