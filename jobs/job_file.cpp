// Saving a job from the job windows into its job file and loading one back into them.
#include "job_file.h"

#include "common/clock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "frame.h"
#include "installation.h"
#include "job_lock.h"
#include "record_file.h"
#include "state.h"

namespace jobs {

namespace {

using namespace common;

// The invoice list's columns: item, each, number, price all, notes.
constexpr int kListColumns = 5;

bool checked(int id) {
    return get_check(description_window, id) == 1;
}

int invoice_rows() {
    return control_command(components_window, ID_LINE_LIST, LV_ROW_COUNT);
}

std::vector<InvoiceCells> invoice_lines_shown() {
    std::vector<InvoiceCells> lines(static_cast<std::size_t>(std::max(0, invoice_rows())));
    for (std::size_t row = 0; row < lines.size(); ++row)
        for (int column = 0; column < kListColumns; ++column)
            control_command(components_window, ID_LINE_LIST, LV_GET_CELL, long(row), long(column),
                            &lines[row][column]);
    return lines;
}

void fill_installation(JobRecord& job) {
    job.has_installation = true;
    for (int i = 0; i < SURVEY_FIELD_COUNT; ++i)
        job.survey[i] = get_control_text(installation_window, ID_FIRST_SURVEY_FIELD + i);
    int done = list_count(installation_window, ID_PROCESS_DONE);
    for (int row = 0; row < done; ++row)
        job.done_steps.push_back(list_get(installation_window, ID_PROCESS_DONE, row));
}

JobRecord job_shown() {
    JobRecord job;
    job.job_name = state.job_name;
    job.date = date_text("dd'-'MM'-'yyyy");
    job.time = time_text();
    job.payment = checked(ID_PAYMENT);
    job.invoice = checked(ID_INVOICE);
    job.has_customer = checked(ID_CUSTOMER);
    // The tick copies the name once a second; a name typed just now must not be missed.
    if (state.customer_window_open)
        state.customer_name = get_control_text(customer_window, ID_CUSTOMER_NAME);
    job.customer_name = state.customer_name;
    job.installation_locked = checked(ID_INSTALATION);
    job.invoice_lines = invoice_lines_shown();
    state.invoice_line_count = static_cast<int>(job.invoice_lines.size());
    JobCharges charges = job_charges();
    job.carriage = charges.carriage;
    job.discount = charges.discount;
    job.invoice_notes = get_control_text(components_window, ID_INVOICE_NOTES);
    if (state.installation_window_open) fill_installation(job);
    return job;
}

void report_save_failure() {
    show_status("problem saving job ...");
    message_box(nullptr, "problem saving job ...", "Message...savre job...", 0);
}

void clear_invoice_list() {
    for (int rows = invoice_rows(); rows > 0; --rows)
        control_command(components_window, ID_LINE_LIST, LV_DELETE_ROW, 0L);
    state.invoice_line_count = 0;
}

void show_invoice_lines(const std::vector<InvoiceCells>& lines) {
    clear_invoice_list();
    for (const InvoiceCells& cells : lines) {
        long row = state.invoice_line_count++;
        control_command(components_window, ID_LINE_LIST, LV_INSERT_ROW, row, cells[0]);
        for (int column = 1; column < kListColumns; ++column)
            control_command(components_window, ID_LINE_LIST, LV_SET_CELL, row, long(column),
                            cells[column]);
    }
}

void show_customer(const JobRecord& job) {
    if (!job.has_customer) {
        if (state.customer_window_open) {
            close_window(customer_window);
            state.customer_window_open = false;
        }
        set_check(description_window, ID_CUSTOMER, 0);
        return;
    }
    set_check(description_window, ID_CUSTOMER, 1);
    if (!state.customer_window_open) OpenCustomerWindow();
    // A name that is no file name (one naming another folder) finds no customer file.
    if (LoadCustomer(usable_file_name(job.customer_name) ? customer_file_path(job.customer_name)
                                                         : std::string()))
        return;
    // The job stays this customer's: a later Save must not point it at whatever name the
    // window showed before.
    set_control_text(customer_window, ID_CUSTOMER_NAME, job.customer_name);
    state.customer_name = job.customer_name;
    state.unread_customer = job.customer_name;
}

// Each step recorded as done leaves "Jobs todo" once, at its first entry.
void move_done_steps(const std::vector<std::string>& done_steps) {
    for (const std::string& step : done_steps) {
        int count = list_count(installation_window, ID_PROCESS_TODO);
        for (int row = 0; row < count; ++row) {
            if (list_get(installation_window, ID_PROCESS_TODO, row) != step) continue;
            list_delete(installation_window, ID_PROCESS_TODO, row);
            list_add(installation_window, ID_PROCESS_DONE, step);
            break;
        }
    }
}

void show_installation(const JobRecord& job) {
    if (state.installation_window_open) CloseInstallationWindow();
    if (!job.has_installation) {
        set_check(description_window, ID_INSTALATION, 0);
        return;
    }
    OpenInstallationWindow();
    set_check(description_window, ID_INSTALATION, 1);
    for (int i = 0; i < SURVEY_FIELD_COUNT; ++i)
        set_control_text(installation_window, ID_FIRST_SURVEY_FIELD + i, job.survey[i]);
    move_done_steps(job.done_steps);
    set_control_text(installation_window, ID_PROCESS_TODO, job.survey[SURVEY_FIELD_COUNT - 1]);
}

}  // namespace

bool SaveJob(const std::string& path) {
    show_status("saving job ...");
    // Another desktop's work is not written over without the user's word.
    if (!may_save_job_to(path)) {
        show_message("NOT Saved     ");
        show_status("job NOT saved ...");
        return false;
    }
    const bool saved = write_record_file(path, job_file_lines(job_shown())) == WriteResult::Written;
    if (saved) {
        job_saved_to(path);
        state.job_file = path;
        show_message("Saved...     ");
        show_status("saved ...");
    } else {
        report_save_failure();
    }
    if (!state.customer_window_open) return saved;
    SaveCustomer();
    // The customer's "Saved" must not read as if the job had been saved too.
    if (!saved) {
        show_message("NOT Saved     ");
        show_status("problem saving job ...");
    }
    return saved;
}

void LoadJob(const std::string& path) {
    show_status("loading job ...");
    // The file is read whole before anything on screen changes, so a file that cannot be read
    // leaves the job shown as it was.
    std::vector<std::string> lines;
    JobRecord job;
    if (!read_record_file(path, lines) || !read_job_lines(lines, job)) {
        message_box(nullptr, "Unable to open the Job file", "Error...opening job file...", 0);
        show_status("problem loading job ...");
        state.job_loaded = false;
        return;
    }
    ShowJobTitle();
    if (job.has_invoice_notes)
        set_control_text(components_window, ID_INVOICE_NOTES, job.invoice_notes);
    set_check(description_window, ID_ENQUIRY, 0);
    set_check(description_window, ID_PAYMENT, job.payment ? 1 : 0);
    SetJobKind();
    show_customer(job);
    show_installation(job);
    show_invoice_lines(job.invoice_lines);
    set_job_charges(job.carriage.value_or(default_carriage_text()), job.discount.value_or("0%"));
    state.job_loaded = true;
    state.job_file = path;
    move_pen(components_window, 495, 170);
    print_text(components_window, "Total =");
}

bool SaveJobAs(const std::string& path) {
    state.job_name = job_name_from_path(path);
    bool saved = SaveJob(path);
    if (state.job_loaded) {
        if (state.installation_window_open) state.installation_allowed = false;
        ShowJobTitle();
    } else {
        ShowJobTitle();
        state.job_loaded = true;
        set_check(description_window, ID_ENQUIRY, 0);
    }
    return saved;
}

bool OfferSaveJob() {
    // Lines on screen outside a job file were never saved: they are asked about too.
    if (!state.job_loaded && invoice_rows() == 0) return true;
    ask("The Job might have changed...", "Save changes to the Job: " + state.job_name);
    if (state.answer != 1) return true;
    std::string path = state.job_name.empty() ? ask_save_path("Save Job File")
                                              : job_file_to_replace(state.job_name);
    if (path.empty()) {
        show_status("job NOT saved ...");
        return false;
    }
    // What was to follow (clearing the windows, closing) waits for a save that failed.
    return SaveJobAs(path);
}

std::string job_file_to_replace(const std::string& job_name) {
    std::string path = default_job_file(job_name);
    if (native_path(path) == native_path(state.job_file) || !file_exists(path)) return path;
    // Another job's file by that name (one opened from another folder has its name only).
    ask("Hang on i have a message...", "The file exists replace?");
    return state.answer == 1 ? path : std::string();
}

}  // namespace jobs
