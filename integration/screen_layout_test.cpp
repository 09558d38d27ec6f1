// Every window and dialog of both programs as a person sees it at 96 dpi: each caption whole in
// its own font and inside its window, nothing stacked over a caption, the tool bars inside the
// room the layouts give them, and the job manager's status bar readable along the bottom.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/screen_check.h"
#include "common/window.h"
#include "jobs/frame.h"
#include "jobs/help.h"
#include "jobs/state.h"
#include "jobs/tests/job_manager_fixture.h"
#include "todo/state.h"
#include "todo/tests/todo_fixture.h"

namespace {

using common::Rect;
using common::testing::caption_problems;
using common::testing::client_rect;
using common::testing::tool_button_rects;
using ::testing::IsEmpty;

int right(const Rect& r) {
    return r.left + r.width;
}
int bottom(const Rect& r) {
    return r.top + r.height;
}

// Both programs on one program folder, as the office installs them, on the office's files and
// a to-do list with a long entry.
class ScreenLayout : public todo::testing::TodoFixture {
protected:
    void SetUp() override {
        jobs::testing::write_office_files(program_folder);
        const todo::Entry call{"Call Mrs Clark about the inverter warranty",
                               " 1",
                               "02-03-2026",
                               "10-03-2026",
                               "09:30",
                               " 6"};
        const todo::Entry order{"Order panels", " 2", "01-03-2026", "12-03-2026", "14:00", " 6"};
        write_file(in_program_folder("todo.dat"), database_bytes({call, order}, 2));
        jobs::start_up();
        jobs_started = true;
        start();
    }
    void TearDown() override {
        if (jobs_started) jobs::clean_up();
    }
    bool jobs_started = false;
};

TEST_F(ScreenLayout, JobManagerWindowsShowEveryCaptionWhole) {
    driver.check(jobs::description_window, jobs::ID_CUSTOMER, true);
    driver.check(jobs::description_window, jobs::ID_INSTALATION, true);
    ASSERT_TRUE(jobs::customer_window.is_open());
    ASSERT_TRUE(jobs::installation_window.is_open());
    for (common::Window* window :
         {&jobs::main_frame, &jobs::description_window, &jobs::components_window,
          &jobs::customer_window, &jobs::installation_window}) {
        EXPECT_THAT(caption_problems(*window), IsEmpty()) << common::get_window_title(*window);
    }

    std::vector<std::string> help, question;
    driver.answer_dialog([&](common::Window& shown) { help = caption_problems(shown); });
    jobs::toggle_help();
    driver.answer_dialog([&](common::Window& shown) {
        question = caption_problems(shown);
        driver.click(shown, 3);  // No
    });
    jobs::ask("The data might have changed...", "Save the current job?");
    EXPECT_THAT(help, IsEmpty());
    EXPECT_THAT(question, IsEmpty());
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

TEST_F(ScreenLayout, ToolBarsEndWhereTheWindowsBelowThemBegin) {
    // The message field's frame starts at x 270 and the child windows at y 43.
    std::vector<Rect> buttons = tool_button_rects(jobs::main_frame, jobs::ID_TOOL_BAR);
    ASSERT_EQ(buttons.size(), 6u);
    for (const Rect& button : buttons) {
        EXPECT_LE(right(button), 270);
        EXPECT_LE(bottom(button), 43);
        EXPECT_GE(button.height, 36);  // picture and label, one above the other
    }
    EXPECT_LE(bottom(client_rect(jobs::main_frame, jobs::ID_TOOL_BAR)), 43);

    // The customer window's first row of fields is at y 46.
    driver.check(jobs::description_window, jobs::ID_CUSTOMER, true);
    EXPECT_LE(bottom(client_rect(jobs::customer_window, jobs::ID_TOOL_BAR)), 46);
    EXPECT_EQ(tool_button_rects(jobs::customer_window, jobs::ID_TOOL_BAR).size(), 6u);

    // The to-do tool bar keeps the 90 x 15 buttons it asks for, every one inside the dialog
    // (the layout puts the bar at x 744 in an 833-pixel dialog: the buttons' last pixel column
    // is the dialog's edge).
    std::vector<Rect> todo_buttons = tool_button_rects(todo::main_dialog, todo::ID_TOOL_BAR);
    ASSERT_EQ(todo_buttons.size(), 11u);
    for (const Rect& button : todo_buttons) {
        EXPECT_EQ(button.width, 90);
        EXPECT_EQ(button.height, 15);
        EXPECT_LE(bottom(button), 340);
        EXPECT_GE(button.left, 744);
        EXPECT_LE(right(button), 744 + 90);
    }
}

TEST_F(ScreenLayout, StatusBarReadsDarkOnLightAlongTheBottomOfTheFrame) {
    Rect frame = client_rect(jobs::main_frame, jobs::ID_TOOL_BAR);  // as wide as the frame
    Rect bar = client_rect(jobs::main_frame, jobs::ID_STATUS_BAR);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.width, frame.width);
    EXPECT_EQ(bottom(bar), client_rect(jobs::main_frame, 0).height);
    EXPECT_GE(bar.height, 16);

    common::testing::StripLook look =
        common::testing::status_bar_look(jobs::main_frame, jobs::ID_STATUS_BAR);
    EXPECT_GE(look.face_lightness, 200);
    EXPECT_LE(look.text_lightness, 100);
    EXPECT_GE(look.text_pixels, 40);  // "loading products file: KezPriceList.dat"

    // It follows the frame when the frame is made larger.
    common::set_rect(jobs::main_frame, 10, 10, 1200, 800);
    bar = client_rect(jobs::main_frame, jobs::ID_STATUS_BAR);
    EXPECT_EQ(bar.width, 1200);
    EXPECT_EQ(bottom(bar), 800);
    EXPECT_GE(common::testing::status_bar_look(jobs::main_frame, jobs::ID_STATUS_BAR).text_pixels,
              40);
}

TEST_F(ScreenLayout, ToDoDialogsShowEveryCaptionWhole) {
    EXPECT_THAT(caption_problems(todo::main_dialog), IsEmpty());

    choose_tool(todo::CMD_ALARM_ACTION);
    ASSERT_TRUE(todo::alarm_dialog.is_open());
    EXPECT_THAT(caption_problems(todo::alarm_dialog), IsEmpty());

    choose_tool(todo::CMD_NN_WEIGHTS);
    ASSERT_TRUE(todo::weights_dialog.is_open());
    EXPECT_THAT(caption_problems(todo::weights_dialog), IsEmpty());
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

TEST_F(ScreenLayout, ControlsStayWhereTheLayoutsPutThem) {
    auto at = [](int x, int y, int w, int h) { return std::vector<int>{x, y, w, h}; };
    auto of = [](common::Window& window, int id) {
        Rect r = client_rect(window, id);
        return std::vector<int>{r.left, r.top, r.width, r.height};
    };
    EXPECT_EQ(of(jobs::main_frame, jobs::ID_MESSAGE_FIELD), at(275, 9, 190, 23));
    EXPECT_EQ(of(jobs::main_frame, jobs::ID_MESSAGE_FRAME), at(270, -4, 400, 43));
    EXPECT_EQ(of(todo::main_dialog, todo::ID_DATE_HEADING), at(125, 5, 70, 20));
    EXPECT_EQ(of(todo::main_dialog, todo::ID_DECREASE_LABEL), at(33, 313, 90, 20));
    EXPECT_EQ(of(todo::main_dialog, todo::ID_SHOW_OUTPUT_CHECK), at(605, 304, 132, 20));
    EXPECT_EQ(of(todo::main_dialog, todo::ID_TEXT_COLUMN), at(301, 25, 440, 250));
}

}  // namespace
