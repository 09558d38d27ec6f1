// A job open on two desktops: the second is told who has it open and since when and chooses how
// to open it; a job opened read-only is not saved over without a question; a file that changed
// on disk since it was read is not saved over without a question naming when and by whom; and a
// desktop that crashed with a job open keeps nobody out.
#include "job_lock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "changed_on_disk.h"
#include "common/file_lock.h"
#include "common/file_stamp.h"
#include "common/services.h"
#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "job_file.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;

constexpr int READ_ONLY = 2;
constexpr int OPEN_ANYWAY = 3;
constexpr int CANCEL = 4;

const std::string JOB =
    "Job Number:inv0042\r\nJob type, money out payment or money in invoice: INVOICE\r\n"
    "Customer: NA:\r\nStart of invoice data:\r\nEndOID:\r\nInvoice notes: from the office\r\n";

class JobLock : public testing::JobManagerTest {
protected:
    void SetUp() override {
        testing::JobManagerTest::SetUp();
        write_file("data/inv0042.job", JOB);
    }
    std::string job() { return path_of("data/inv0042.job"); }
    void tool(int command) { driver.choose_tool(main_frame, ID_TOOL_BAR, command); }
    void open_job() {
        driver.answer_file_requester(job());
        tool(CMD_OPEN);
    }
    // Bob on desk2 has the job open, since `since`, his program alive `silent` seconds ago.
    void bob_has_it_open(long long since, long long silent = 5) {
        write_file("data/inv0042.job.lock",
                   "kez-office lock\nuser: bob\nhost: desk2\nprocess: 4242\nsince: " +
                       std::to_string(since) +
                       "\nrefreshed: " + std::to_string(common::seconds_now() - silent) + "\n");
    }
    // Answers the next question with three answers, noting what it said.
    void answer_open_question(int button) {
        driver.answer_dialog([this, button](common::Window& d) {
            caption = common::get_window_title(d);
            question = common::get_control_text(d, 1);
            driver.click(d, button);
        });
    }
    std::string notes() { return common::get_control_text(components_window, ID_INVOICE_NOTES); }
    std::string status() { return common::get_control_text(main_frame, ID_STATUS_BAR); }
    std::string caption, question;
};

TEST_F(JobLock, TheSecondToOpenAJobIsToldWhoHasItOpenAndSinceWhen) {
    const long long since = common::seconds_now() - 3600;
    bob_has_it_open(since);
    answer_open_question(CANCEL);
    open_job();
    EXPECT_EQ(caption, "The Job is open on another desktop...");
    EXPECT_EQ(question, "The job inv0042 is open: bob on desk2 since " +
                            common::lock_time_text(since) +
                            ". Open it read-only, or open it anyway and change it there too?");
    EXPECT_FALSE(state.job_loaded) << "cancelled: nothing opened";
    EXPECT_EQ(status(), "job NOT opend ...");
    EXPECT_NE(notes(), "from the office");
    EXPECT_NE(read_file("data/inv0042.job.lock").find("user: bob"), std::string::npos)
        << "his lock is his";

    answer_open_question(OPEN_ANYWAY);
    open_job();
    EXPECT_TRUE(state.job_loaded);
    EXPECT_EQ(notes(), "from the office");
    EXPECT_FALSE(job_is_read_only());
    tool(CMD_SAVE);  // opened anyway: saved without a question about the lock
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_NE(read_file("data/inv0042.job").find("Job Number:inv0042"), std::string::npos);
}

