// The customer window, driven as the office user drives it, and the customer files it writes.
#include "customer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "common/services.h"
#include "common/window.h"
#include "frame.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;

class CustomerTest : public testing::JobManagerTest {
protected:
    void SetUp() override {
        testing::JobManagerTest::SetUp();
        driver.set_clock(2026, 12, 9, 13, 5, 9);
        driver.check(description_window, ID_CUSTOMER, true);
    }
    void type(int id, const std::string& text) { driver.type(customer_window, id, text); }
    std::string field(int id) { return get_control_text(customer_window, id); }
    void tool(int command) { driver.choose_tool(customer_window, ID_TOOL_BAR, command); }
    void answer(int button) {
        driver.answer_dialog([this, button](common::Window& d) { driver.click(d, button); });
    }
    std::string status() { return get_control_text(main_frame, ID_STATUS_BAR); }
    std::string message_field() { return get_control_text(main_frame, ID_MESSAGE_FIELD); }

    void fill_smith() {
        type(100, "09-12-2026");
        type(101, "R17");
        type(102, "Jo Smith");
        type(103, "01234 567890");
        type(104, "07700 900123");
        type(105, "jo@example.com");
        type(106, "Other contact details");
        type(107, "12 High Street\r\nLower Town\r\nShire");
        type(108, "AB1 2CD");
        type(109, "Map");
        type(110, "Ring first");
    }
    const std::string smith_file =
        "date:09-12-2026\r\nref:R17\r\nname:Jo Smith\r\nlandline:01234 567890\r\n"
        "mobile:07700 900123\r\nemail:jo@example.com\r\nother:Other contact details\r\n"
        "address:12 High Street\r\nLower Town\r\nShire\r\npostcode:AB1 2CD\r\nmap:Map\r\n"
        "notes:Ring first\r\n";
};

TEST_F(CustomerTest, WindowOpensWithItsInitialTextsAndToolBar) {
    EXPECT_TRUE(state.customer_window_open);
    EXPECT_EQ(status(), "opening window 2 customer ...");
    EXPECT_EQ(field(100), "Date");
    EXPECT_EQ(field(101), "Reference");
    EXPECT_EQ(field(102), "");
    EXPECT_EQ(field(107), "Address");
    EXPECT_EQ(field(110), "Notes");
    EXPECT_EQ(common::get_window_title(customer_window), "Customer details");
    EXPECT_EQ(common::tool_bar_label(customer_window, ID_TOOL_BAR, CMD_OPEN), "Open");
    EXPECT_EQ(common::tool_bar_tooltip(customer_window, ID_TOOL_BAR, CMD_NEW), "Create New File");
    EXPECT_EQ(common::tool_bar_tooltip(customer_window, ID_TOOL_BAR, CMD_SAVE_AS), "");
}

TEST_F(CustomerTest, SaveWritesTheFileAndOpenReadsItBackExactly) {
    fill_smith();
    tool(CMD_SAVE);
    EXPECT_EQ(read_file("data/Jo Smith.kez"), smith_file);
    EXPECT_EQ(message_field(), "Saved ...     ");
    EXPECT_EQ(status(), "saved ...");
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);

    // New saves the customer shown once more, then resets the fields.
    tool(CMD_NEW);
    EXPECT_EQ(field(100), "09-12-2026");
    EXPECT_EQ(field(101), "R17");
    EXPECT_EQ(field(102), "Name");
    EXPECT_EQ(field(107), "Address");
    EXPECT_EQ(field(110), "Notes");

    // Open saves what is shown (now under "Name") and loads the chosen file.
    driver.answer_file_requester(path_of("data/Jo Smith.kez"));
    tool(CMD_OPEN);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Open Customer File");
    EXPECT_EQ(driver.requesters()[0].filter, "Kez Files (*.kez)|*.kez");
    EXPECT_TRUE(file_exists("data/Name.kez"));
    EXPECT_EQ(field(107), "12 High Street\r\nLower Town\r\nShire");
    EXPECT_EQ(field(108), "AB1 2CD");
    EXPECT_EQ(state.customer_name, "Jo Smith");

    // Saving again over the file (answering Yes) gives the same bytes: nothing creeps in.
    answer(2);
    tool(CMD_SAVE);
    EXPECT_EQ(read_file("data/Jo Smith.kez"), smith_file);
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(CustomerTest, OlderFilesReadAndTheMapPictureIsShown) {
    write_file("data/Ann Lee.kez",
               "date:01-02-2020\r\nref:Reference\r\nname:Ann Lee\r\nlandline:1\r\nmobile:2\r\n"
               "email:3\r\nother:4\r\naddress:1 Mill Lane \r\nUpton\r\npostcode:UP1 1AA\r\n"
               "map:panel.jpg\r\nnotes:Fence \r\n\r\n");
    int start_picture = state.current_picture;
    LoadCustomer(path_of("data/Ann Lee.kez"));
    EXPECT_EQ(field(107), "1 Mill Lane \r\nUpton");
    EXPECT_EQ(field(108), "UP1 1AA");
    EXPECT_EQ(field(110), "Fence ");
    EXPECT_NE(state.current_picture, start_picture);
    EXPECT_NE(state.current_picture, 0);

    // A map text that names no picture leaves the picture alone.
    int map_picture = state.current_picture;
    write_file("data/Bo.kez", "name:Bo\r\nmap:turn left at the church\r\n");
    LoadCustomer(path_of("data/Bo.kez"));
    EXPECT_EQ(field(102), "Bo");
    EXPECT_EQ(field(107), "1 Mill Lane \r\nUpton");  // no address line: kept
    EXPECT_EQ(state.current_picture, map_picture);
}

