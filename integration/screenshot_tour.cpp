// Walks both programs through the windows a person meets, with realistic content, on a real X
// display, and saves each window as the screen shows it (cropped from the display with
// ImageMagick's import). Run by scripts/screenshot.sh under Xvfb at 96 dpi:
//   screenshot_tour <program folder with the office's files> <picture folder>
// The test driver answers the file requester and message boxes and fires the timers, so the
// walk is the same on every run; the clock is fixed at Thursday 10 December 2026, 09:30.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "jobs/frame.h"
#include "jobs/help.h"
#include "jobs/state.h"
#include "todo/startup.h"
#include "todo/state.h"

namespace {

std::string pictures;
int failures = 0;

// Lets the display draw what the programs just did.
void settle() {
    for (int i = 0; i < 25; ++i) {
        common::wait_events(1);
        usleep(20000);
    }
}

void snap(common::Window& window, const std::string& name) {
    settle();
    common::Rect r = common::get_rect(window);
    std::string path = pictures + "/" + name;
    std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                          std::to_string(r.height) + "+" + std::to_string(r.left) + "+" +
                          std::to_string(r.top) + " +repage '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "could not save %s\n", path.c_str());
        ++failures;
        return;
    }
    std::printf("saved %s (%d x %d)\n", path.c_str(), r.width, r.height);
}

void snap_open(common::Window& window, const std::string& name) {
    if (window.is_open()) {
        snap(window, name);
    } else {
        std::fprintf(stderr, "%s: the window did not open\n", name.c_str());
        ++failures;
    }
}

void job_manager_tour(common::testing::Driver& driver, const std::string& folder) {
    jobs::start_up();
    snap(jobs::main_frame, "jobs-start.png");

    driver.answer_file_requester(folder + "data/inv0042.job");
    driver.choose_tool(jobs::main_frame, jobs::ID_TOOL_BAR, jobs::CMD_OPEN);
    driver.check(jobs::description_window, jobs::ID_CUSTOMER, true);
    driver.check(jobs::description_window, jobs::ID_INSTALATION, true);
    driver.fire_timer(jobs::main_frame, 1);
    driver.fire_timer(jobs::main_frame, 1);
    snap(jobs::main_frame, "jobs-job.png");

    driver.answer_dialog([&](common::Window& question) {
        snap(question, "jobs-question.png");
        driver.click(question, 3);  // No
    });
    jobs::ask("The Job might have changed...", "Save changes to the Job: " + jobs::state.job_name);

    driver.answer_dialog([&](common::Window& help) { snap(help, "jobs-help.png"); });
    jobs::toggle_help();
    jobs::clean_up();
}

void add_entry(common::testing::Driver& driver, const std::string& text, const std::string& day,
               const std::string& hours, const std::string& minutes) {
    common::Window& dialog = todo::main_dialog;
    driver.type(dialog, todo::ID_ENTRY_EDIT, text);
    driver.type(dialog, todo::ID_DAY_FIELD, day);
    driver.type(dialog, todo::ID_MONTH_FIELD, "12");
    driver.type(dialog, todo::ID_THIRD_FIELD, "2026");
    driver.type(dialog, todo::ID_HOURS_FIELD, hours);
    driver.type(dialog, todo::ID_MINUTES_FIELD, minutes);
    driver.click(dialog, todo::ID_ADD);
}

void todo_tour(common::testing::Driver& driver) {
    todo::exit_hook = [] { std::fprintf(stderr, "the to-do program asked to end\n"); };
    todo::start_cycle();
    if (!todo::main_dialog.is_open()) {
        ++failures;
        return;
    }
    add_entry(driver, "Order panels for the Smith job", "11", "14", "00");
    add_entry(driver, "Book scaffold for 7 Caf\xE9 Row", "14", "08", "00");
    add_entry(driver, "Send invoice inv0042 to John Smith", "10", "16", "30");
    add_entry(driver, "Call Mrs Clark about the inverter warranty", "10", "09", "30");
    driver.fire_timer(todo::main_dialog, todo::REMINDER_TIMER);  // this minute's alarm
    snap(todo::main_dialog, "todo-main.png");

    // Both dialogs are modeless; each is shown alone over the main dialog.
    driver.choose_tool(todo::main_dialog, todo::ID_TOOL_BAR, todo::CMD_ALARM_ACTION);
    snap_open(todo::alarm_dialog, "todo-alarm-action.png");
    common::close_dialog(todo::alarm_dialog, 0);
    driver.choose_tool(todo::main_dialog, todo::ID_TOOL_BAR, todo::CMD_NN_WEIGHTS);
    snap_open(todo::weights_dialog, "todo-weights.png");
    common::close_dialog(todo::weights_dialog, 0);
    todo::end_cycle();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder> <picture folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    pictures = argv[2];
    common::init_layer(argc, argv);
    common::layer_hooks().program_folder = folder;
    if (chdir(folder.c_str()) != 0) return 1;  // the to-do program's own files go beside it
    common::testing::Driver driver;
    driver.set_clock(2026, 12, 10, 9, 30, 0);
    job_manager_tour(driver, folder);
    todo_tour(driver);
    return failures == 0 ? 0 : 1;
}
