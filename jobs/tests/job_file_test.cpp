// The job commands New, Open, Save and SaveAs driven from the main frame's tool bar, and the
// job files they write and read.
#include "job_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>

#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "installation.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::control_command;
using common::get_check;
using common::get_control_text;
using Rows = std::vector<std::vector<std::string>>;

class JobFileTest : public testing::JobManagerTest {
protected:
    void SetUp() override {
        testing::JobManagerTest::SetUp();
        driver.set_clock(2026, 12, 9, 13, 5, 9);
    }
    void tool(int command) { driver.choose_tool(main_frame, ID_TOOL_BAR, command); }
    // Answers the next question and notes what it asked.
    void answer(int button) {
        driver.answer_dialog([this, button](common::Window& d) {
            asked_caption = common::get_window_title(d);
            asked = get_control_text(d, 1);
            driver.click(d, button);
        });
    }
    std::string asked_caption, asked;
    std::string status() { return get_control_text(main_frame, ID_STATUS_BAR); }

    void add_row(const std::vector<std::string>& cells) {
        long row = control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT);
        control_command(components_window, ID_LINE_LIST, common::LV_INSERT_ROW, row, cells[0]);
        for (long column = 1; column < 5; ++column)
            control_command(components_window, ID_LINE_LIST, common::LV_SET_CELL, row, column,
                            cells[column]);
        ++state.invoice_line_count;
    }
    Rows rows() {
        Rows shown(control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT));
        for (std::size_t row = 0; row < shown.size(); ++row)
            for (long column = 0; column < 5; ++column) {
                std::string cell;
                control_command(components_window, ID_LINE_LIST, common::LV_GET_CELL, long(row),
                                column, &cell);
                shown[row].push_back(cell);
            }
        return shown;
    }
    std::vector<std::string> list(int id) {
        std::vector<std::string> entries;
        for (int i = 0; i < common::list_count(installation_window, id); ++i)
            entries.push_back(common::list_get(installation_window, id, i));
        return entries;
    }
    bool printed(common::Window& w, int x, int y, const std::string& text) {
        auto texts = common::printed_texts(w);
        return std::any_of(texts.begin(), texts.end(), [&](const common::PrintedText& p) {
            return p.x == x && p.y == y && p.text == text;
        });
    }

    // A job with a customer, two lines, notes, a survey and one step done.
    void fill_smith_job() {
        driver.check(description_window, ID_CUSTOMER, true);
        driver.type(customer_window, ID_CUSTOMER_NAME, "Jo Smith");
        add_row({"Solar panel 80W", " 249.99", " 4", " 999.96", "south roof"});
        add_row({"Inverter 1000W", " 120", " 1", " 120", ""});
        driver.type(components_window, ID_INVOICE_NOTES, "Paid on delivery");
        driver.check(description_window, ID_INSTALATION, true);
        driver.type(installation_window, 101, "4");
        driver.type(installation_window, 110, "Scaffold\r\nneeded");
        driver.type(installation_window, ID_PROCESS_TODO, "Site survey");
        driver.click(installation_window, 113);
    }
    const std::string smith_job =
        "Job Number:Smith roof\r\n"
        "Date: 09-12-2026 Time: 13:05:09\r\n"
        "Job type, money out payment or money in invoice: INVOICE\r\n"
        "Customer: Jo Smith\r\n"
        "Instalation: LOCKED\r\n"
        "Start of invoice data:\r\n"
        " itum: Solar panel 80W each: 249.99 units: 4 alltotal: 999.96 vat: south roof "
        "fulltotal:  notes: \r\n"
        " itum: Inverter 1000W each: 120 units: 1 alltotal: 120 vat:  fulltotal:  notes: \r\n"
        "EndOID:\r\n"
        "Carrage: 0\r\n"
        "Discount: 0%\r\n"
        "Invoice notes: Paid on delivery\r\n"
        "Instalation data start:\r\n"
        "data code: 100 value: Stand alone with batteries\r\n"
        "data code: 101 value: 4\r\n"
        "data code: 102 value: 12\r\n"
        "data code: 103 value: SW\r\n"
        "data code: 104 value: 56\r\n"
        "data code: 105 value: 5mtr\r\n"
        "data code: 106 value: slate\r\n"
        "data code: 107 value: good\r\n"
        "data code: 108 value: in house\r\n"
        "data code: 109 value: not shaded till afternoon\r\n"
        "data code: 110 value: Scaffold\r\nneeded\r\n"
        "data code: 111 value: \r\n"
        "IDEnd:\r\n"
        "Process data:\r\n"
        "Site survey\r\n"
        "EndOPD:\r\n";
};