TEST_F(CustomerTest, SaveRefusesAMissingNameAndAsksBeforeReplacing) {
    tool(CMD_SAVE);  // the name field is empty
    type(ID_CUSTOMER_NAME, "Name");
    tool(CMD_SAVE);
    ASSERT_EQ(driver.messages().size(), 2u);
    for (const auto& shown : driver.messages()) {
        EXPECT_EQ(shown.text, "Please enter a name in the second box down");
        EXPECT_EQ(shown.caption, "Message...Bad name...");
        EXPECT_TRUE(shown.had_owner);
    }
    EXPECT_FALSE(file_exists("data/Name.kez"));
    EXPECT_FALSE(file_exists("data/.kez"));

    write_file("data/Jo.kez", "name:Jo\r\nnotes:keep me\r\n");
    type(ID_CUSTOMER_NAME, "Jo");
    answer(3);
    tool(CMD_SAVE);
    EXPECT_EQ(read_file("data/Jo.kez"), "name:Jo\r\nnotes:keep me\r\n");
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
    answer(2);
    tool(CMD_SAVE);
    EXPECT_NE(read_file("data/Jo.kez").find("notes:Notes\r\n"), std::string::npos);
}

TEST_F(CustomerTest, NewWithTheDefaultNameOnlyAsksForAName) {
    type(ID_CUSTOMER_NAME, "Name");
    type(110, "typed");
    tool(CMD_NEW);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Name needs changing");
    EXPECT_EQ(driver.messages()[0].caption, "Message...");
    EXPECT_EQ(field(110), "typed");
    EXPECT_FALSE(file_exists("data/Name.kez"));
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
}

TEST_F(CustomerTest, UnreadableFilesLeaveTheFieldsAsTheyWere) {
    type(ID_CUSTOMER_NAME, "Kept");
    driver.answer_file_requester("");  // cancelled
    tool(CMD_OPEN);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open file please try again later");
    EXPECT_EQ(driver.messages()[0].caption, "Message...Open customer file...");
    EXPECT_FALSE(driver.messages()[0].had_owner);
    EXPECT_EQ(status(), "problem opening customer file ...");
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "Kept");

    // Empty, binary and LF-only files: whatever they give, nothing breaks.
    write_file("data/empty.kez", "");
    LoadCustomer(path_of("data/empty.kez"));
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "Kept");
    write_file("data/junk.kez", std::string("\x00\xff\x7f"
                                            "ELF\r\x00name",
                                            11));
    LoadCustomer(path_of("data/junk.kez"));
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "Kept");
    write_file("data/unix.kez", "name:Lf Only\naddress:a\nb\npostcode:" + std::string(300, 'p'));
    LoadCustomer(path_of("data/unix.kez"));
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "Lf Only");
    EXPECT_EQ(field(107), "a\r\nb");
    EXPECT_EQ(field(108), std::string(254, 'p'));
    EXPECT_EQ(driver.messages().size(), 1u);
}

TEST_F(CustomerTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    write_file("data/Jo.kez", "name:Jo\r\nnotes:old\r\n");
    type(ID_CUSTOMER_NAME, "Jo");
    // Writes beyond a few bytes fail, as on a full disk.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    SaveCustomer();
    setrlimit(RLIMIT_FSIZE, &old_limit);
    EXPECT_EQ(read_file("data/Jo.kez"), "name:Jo\r\nnotes:old\r\n");
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Problem saving data");
    EXPECT_EQ(driver.messages()[0].caption, "Error...Save data...");
    EXPECT_EQ(message_field(), "NOT Saved     ");
    EXPECT_EQ(status(), "problem saving data!");

    // A name that points into another folder is refused the same way.
    type(ID_CUSTOMER_NAME, "../escaped");
    SaveCustomer();
    EXPECT_EQ(driver.messages().size(), 2u);
    EXPECT_FALSE(file_exists("escaped.kez"));
}

TEST_F(CustomerTest, ACloseRequestClosesTheInstallationWindowToo) {
    driver.check(description_window, ID_INSTALATION, true);
    driver.close_box(customer_window);
    EXPECT_FALSE(customer_window.is_open());
    EXPECT_FALSE(state.customer_window_open);
    EXPECT_FALSE(installation_window.is_open());
    EXPECT_FALSE(state.installation_window_open);
    EXPECT_EQ(common::get_check(description_window, ID_CUSTOMER), 0);
    EXPECT_EQ(common::get_check(description_window, ID_INSTALATION), 0);
}

TEST_F(CustomerTest, NewAndOpenInAFreshWindowSaveWithoutComplaint) {
    tool(CMD_NEW);
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "Name");
    EXPECT_TRUE(file_exists("data/.kez"));
}

TEST_F(CustomerTest, UncheckingTheBoxClosesTheWindowAndReopensItFresh) {
    type(ID_CUSTOMER_NAME, "Someone");
    driver.check(description_window, ID_CUSTOMER, false);
    EXPECT_FALSE(state.customer_window_open);
    EXPECT_FALSE(customer_window.is_open());
    driver.check(description_window, ID_CUSTOMER, true);
    EXPECT_EQ(field(ID_CUSTOMER_NAME), "");
}

}  // namespace
}  // namespace jobs
