// Dialogs built from their templates, modal and modeless, and the event values a handler
// reads around a nested modal dialog.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>

#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"

using namespace common;

namespace {

void press_escape(Window& dialog) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.native->widget, &press);
}

class Dialogs : public ::testing::Test {
protected:
    common::testing::Driver driver;
    Window dialog;
};

TEST_F(Dialogs, ModalDialogInitialisesThenReturnsTheCloseResult) {
    std::vector<int> classes;
    declare_dialog(dialog, 0, 0, 250, 100, 0x80C80080, nullptr, "Question", [&](Window& d) {
        classes.push_back(event().event_class);
        if (event().event_class == EV_DIALOG_INIT) set_control_text(d, 1, "Really?");
        if (event().event_class == EV_CONTROL && event().control_id == 2) close_dialog(d, 6);
        return 0;
    });
    add_control(dialog, KIND_STATIC, "", 5, 15, 240, 20, 0x5000010B, 1);
    add_control(dialog, KIND_BUTTON, "Yes", 50, 45, 70, 20, 0x50000000, 2);
    EXPECT_FALSE(dialog.is_open());
    EXPECT_FALSE(has_control(dialog, 1));  // declared, not created
    std::string shown;
    driver.answer_dialog([&](Window& d) {
        shown = get_control_text(d, 1);
        driver.click(d, 2);
    });
    EXPECT_EQ(show_dialog_modal(dialog), 6);
    EXPECT_EQ(shown, "Really?");
    EXPECT_FALSE(dialog.is_open());
    ASSERT_GE(classes.size(), 2u);
    EXPECT_EQ(classes.front(), EV_DIALOG_INIT);
    // Nobody answers the second showing: it ends as the close box would, and is recorded.
    EXPECT_EQ(show_dialog_modal(dialog), 2);
    ASSERT_EQ(driver.unanswered_dialogs().size(), 1u);
    EXPECT_EQ(driver.unanswered_dialogs()[0], "Question");
    EXPECT_EQ(dialog.dialog_template.controls.size(), 2u);  // the template outlives showings
}