TEST_F(JobLock, AJobOpenedReadOnlyIsNotSavedOverWithoutAQuestion) {
    bob_has_it_open(common::seconds_now() - 60);
    answer_open_question(READ_ONLY);
    open_job();
    ASSERT_TRUE(state.job_loaded);
    EXPECT_TRUE(job_is_read_only());
    driver.type(components_window, ID_INVOICE_NOTES, "changed here");
    driver.answer_message_box(common::IDNO);
    tool(CMD_SAVE);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "The Job is open on another desktop...");
    EXPECT_EQ(driver.messages()[0].text.rfind(
                  "The job inv0042 was opened read-only: it is open on bob on desk2 since ", 0),
              0u)
        << driver.messages()[0].text;
    EXPECT_EQ(read_file("data/inv0042.job"), JOB);
    EXPECT_EQ(status(), "job NOT saved ...");
    // Saved as another job: a new file of its own, nobody else's.
    driver.clear_records();
    driver.answer_file_requester(path_of("data/inv0043.job"));
    tool(CMD_SAVE_AS);
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_NE(read_file("data/inv0043.job").find("Invoice notes: changed here"), std::string::npos);
    EXPECT_TRUE(file_exists("data/inv0043.job.lock")) << "now this desktop has that one open";
    EXPECT_FALSE(job_is_read_only());
}

TEST_F(JobLock, ALockLeftByACrashedDesktopKeepsNobodyOut) {
    bob_has_it_open(common::seconds_now() - 7200, 120);  // nothing heard for two minutes
    open_job();
    EXPECT_TRUE(driver.unanswered_dialogs().empty()) << "no question asked";
    EXPECT_TRUE(state.job_loaded);
    const std::optional<common::LockHolder> holder = common::lock_holder(job() + ".lock");
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->host, common::this_host());
    EXPECT_EQ(holder->process, common::this_process());
    // New closes the job: the lock goes with it.
    driver.answer_dialog([this](common::Window& d) { driver.click(d, 3); });  // "No" to saving
    tool(CMD_NEW);
    EXPECT_FALSE(file_exists("data/inv0042.job.lock"));
}

TEST_F(JobLock, AFileChangedOnDiskIsNotSavedOverWithoutAQuestionNamingWhenAndWho) {
    open_job();
    ASSERT_TRUE(state.job_loaded);
    // Bob opened it anyway on his desktop and saved his notes.
    const std::string his = JOB.substr(0, JOB.find("Invoice notes:")) + "Invoice notes: Bob's\r\n";
    write_file("data/inv0042.job", his);
    fs::last_write_time(job(), fs::file_time_type::clock::now() + std::chrono::seconds(5));
    const common::FileStamp changed = common::file_stamp(job());
    const std::string my_lock = read_file("data/inv0042.job.lock");
    bob_has_it_open(common::seconds_now() - 10);
    driver.answer_message_box(common::IDNO);
    tool(CMD_SAVE);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "The file changed on disk...");
    EXPECT_EQ(driver.messages()[0].text,
              fs::path(job()).string() + "\r\nwas changed on disk at " +
                  common::lock_time_text(changed.modified_ns / 1000000000) +
                  " by bob on desk2, after it was opened here.\r\n\r\nSave over it?");
    EXPECT_EQ(read_file("data/inv0042.job"), his) << "his save is not written over";
    write_file("data/inv0042.job.lock", my_lock);
    driver.clear_records();
    driver.answer_message_box(common::IDYES);
    tool(CMD_SAVE);
    EXPECT_NE(read_file("data/inv0042.job"), his) << "the user said yes";
    driver.clear_records();
    tool(CMD_SAVE);
    EXPECT_TRUE(driver.messages().empty()) << "what was saved here is no change on disk";
}

TEST_F(JobLock, ACustomerChangedOnDiskIsNotSavedOverWithoutAQuestion) {
    write_file("data/Jo Smith.kez", "name:Jo Smith\r\nlandline:0123\r\n");
    driver.check(description_window, ID_CUSTOMER, true);
    LoadCustomer(path_of("data/Jo Smith.kez"));
    driver.type(customer_window, 105, "jo@example.com");
    write_file("data/Jo Smith.kez", "name:Jo Smith\r\nlandline:0999\r\n");
    fs::last_write_time(path_of("data/Jo Smith.kez"),
                        fs::file_time_type::clock::now() + std::chrono::seconds(5));
    driver.answer_message_box(common::IDNO);
    SaveCustomer();
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "The file changed on disk...");
    EXPECT_EQ(read_file("data/Jo Smith.kez"), "name:Jo Smith\r\nlandline:0999\r\n");
    EXPECT_EQ(status(), "customer NOT saved ...");
}

}  // namespace
}  // namespace jobs