TEST_F(JobFileTest, SaveWritesTheJobByteForByteAndTheCustomerToo) {
    fill_smith_job();
    driver.answer_file_requester(path_of("data/Smith roof.job"));
    tool(CMD_SAVE);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Save Job File");
    EXPECT_EQ(driver.requesters()[0].open, 0);
    EXPECT_EQ(driver.requesters()[0].filter, "Kez Job Files (*.job)|*.job");
    EXPECT_EQ(read_file("data/Smith roof.job"), smith_job);
    EXPECT_TRUE(file_exists("data/Jo Smith.kez"));
    EXPECT_EQ(state.job_name, "Smith roof");
    EXPECT_TRUE(state.job_loaded);
    EXPECT_EQ(state.invoice_line_count, 2);
    EXPECT_EQ(get_check(description_window, ID_ENQUIRY), 0);
    EXPECT_TRUE(printed(description_window, 6, 30, "Job: Smith roof             "));
    EXPECT_EQ(status(), "saved ...");
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);

    // The next Save goes to the job's own file without asking.
    driver.set_clock(2026, 12, 10, 8, 0, 0);
    tool(CMD_SAVE);
    EXPECT_EQ(driver.requesters().size(), 1u);
    EXPECT_NE(read_file("data/Smith roof.job").find("Date: 10-12-2026 Time: 08:00:00\r\n"),
              std::string::npos);
    EXPECT_FALSE(state.installation_allowed);
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(JobFileTest, OpenRestoresTheJobInItsSavedOrder) {
    write_file("data/Smith roof.job", smith_job);
    write_file("data/Jo Smith.kez", "name:Jo Smith\r\naddress:1 Way\r\n");
    add_row({"left over", "", "", "", ""});
    driver.answer_file_requester(path_of("data/Smith roof.job"));
    tool(CMD_OPEN);
    EXPECT_EQ(driver.requesters()[0].title, "Open Job File");
    EXPECT_EQ(driver.requesters()[0].filter, "Job text files (*.job)|*.job");
    EXPECT_EQ(driver.requesters()[0].open, 1);
    EXPECT_EQ(rows(), (Rows{{"Solar panel 80W", "249.99", "4", "999.96", "south roof"},
                            {"Inverter 1000W", "120", "1", "120", ""}}));
    EXPECT_EQ(state.invoice_line_count, 2);
    EXPECT_EQ(get_control_text(components_window, ID_INVOICE_NOTES), "Paid on delivery");
    EXPECT_EQ(get_check(description_window, ID_INVOICE), 1);
    EXPECT_EQ(get_check(description_window, ID_PAYMENT), 0);
    EXPECT_EQ(get_check(description_window, ID_ENQUIRY), 0);
    EXPECT_EQ(get_check(description_window, ID_CUSTOMER), 1);
    EXPECT_TRUE(state.customer_window_open);
    EXPECT_EQ(get_control_text(customer_window, 107), "1 Way");
    EXPECT_EQ(get_check(description_window, ID_INSTALATION), 1);
    EXPECT_TRUE(state.installation_window_open);
    EXPECT_EQ(get_control_text(installation_window, 101), "4");
    EXPECT_EQ(get_control_text(installation_window, 110), "Scaffold\r\nneeded");
    EXPECT_EQ(list(ID_PROCESS_DONE), (std::vector<std::string>{"Site survey"}));
    EXPECT_EQ(list(ID_PROCESS_TODO),
              (std::vector<std::string>{"Order parts", "Fit array", "Connect inverter",
                                        "Commission system"}));
    EXPECT_EQ(state.job_name, "Smith roof");
    EXPECT_TRUE(state.job_loaded);
    EXPECT_FALSE(state.installation_allowed);
    EXPECT_TRUE(driver.messages().empty());

    // Saved again unchanged, the file is the same file.
    tool(CMD_SAVE);
    EXPECT_EQ(read_file("data/Smith roof.job"), smith_job);
}

