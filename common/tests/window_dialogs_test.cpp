// Dialogs built from their templates, modal and modeless, and the event values a handler
// reads around a nested modal dialog.
#include <gtest/gtest.h>

#include "common/testing/driver.h"
#include "common/window.h"

using namespace common;

namespace {

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
}

}  // namespace
