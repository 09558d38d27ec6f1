// Start-up, the tick, the tool bar, the job description window and the question dialog,
// driven as the office user drives them.
#include "frame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/hooks.h"
#include "common/services.h"
#include "components.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_check;
using common::get_control_text;

class FrameTest : public testing::JobManagerTest {
protected:
    bool printed(common::Window& w, int x, int y, const std::string& text) {
        auto texts = common::printed_texts(w);
        return std::any_of(texts.begin(), texts.end(), [&](const common::PrintedText& p) {
            return p.x == x && p.y == y && p.text == text;
        });
    }
    int timer() { return common::timer_period(main_frame, 1); }
};

TEST_F(FrameTest, StateRightAfterStartUp) {
    EXPECT_TRUE(state.run);
    EXPECT_FALSE(state.job_loaded);
    EXPECT_EQ(state.invoice_line_count, 0);
    EXPECT_NE(state.current_picture, 0);  // the start picture
    EXPECT_EQ(common::get_window_title(main_frame), "Kez Systems LTD");

    EXPECT_EQ(get_check(description_window, ID_ENQUIRY), 1);
    EXPECT_EQ(get_check(description_window, ID_INVOICE), 1);
    EXPECT_EQ(get_check(description_window, ID_PAYMENT), 0);
    EXPECT_EQ(get_check(components_window, ID_CALC), 1);
    EXPECT_FALSE(common::is_enabled(components_window, ID_CALC));
    EXPECT_FALSE(common::is_enabled(components_window, ID_DISCOUNT));
    EXPECT_TRUE(printed(description_window, 5, 3, "Job components"));
    EXPECT_TRUE(printed(description_window, 6, 30, "No Job loaded         "));

    EXPECT_EQ(get_control_text(main_frame, ID_MESSAGE_FIELD), "Message...");
    EXPECT_EQ(get_control_text(main_frame, ID_STATUS_BAR),
              "loading products file: KezPriceList.dat");
    EXPECT_EQ(common::list_count(components_window, ID_ITEM), 5);
    EXPECT_EQ(get_control_text(components_window, ID_CARRIAGE), " 0");
    EXPECT_EQ(get_control_text(components_window, ID_DISCOUNT), "0%");
    EXPECT_EQ(get_control_text(components_window, ID_TOTAL), "TOTAL");  // no calculation yet

    EXPECT_EQ(common::tool_bar_label(main_frame, ID_TOOL_BAR, CMD_SAVE_AS), "SaveAs");
    EXPECT_EQ(common::tool_bar_tooltip(main_frame, ID_TOOL_BAR, CMD_OPEN), "Opens New File");
    EXPECT_EQ(common::tool_bar_tooltip(main_frame, ID_TOOL_BAR, CMD_HELP), "Opens the help file");
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(FrameTest, FirstTickAfterHalfASecondThenEverySecond) {
    EXPECT_EQ(timer(), 500);
    tick();
    EXPECT_EQ(timer(), 1000);
    EXPECT_EQ(get_control_text(main_frame, ID_MESSAGE_FIELD), "Message...     ");
    EXPECT_EQ(get_control_text(components_window, ID_TOTAL), " 0");
    show_message("Saved ...     ");
    tick();
    EXPECT_EQ(timer(), 1000);
    EXPECT_EQ(get_control_text(main_frame, ID_MESSAGE_FIELD), "Message...     ");
}

TEST_F(FrameTest, TickFollowsTheCustomerNameAndTheInstalationFlag) {
    state.installation_allowed = false;
    tick();
    EXPECT_FALSE(common::is_enabled(description_window, ID_INSTALATION));
    state.installation_allowed = true;
    tick();
    EXPECT_TRUE(common::is_enabled(description_window, ID_INSTALATION));
    // A payment leaves the box as it is.
    driver.check(description_window, ID_PAYMENT, true);
    state.installation_allowed = false;
    tick();
    EXPECT_TRUE(common::is_enabled(description_window, ID_INSTALATION));
}

TEST_F(FrameTest, ToolBarCommandsRunWithTheTickStopped) {
    int period_inside = -1;
    std::string caption;
    driver.answer_dialog([&](common::Window& dialog) {
        period_inside = timer();
        caption = common::get_window_title(dialog);
        driver.click(dialog, 3);  // No: New changes nothing
    });
    driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_NEW);
    EXPECT_EQ(caption, "The data might have changed...");
    EXPECT_EQ(period_inside, 0);
    EXPECT_EQ(timer(), 1000);  // restarted although the user declined
}

TEST_F(FrameTest, OnlyClickNotificationsAreCommands) {
    common::deliver_event(main_frame, common::EV_CONTROL, CMD_PRINT, 1);
    common::deliver_event(main_frame, common::EV_CONTROL, CMD_NEW, 5);
    common::deliver_event(main_frame, common::EV_CONTROL, CMD_HELP, 2);
    common::deliver_event(main_frame, common::EV_CONTROL, 99, 0);
    EXPECT_EQ(timer(), 500);  // no command ran: the first period is untouched
    EXPECT_FALSE(file_exists("printdata/htmlout.htm"));
    EXPECT_FALSE(state.help_dialog_open);
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

TEST_F(FrameTest, HelpTogglesWithoutStoppingTheTick) {
    state.help_dialog_open = true;
    driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_HELP);
    EXPECT_FALSE(state.help_dialog_open);
    EXPECT_EQ(timer(), 500);

    int period_inside = -1;
    bool open_inside = false;
    driver.answer_dialog([&](common::Window& dialog) {
        period_inside = timer();
        open_inside = state.help_dialog_open;
        driver.close_box(dialog);
    });
    driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_HELP);
    EXPECT_TRUE(open_inside);
    EXPECT_EQ(period_inside, 500);  // ticks go on while the help dialog is up
}