TEST_F(JobFileTest, KindAndCustomerComeOnlyFromTheirOwnLines) {
    write_file("data/odd.job",
               "Job Number:odd\r\nJob type, money out payment or money in invoice: INVOICE\r\n"
               "Customer: NA: Holdings\r\nStart of invoice data:\r\n"
               " itum: PAYMENT terminal each: 1 units: 1 alltotal: 1 vat:  fulltotal:  notes: "
               "\r\nEndOID:\r\n");
    write_file("data/NA: Holdings.kez", "name:x\r\n");  // not reachable: ':' is no file name
    LoadJob(path_of("data/odd.job"));
    EXPECT_TRUE(printed(components_window, 495, 170, "Total ="));
    EXPECT_EQ(get_check(description_window, ID_PAYMENT), 0);
    EXPECT_EQ(get_check(description_window, ID_CUSTOMER), 1);
    EXPECT_TRUE(state.customer_window_open);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open file please try again later");

    driver.check(description_window, ID_INSTALATION, true);
    write_file("data/pay.job",
               "Job Number:pay\r\nJob type, money out payment or money in invoice: PAYMENT\r\n"
               "Customer: NA:\r\nStart of invoice data:\r\nEndOID:\r\n");
    LoadJob(path_of("data/pay.job"));
    EXPECT_EQ(get_check(description_window, ID_PAYMENT), 1);
    EXPECT_EQ(get_check(description_window, ID_INVOICE), 0);
    EXPECT_EQ(get_check(description_window, ID_CUSTOMER), 0);
    EXPECT_FALSE(state.customer_window_open);
    EXPECT_FALSE(state.installation_window_open);
    EXPECT_EQ(get_check(description_window, ID_INSTALATION), 0);
}

TEST_F(JobFileTest, AJobOutsideTheDataFolderIsNamedByItsFileAndSavedIntoTheDataFolder) {
    write_file("elsewhere/Lee barn.job", "Job Number:whatever\r\nCustomer: NA:\r\n");
    driver.answer_file_requester(path_of("elsewhere/Lee barn.job"));
    tool(CMD_OPEN);
    EXPECT_EQ(state.job_name, "Lee barn");
    tool(CMD_SAVE);
    EXPECT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(read_file("data/Lee barn.job").substr(0, 22), "Job Number:Lee barn\r\nD");
    EXPECT_EQ(read_file("elsewhere/Lee barn.job"), "Job Number:whatever\r\nCustomer: NA:\r\n");
}

TEST_F(JobFileTest, NewAsksBeforeResettingAndNoChangesNothing) {
    add_row({"kept", "1", "1", "1", ""});
    driver.check(description_window, ID_INSTALATION, true);
    answer(3);
    tool(CMD_NEW);
    EXPECT_EQ(asked_caption, "The data might have changed...");
    EXPECT_EQ(asked, "All windows will be reset, press YES to continue");
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_TRUE(state.installation_window_open);

    answer(2);
    tool(CMD_NEW);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(state.invoice_line_count, 0);
    EXPECT_FALSE(state.installation_window_open);
    EXPECT_EQ(get_check(description_window, ID_INSTALATION), 0);
    EXPECT_EQ(get_control_text(components_window, ID_INVOICE_NOTES), "Invoice notes");
    EXPECT_TRUE(printed(description_window, 6, 30, "No Job loaded         "));
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
}

TEST_F(JobFileTest, NewOfAJobWithAFileOffersToSaveIt) {
    add_row({"panel", "1", "1", "1", ""});
    driver.answer_file_requester(path_of("data/J1.job"));
    tool(CMD_SAVE);
    remove_file("data/J1.job");
    answer(3);
    tool(CMD_NEW);
    EXPECT_EQ(asked_caption, "The Job might have changed...");
    EXPECT_EQ(asked, "Do you want to save changes to the Job: J1");
    EXPECT_FALSE(file_exists("data/J1.job"));
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(state.job_loaded);
    EXPECT_EQ(state.job_name, "");

    add_row({"panel", "1", "1", "1", ""});
    state.job_loaded = true;
    state.job_name = "J1";
    answer(2);
    tool(CMD_NEW);
    EXPECT_NE(read_file("data/J1.job").find(" itum: panel "), std::string::npos);
}

