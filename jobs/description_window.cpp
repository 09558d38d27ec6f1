// The job description window: "Enquiry" starts afresh, "Payment" and "Invoice" choose the job
// kind, "Customer" and "Instalation" show and hide the customer and installation windows.
#include "description_window.h"

#include "common/services.h"
#include "common/text.h"
#include "components.h"
#include "customer.h"
#include "frame.h"
#include "installation.h"
#include "job_file.h"
#include "state.h"

namespace jobs {
namespace {

common::Window& window = description_window;

constexpr long DARK_RED = common::rgb(100, 0, 0);
constexpr long WHITE = common::rgb(255, 255, 255);
const std::string NO_JOB_LOADED = "No Job loaded" + common::spaces(9);

struct CheckBox {
    int id;
    const char* caption;
    int y;
};

constexpr CheckBox CHECK_BOXES[] = {{ID_ENQUIRY, "Enquiry", 60},
                                    {ID_PAYMENT, "Payment", 83},
                                    {ID_INVOICE, "Invoice", 106},
                                    {ID_CUSTOMER, "Customer", 129},
                                    {ID_INSTALATION, "Instalation", 152}};

bool checked(int id) {
    return common::get_check(window, id) == 1;
}

void draw_at(int x, int y, const std::string& text) {
    common::move_pen(window, x, y);
    common::print_text(window, text);
}

void delete_invoice_lines() {
    int rows = common::control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT);
    for (int i = 0; i < rows; ++i)
        common::control_command(components_window, ID_LINE_LIST, common::LV_DELETE_ROW,
                                common::CommandArg(0L));
    state.invoice_line_count = 0;
}

void start_enquiry() {
    // The user is always asked whether to keep the job, even when none was loaded.
    const bool loaded = state.job_loaded;
    const std::string name = state.job_name;
    state.job_loaded = true;
    if (!OfferSaveJob()) {
        // Nothing was saved: the job stays on screen, and the box unchecked. A save that was
        // tried and failed has named and marked the job as SaveJobAs does.
        if (state.job_name == name) state.job_loaded = loaded;
        common::set_check(window, ID_ENQUIRY, 0);
        return;
    }
    delete_invoice_lines();
    common::set_check(window, ID_INSTALATION, 0);
    common::enable_control(window, ID_PAYMENT, true);
    CloseInstallationWindow();
    state.installation_window_open = false;
    state.job_loaded = false;
    draw_at(5, 30, NO_JOB_LOADED);
    state.job_name.clear();
    state.job_file.clear();
    state.installation_allowed = true;
}

void enquiry_clicked() {
    if (checked(ID_ENQUIRY)) {
        start_enquiry();
        return;
    }
    common::message_box(&main_frame,
                        "Please SAVE the data, \r\n create a NEW job or OPEN an existing Job file.",
                        "Message...no Job loaded...", 0);
}

void invoice_clicked() {
    common::set_check(window, ID_PAYMENT, checked(ID_INVOICE) ? 0 : 1);
    SetJobKind();
}

void customer_clicked() {
    if (!state.customer_window_open && checked(ID_CUSTOMER)) {
        OpenCustomerWindow();
        state.customer_window_open = true;
    }
    if (state.customer_window_open && !checked(ID_CUSTOMER)) {
        common::close_window(customer_window);
        state.customer_window_open = false;
    }
}

void instalation_clicked() {
    if (!state.installation_window_open && checked(ID_INSTALATION)) {
        OpenInstallationWindow();
        state.installation_window_open = true;
    }
    if (state.installation_window_open && !checked(ID_INSTALATION)) {
        CloseInstallationWindow();
        state.installation_allowed = true;
        state.installation_window_open = false;
    }
}

int handle_description(common::Window& w) {
    const common::Event& e = common::event();
    if (e.event_class == common::EV_CLOSE) {
        common::close_window(w);
        state.description_window_open = false;
        return 0;
    }
    if (e.event_class != common::EV_CONTROL) return 0;
    switch (e.control_id) {
        case ID_ENQUIRY:
            enquiry_clicked();
            break;
        case ID_PAYMENT:
            SetJobKind();
            break;
        case ID_INVOICE:
            invoice_clicked();
            break;
        case ID_CUSTOMER:
            customer_clicked();
            break;
        case ID_INSTALATION:
            instalation_clicked();
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

void build_description_window() {
    show_status("opening window 5 job components ...");
    common::open_window(window, 2, 43, 210, 260, 0x800040, &main_frame, "Job discription",
                        handle_description);
    common::set_window_color(window, DARK_RED);
    common::set_text_background(window, DARK_RED);
    common::set_text_color(window, WHITE);
    common::set_font(window, "CENTURY_GOTHIC", 12, 600, 0xFF0000, 0);
    for (const CheckBox& box : CHECK_BOXES) {
        common::add_control(window, common::KIND_CHECK_BOX, box.caption, 5, box.y, 120, 23,
                            0x50000003, box.id);
        common::set_control_color(window, box.id, WHITE, DARK_RED);
    }
    common::set_check(window, ID_INVOICE, 1);
    draw_at(5, 3, "Job components");
    draw_at(6, 30, NO_JOB_LOADED);
    state.description_window_open = true;
}

void ShowJobTitle() {
    draw_at(6, 30, "Job: " + state.job_name + common::spaces(13));
}

}  // namespace jobs
