// Every file the job manager rewrites, with each step of writing it failing in turn (a full
// disk, a failed flush or sync, a rename refused, a temporary that cannot be made): the old
// file stays whole, nothing is left beside it, the user is told, and nothing says "Saved".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "changed_on_disk.h"
#include "common/window.h"
#include "customer.h"
#include "help.h"
#include "job_file.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::testing::FileFailure;

struct SavePath {
    const char* name;
    std::string file;  // relative to the program folder
    std::function<void()> save;
    std::string message;
    std::string caption;
};

class SaveFailures : public testing::JobManagerTest {
protected:
    std::string message_field() { return common::get_control_text(main_frame, ID_MESSAGE_FIELD); }

    // Everything in the folder of `file`: no temporary may stay beside it.
    std::vector<std::string> beside(const std::string& file) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(path_of(file)).parent_path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void send_question() {
        driver.answer_dialog([&](common::Window&) {
            driver.type(help_dialog, ID_HELP_QUESTION, "Is the van back?");
            driver.click(help_dialog, ID_HELP_SEND);
            driver.click(help_dialog, ID_HELP_CANCEL);
        });
        driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_HELP);
    }
};

TEST_F(SaveFailures, EverySavePathKeepsTheOldFileAndSaysSo) {
    driver.check(description_window, ID_CUSTOMER, true);
    driver.type(customer_window, ID_CUSTOMER_NAME, "Jo Smith");
    // The customer window stays open: saving a job then saves the customer as well, and the
    // customer's "Saved" must not hide that the job was not.
    write_file("data/Jo Smith.kez", "");
    const std::vector<SavePath> paths = {
        {"job", "data/J1.job", [this] { SaveJob(path_of("data/J1.job")); },
         "problem saving job ...", "Message...savre job..."},
        {"customer", "data/Jo Smith.kez", [] { SaveCustomer(); }, "Problem saving data",
         "Error...Save data..."},
        {"help question", "help_question.txt", [this] { send_question(); },
         "problem creating or sending MESSAGE file", "error...CreateHtml..."},
        {"invoice page", "printdata/htmlout.htm",
         [this] { driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_PRINT); }, "problem WRITING file",
         "error...CreateHtml..."},
    };
    for (const SavePath& path : paths) {
        for (const FileFailure& failure : common::testing::rewrite_failures()) {
            SCOPED_TRACE(std::string(path.name) + ", " + failure.name);
            const std::string old_bytes = std::string("old ") + path.name + "\r\n";
            write_file(path.file, old_bytes);
            // Laid down as this program's own last save, not as another desktop's change.
            note_file_seen(path_of(path.file));
            const std::vector<std::string> before = beside(path.file);
            common::set_control_text(main_frame, ID_MESSAGE_FIELD, "");
            driver.clear_records();
            driver.fail_file_step(failure.step, 1, failure.error);
            path.save();
            driver.stop_failing_files();
            EXPECT_EQ(read_file(path.file), old_bytes);
            EXPECT_EQ(beside(path.file), before);
            ASSERT_FALSE(driver.messages().empty());
            EXPECT_EQ(driver.messages()[0].text, path.message);
            EXPECT_EQ(driver.messages()[0].caption, path.caption);
            EXPECT_NE(message_field().rfind("Saved", 0), 0u) << message_field();
        }
        // And with nothing failing the same path does save.
        driver.clear_records();
        path.save();
        EXPECT_NE(read_file(path.file), std::string("old ") + path.name + "\r\n") << path.name;
    }
}

}  // namespace
}  // namespace jobs