TEST_F(Dialogs, EventValuesComeBackAfterANestedModalDialog) {
    Window frame;
    declare_dialog(dialog, 0, 0, 200, 80, 0x80C80080, nullptr, "Inner", [](Window& d) {
        if (event().event_class == EV_DIALOG_INIT) close_dialog(d, 4);
        return 0;
    });
    std::vector<int> seen_after;
    int inner_result = 0;
    open_window(frame, 0, 0, 300, 200, 0, nullptr, "Frame", [&](Window&) {
        if (event().event_class != EV_CONTROL) return 0;
        inner_result = show_dialog_modal(dialog);
        seen_after = {event().event_class, event().control_id, event().notify_code};
        return 0;
    });
    add_control(frame, KIND_BUTTON, "Open", 5, 5, 60, 20, 0, 11);
    driver.click(frame, 11);
    EXPECT_EQ(inner_result, 4);  // closed during its own initialisation
    EXPECT_EQ(seen_after, (std::vector<int>{EV_CONTROL, 11, 0}));
    EXPECT_EQ(event().event_class, 0);  // outside every handler: the empty event
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

TEST_F(Dialogs, ControlsAddedToAnOpenDialogComeWithTheNextShowing) {
    declare_dialog(dialog, 10, 10, 300, 200, 0x80CA0080, nullptr, "Weights",
                   [](Window&) { return 0; });
    add_control(dialog, KIND_EDIT, "0.5", 5, 5, 60, 20, 0, 1);
    show_dialog(dialog);
    ASSERT_TRUE(dialog.is_open());
    EXPECT_TRUE(dialog.modeless);
    EXPECT_EQ(get_control_text(dialog, 1), "0.5");
    add_control(dialog, KIND_EDIT, "later", 5, 30, 60, 20, 0, 2);
    EXPECT_FALSE(has_control(dialog, 2));
    close_dialog(dialog, 0);
    EXPECT_FALSE(dialog.is_open());
    show_dialog(dialog);
    EXPECT_EQ(get_control_text(dialog, 2), "later");
    EXPECT_EQ(get_control_text(dialog, 1), "0.5");  // rebuilt from the template, not kept
    close_dialog(dialog, 0);
}

TEST_F(Dialogs, CloseBoxOfAModelessDialogOnlyAsks) {
    int closes = 0;
    declare_dialog(dialog, 0, 0, 200, 100, 0xCA0000, nullptr, "Main",
                   [&](Window&) { return closes += event().event_class == EV_CLOSE, 0; });
    show_dialog(dialog);
    driver.close_box(dialog);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(dialog.is_open());
    press_escape(dialog);  // a stray key closes nothing
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(dialog.is_open());
    close_dialog(dialog, 0);
}

TEST_F(Dialogs, CloseBoxOfAModalDialogEndsItWithTwoAndStillTellsTheHandler) {
    int closes = 0;
    declare_dialog(dialog, 0, 0, 200, 100, 0x80C80080, nullptr, "Ask", [&](Window& d) {
        if (event().event_class == EV_CLOSE) {
            ++closes;
            close_dialog(d, 2);  // the handler closing again does no harm
        }
        return 0;
    });
    driver.answer_dialog([&](Window& d) { driver.close_box(d); });
    EXPECT_EQ(show_dialog_modal(dialog), 2);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(dialog.is_open());
    // Escape answers a modal dialog as its close box does.
    driver.answer_dialog([&](Window& d) { press_escape(d); });
    EXPECT_EQ(show_dialog_modal(dialog), 2);
    EXPECT_EQ(closes, 2);
}

TEST_F(Dialogs, OnlyADialogWithAnOwnerHoldsItsOwnerBack) {
    Window frame;
    open_window(frame, 0, 0, 300, 200, 0, nullptr, "Frame", nullptr);
    declare_dialog(dialog, 0, 0, 200, 100, 0x80C80080, nullptr, "Help", nullptr);
    Qt::WindowModality without_owner = Qt::ApplicationModal;
    Qt::WindowModality with_owner = Qt::NonModal;
    driver.answer_dialog([&](Window& d) {
        without_owner = d.native->widget->windowModality();
        close_dialog(d, 1);
    });
    EXPECT_EQ(show_dialog_modal(dialog), 1);
    driver.answer_dialog([&](Window& d) {
        with_owner = d.native->widget->windowModality();
        EXPECT_EQ(d.native->widget->parentWidget(), frame.native->widget);
        close_dialog(d, 1);
    });
    EXPECT_EQ(show_dialog_modal(dialog, &frame), 1);
    EXPECT_EQ(without_owner, Qt::NonModal);
    EXPECT_EQ(with_owner, Qt::WindowModal);
}

TEST_F(Dialogs, DialogPlacedInPixelsAndCentredOverTheWorkArea) {
    declare_dialog(dialog, 40, 30, 303, 176, 0x80C80080, nullptr, "Alarm Action", nullptr);
    show_dialog(dialog);
    QWidget* widget = dialog.native->widget;
    EXPECT_EQ(widget->size(), QSize(303, 176));
    EXPECT_EQ(widget->pos(), QPoint(40, 30));
    EXPECT_EQ(get_window_title(dialog), "Alarm Action");
    centre_window(dialog);
    QRect area = widget->screen()->availableGeometry();
    QRect frame = widget->frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
    EXPECT_GE(frame.top(), area.top());
    close_window(dialog);  // closing a dialog as a window works too
    EXPECT_FALSE(dialog.is_open());
}

TEST_F(Dialogs, ClosingTheOwnerClosesItsModelessDialog) {
    Window frame;
    open_window(frame, 0, 0, 300, 200, 0, nullptr, "Frame", nullptr);
    declare_dialog(dialog, 0, 0, 200, 100, 0x80C80080, &frame, "Owned", nullptr);
    show_dialog(dialog);
    ASSERT_TRUE(dialog.is_open());
    close_window(frame);
    EXPECT_FALSE(dialog.is_open());
}

}  // namespace
