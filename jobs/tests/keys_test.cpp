// The job manager at the keyboard: the office's usual keys run the tool bar's commands, and Tab
// reaches the tool bar.
#include <gtest/gtest.h>

#include "common/window.h"
#include "components.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

class KeysTest : public testing::JobManagerTest {
protected:
    std::vector<std::string> requester_titles() {
        std::vector<std::string> titles;
        for (const auto& r : driver.requesters()) titles.push_back(r.title);
        return titles;
    }
};

TEST_F(KeysTest, TheUsualKeysRunTheToolBarsCommands) {
    driver.press_keys(main_frame, "Shift");  // the office looks at the window
    EXPECT_EQ(driver.focused_control(description_window), ID_ENQUIRY);  // not the tool bar
    common::set_focus(components_window, ID_CARRIAGE);
    driver.press_keys(main_frame, "Ctrl+S");
    driver.press_keys(main_frame, "Ctrl+Shift+S");
    driver.press_keys(main_frame, "Ctrl+O");
    EXPECT_EQ(requester_titles(),
              (std::vector<std::string>{"Save Job File", "Save As Job File", "Open Job File"}));
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);  // each ran with the tick stopped

    driver.press_keys(main_frame, "Ctrl+P");
    EXPECT_TRUE(file_exists("printdata/htmlout.htm"));

    std::string asked;
    driver.answer_dialog([&](common::Window& d) {
        asked = common::get_control_text(d, 1);
        driver.click(d, 3);
    });
    driver.press_keys(main_frame, "Ctrl+N");
    EXPECT_EQ(asked, "All windows will be reset, press YES to continue");

    driver.press_keys(main_frame, "F1");
    EXPECT_EQ(driver.unanswered_dialogs(), std::vector<std::string>{"Help"});
    EXPECT_EQ(common::get_control_text(components_window, ID_CARRIAGE), " 0");  // nothing typed
}

TEST_F(KeysTest, TabReachesTheToolBarAndEnterPressesIt) {
    driver.press_keys(main_frame, "Shift");
    common::set_focus(description_window, ID_ENQUIRY);
    std::vector<int> reached;
    for (int i = 0; i < 4; ++i) {
        driver.press_keys(main_frame, "Shift+Tab");
        reached.push_back(driver.focused_tool(main_frame, ID_TOOL_BAR));
    }
    EXPECT_EQ(reached, (std::vector<int>{CMD_HELP, CMD_PRINT, CMD_SAVE_AS, CMD_SAVE}));
    driver.press_keys(main_frame, "Return");
    EXPECT_EQ(requester_titles(), std::vector<std::string>{"Save Job File"});
    driver.press_keys(main_frame, "Shift+Tab");
    driver.press_keys(main_frame, "Space");
    EXPECT_EQ(requester_titles(), (std::vector<std::string>{"Save Job File", "Open Job File"}));
}

}  // namespace
}  // namespace jobs
