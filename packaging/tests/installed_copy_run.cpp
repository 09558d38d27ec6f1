// An installed copy's start, driven to save: copied into the bin folder of a test install, it
// starts exactly as the programs' main functions do (window layer, then office folder), then
// acts as the office user through the test driver, because a headless run has nobody to click
// Save. What it saves, and where, the install test checks from outside.
//
//   installed_copy_run job [--folder DIR]     opens the sample job, notes a text, saves it
//   installed_copy_run job-notes [...]        opens the sample job, prints its invoice notes
//   installed_copy_run todo [...]             adds a to-do entry (Add saves the database)
//   installed_copy_run todo-entries [...]     prints the to-do entries' texts
#include <iostream>
#include <string>

#include "common/hooks.h"
#include "common/office_folder.h"
#include "common/services.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "jobs/components.h"
#include "jobs/frame.h"
#include "jobs/state.h"
#include "todo/startup.h"
#include "todo/state.h"

namespace {

constexpr const char* SAVED_NOTE = "Saved from the installed copy";
constexpr const char* SAVED_ENTRY = "Ring Mrs Patel about her survey";

void open_sample_job(common::testing::Driver& driver) {
    jobs::start_up();
    driver.answer_file_requester(common::program_folder() + "data/inv0042.job");
    driver.choose_tool(jobs::main_frame, jobs::ID_TOOL_BAR, jobs::CMD_OPEN);
}

int save_job(common::testing::Driver& driver) {
    open_sample_job(driver);
    if (jobs::state.job_name != "inv0042" || jobs::state.invoice_line_count == 0) {
        std::cerr << "the sample job did not open\n";
        return 1;
    }
    driver.type(jobs::components_window, jobs::ID_INVOICE_NOTES, SAVED_NOTE);
    driver.choose_tool(jobs::main_frame, jobs::ID_TOOL_BAR, jobs::CMD_SAVE);
    std::cout << common::get_control_text(jobs::main_frame, jobs::ID_STATUS_BAR) << "\n";
    jobs::clean_up();
    return 0;
}

int print_job_notes(common::testing::Driver& driver) {
    open_sample_job(driver);
    std::cout << common::get_control_text(jobs::components_window, jobs::ID_INVOICE_NOTES) << "\n";
    jobs::clean_up();
    return 0;
}

int add_todo_entry(common::testing::Driver& driver) {
    todo::start_cycle();
    driver.type(todo::main_dialog, todo::ID_ENTRY_EDIT, SAVED_ENTRY);
    driver.type(todo::main_dialog, todo::ID_DAY_FIELD, "24");
    driver.type(todo::main_dialog, todo::ID_MONTH_FIELD, "12");
    driver.type(todo::main_dialog, todo::ID_THIRD_FIELD, "2026");
    driver.type(todo::main_dialog, todo::ID_HOURS_FIELD, "09");
    driver.type(todo::main_dialog, todo::ID_MINUTES_FIELD, "30");
    driver.click(todo::main_dialog, todo::ID_ADD);
    todo::end_cycle();
    return 0;
}

int print_todo_entries() {
    todo::start_cycle();
    const int count = common::list_count(todo::main_dialog, todo::ID_TEXT_COLUMN);
    for (int row = 0; row < count; ++row)
        std::cout << common::list_get(todo::main_dialog, todo::ID_TEXT_COLUMN, row) << "\n";
    todo::end_cycle();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    if (!common::open_office_folder(argc, argv)) return 1;
    const std::string action = argc > 1 ? argv[1] : "";
    common::testing::Driver driver;
    common::layer_hooks().manual_timers = true;
    driver.set_clock(2026, 12, 10, 9, 0, 0);
    int result = 2;
    if (action == "job") result = save_job(driver);
    if (action == "job-notes") result = print_job_notes(driver);
    if (action == "todo") result = add_todo_entry(driver);
    if (action == "todo-entries") result = print_todo_entries();
    // Whatever the programs said goes to the log, so a failed check shows why.
    for (const auto& message : driver.messages())
        std::cerr << "message: " << message.caption << ": " << message.text << "\n";
    for (const auto& dialog : driver.unanswered_dialogs())
        std::cerr << "unanswered dialog: " << dialog << "\n";
    return result;
}