TEST_F(JobFileTest, OpenOffersToSaveAndAFileThatCannotBeReadChangesNothing) {
    add_row({"panel", "1", "1", "1", ""});
    driver.answer_file_requester(path_of("data/J1.job"));
    tool(CMD_SAVE);
    driver.check(description_window, ID_INSTALATION, true);
    std::string saved = read_file("data/J1.job");

    write_file("data/junk.job", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    answer(3);
    driver.answer_file_requester(path_of("data/junk.job"));
    tool(CMD_OPEN);
    EXPECT_EQ(asked_caption, "The Job might have changed...");
    EXPECT_EQ(asked, "Save changes to the Job: J1");
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open the Job file");
    EXPECT_EQ(driver.messages()[0].caption, "Error...opening job file...");
    EXPECT_EQ(status(), "problem loading job ...");
    EXPECT_EQ(state.job_name, "J1");
    EXPECT_TRUE(state.job_loaded);
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_TRUE(state.installation_window_open);

    // Cancelled: nothing opened, and the job is still J1.
    answer(3);
    driver.answer_file_requester("");
    tool(CMD_OPEN);
    EXPECT_EQ(status(), "job NOT opend ...");
    EXPECT_EQ(state.job_name, "J1");
    EXPECT_EQ(read_file("data/J1.job"), saved);
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
}

TEST_F(JobFileTest, CancelledSaveRequestersSaveNothing) {
    driver.answer_file_requester("");
    tool(CMD_SAVE);
    EXPECT_EQ(status(), "job NOT saved ...");
    driver.answer_file_requester("");
    tool(CMD_SAVE_AS);
    EXPECT_EQ(driver.requesters().back().title, "Save As Job File");
    EXPECT_EQ(status(), "job NOT saved ...");
    EXPECT_FALSE(state.job_loaded);
    EXPECT_TRUE(driver.messages().empty());

    // Closing the program offers to save a job with a file; a cancelled requester saves nothing.
    state.job_loaded = true;
    state.job_name = "";
    answer(2);
    driver.answer_file_requester("");
    OfferSaveJob();
    EXPECT_EQ(status(), "job NOT saved ...");
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(JobFileTest, AFailedSaveKeepsTheOldJobFileAndSaysSo) {
    write_file("data/J1.job", "Job Number:J1\r\n");
    add_row({std::string(200, 'x'), "1", "1", "1", ""});
    signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    SaveJob(path_of("data/J1.job"));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    EXPECT_EQ(read_file("data/J1.job"), "Job Number:J1\r\n");
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "problem saving job ...");
    EXPECT_EQ(driver.messages()[0].caption, "Message...savre job...");
    EXPECT_FALSE(driver.messages()[0].had_owner);
    EXPECT_EQ(status(), "problem saving job ...");
}

TEST_F(JobFileTest, DamagedJobFilesLoadWhatTheyHold) {
    // Empty: not a job.
    write_file("data/empty.job", "");
    LoadJob(path_of("data/empty.job"));
    EXPECT_EQ(driver.messages().size(), 1u);
    EXPECT_FALSE(state.job_loaded);

    // LF line ends, a long cell, no "EndOID:" and no line end at the very end.
    write_file("data/unix.job",
               "Job Number:unix\nCustomer: NA:\nStart of invoice data:\n"
               " itum: " +
                   std::string(300, 'a') +
                   " each: 2 units: 3\n"
                   " itum: second each: 1\nInvoice notes: cut here");
    LoadJob(path_of("data/unix.job"));
    EXPECT_EQ(driver.messages().size(), 1u);
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_EQ(rows()[0][0], std::string(254, 'a'));
    EXPECT_EQ(rows()[0][2], "3");
    EXPECT_EQ(rows()[1][0], "second");
    EXPECT_EQ(get_control_text(components_window, ID_INVOICE_NOTES), "cut here");
    EXPECT_TRUE(state.job_loaded);
    EXPECT_EQ(state.invoice_line_count, 2);

    // A missing file is reported and the loaded lines stay.
    LoadJob(path_of("data/missing.job"));
    EXPECT_EQ(driver.messages().size(), 2u);
    EXPECT_EQ(rows().size(), 2u);
}

}  // namespace
}  // namespace jobs
