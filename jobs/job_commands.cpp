// The job commands of the main frame's tool bar: New, Open, Save and SaveAs. The frame stops
// its timer around each of them, so no tick reads the job windows half filled.
#include "common/services.h"
#include "common/window.h"
#include "components.h"
#include "frame.h"
#include "installation.h"
#include "job_file.h"
#include "job_lock.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {

namespace {

using namespace common;

std::string data_folder() {
    return program_folder() + "\\data";
}

// New asks first: under the job's name when it has a file, otherwise before resetting.
bool new_job_agreed() {
    if (state.job_loaded && !state.job_name.empty()) {
        ask("The Job might have changed...",
            "Do you want to save changes to the Job: " + state.job_name);
        if (state.answer != 1) return true;
        // The windows are cleared only once the job is safely in its file.
        std::string path = job_file_to_replace(state.job_name);
        return !path.empty() && SaveJob(path);
    }
    ask("The data might have changed...", "All windows will be reset, press YES to continue");
    return state.answer == 1;
}

void clear_job_windows() {
    if (state.components_window_open) {
        for (int rows = control_command(components_window, ID_LINE_LIST, LV_ROW_COUNT); rows > 0;
             --rows)
            control_command(components_window, ID_LINE_LIST, LV_DELETE_ROW, 0L);
        state.invoice_line_count = 0;
    }
    if (state.installation_window_open) {
        CloseInstallationWindow();
        set_check(description_window, ID_INSTALATION, 0);
    }
    if (!state.components_window_open) {
        build_components_window();
        price_list_name = "KezPriceList.dat";
        LoadProducts();
    }
}

void show_no_job() {
    state.job_name.clear();
    state.job_file.clear();
    set_check(description_window, ID_ENQUIRY, 0);
    ShowJobTitle();
    state.job_loaded = false;
    move_pen(description_window, 6, 30);
    print_text(description_window, "No Job loaded         ");
}

std::string save_path(const std::string& title) {
    return state.job_name.empty() ? ask_save_path(title) : job_file_to_replace(state.job_name);
}

void save_to(const std::string& path) {
    if (path.empty())
        show_status("job NOT saved ...");
    else
        SaveJobAs(path);
    // The carriage and discount are the job's and stay as they are.
    redraw_component_labels();
}

}  // namespace

std::string ask_save_path(const std::string& title) {
    return file_requester(title, &customer_window, 0, "Kez Job Files (*.job)|*.job", "job", 0,
                          data_folder());
}

void NewJob() {
    state.installation_allowed = true;
    if (!new_job_agreed()) return;
    clear_job_windows();
    show_no_job();
    let_go_of_job();
    set_control_text(components_window, ID_INVOICE_NOTES, "Invoice notes");
    ResetComponents();
}

void OpenJob() {
    if (!OfferSaveJob()) return;
    std::string path = file_requester("Open Job File", &main_frame, 1,
                                      "Job text files (*.job)|*.job", "", 0, data_folder());
    if (path.empty() || !claim_job(path)) {
        show_status("job NOT opend ...");
    } else {
        // A file that cannot be read leaves the current job, its name and its file as they
        // were, so a later Save cannot write this job over the file that failed to open.
        std::string name = state.job_name, file = state.job_file;
        bool loaded = state.job_loaded;
        state.job_name = job_name_from_path(path);
        LoadJob(path);
        if (!state.job_loaded) {
            state.job_name = name;
            state.job_file = file;
            state.job_loaded = loaded;
        }
        settle_job_claim(path, state.job_loaded);
    }
    state.installation_allowed = !state.installation_window_open;
    redraw_component_labels();
}

void SaveCurrentJob() {
    save_to(save_path("Save Job File"));
}

void SaveJobAsCommand() {
    save_to(ask_save_path("Save As Job File"));
}

}  // namespace jobs