TEST_F(FrameTest, UncheckingEnquiryOnlyTellsTheUser) {
    driver.check(description_window, ID_ENQUIRY, false);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text,
              "Please SAVE the data, \r\n create a NEW job or OPEN an existing Job file.");
    EXPECT_EQ(driver.messages()[0].caption, "Message...no Job loaded...");
    EXPECT_EQ(get_check(description_window, ID_ENQUIRY), 0);
}

TEST_F(FrameTest, CheckingEnquiryOffersToSaveAndClearsTheJob) {
    driver.type(components_window, ID_ITEM, "Mounting kit");
    driver.click(components_window, ID_ADD);
    driver.click(components_window, ID_ADD);
    ASSERT_EQ(state.invoice_line_count, 2);
    state.job_name = "smith";
    state.installation_allowed = false;
    driver.check(description_window, ID_ENQUIRY, false);

    std::string question;
    driver.answer_dialog([&](common::Window& dialog) {
        question = get_control_text(dialog, 1);
        driver.click(dialog, 3);
    });
    driver.check(description_window, ID_ENQUIRY, true);
    EXPECT_EQ(question, "Save changes to the Job: smith");
    EXPECT_EQ(common::control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT), 0);
    EXPECT_EQ(state.invoice_line_count, 0);
    EXPECT_FALSE(state.job_loaded);
    EXPECT_EQ(state.job_name, "");
    EXPECT_TRUE(state.installation_allowed);
    EXPECT_EQ(get_check(description_window, ID_INSTALATION), 0);
    EXPECT_TRUE(printed(description_window, 5, 30, "No Job loaded         "));
}

TEST_F(FrameTest, QuestionAnsweredYesNoAndByTheCloseBox) {
    std::string caption, shown;
    driver.answer_dialog([&](common::Window& dialog) {
        caption = common::get_window_title(dialog);
        shown = get_control_text(dialog, 1);
        driver.click(dialog, 2);
    });
    ask("Asking...", "Go on?");
    EXPECT_EQ(state.answer, 1);
    EXPECT_EQ(caption, "Asking...");
    EXPECT_EQ(shown, "Go on?");

    driver.answer_dialog([&](common::Window& dialog) { driver.click(dialog, 3); });
    ask("Asking...", "Go on?");
    EXPECT_EQ(state.answer, 0);

    // The close box answers No, whatever the previous answer was.
    state.answer = 1;
    driver.answer_dialog([&](common::Window& dialog) { driver.close_box(dialog); });
    ask("Asking...", "Go on?");
    EXPECT_EQ(state.answer, 0);
    EXPECT_FALSE(question_dialog.is_open());

    // A question too long for its field is cut to 254 characters; Yes still works.
    driver.answer_dialog([&](common::Window& dialog) {
        shown = get_control_text(dialog, 1);
        driver.click(dialog, 2);
    });
    ask("Asking...", std::string(400, 'q'));
    EXPECT_EQ(shown, std::string(254, 'q'));
    EXPECT_EQ(state.answer, 1);
}

TEST_F(FrameTest, JobTitle) {
    state.job_name = "smith roof";
    ShowJobTitle();
    EXPECT_TRUE(printed(description_window, 6, 30, "Job: smith roof             "));
}

TEST_F(FrameTest, CloseRequestEndsTheRunWithTheTickStopped) {
    driver.close_box(main_frame);
    EXPECT_FALSE(state.run);
    EXPECT_EQ(timer(), 0);
    EXPECT_TRUE(driver.unanswered_dialogs().empty());  // no job: nothing to offer
    run_loop();                                        // returns at once
    clean_up();
    started = false;
    EXPECT_FALSE(main_frame.is_open());
    EXPECT_FALSE(description_window.is_open());
    EXPECT_EQ(state.current_picture, 0);
}

TEST_F(FrameTest, CustomerBoxShowsAndHidesTheCustomerWindow) {
    driver.check(description_window, ID_CUSTOMER, true);
    EXPECT_TRUE(state.customer_window_open);
    EXPECT_TRUE(customer_window.is_open());
    driver.check(description_window, ID_CUSTOMER, false);
    EXPECT_FALSE(state.customer_window_open);
    EXPECT_FALSE(customer_window.is_open());
}

class MissingPicturesTest : public FrameTest {
protected:
    void prepare_data() override {
        remove_file("StartPic.jpg");
        remove_file("toolbar.bmp");
    }
};

TEST_F(MissingPicturesTest, StartsWithoutPictureAndToolBar) {
    EXPECT_EQ(state.current_picture, 0);
    EXPECT_FALSE(common::has_control(main_frame, ID_TOOL_BAR));
    EXPECT_TRUE(driver.messages().empty());
    tick();
    EXPECT_EQ(timer(), 1000);
}

}  // namespace
}  // namespace jobs
