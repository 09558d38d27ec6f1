// The customer window: one customer's contact details in edit fields, its own New, Open and
// Save tool bar, and the customer file in the data folder named after the customer.
#include "customer.h"

#include "changed_on_disk.h"
#include "common/clock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "frame.h"
#include "installation.h"
#include "record_file.h"
#include "state.h"

namespace jobs {

namespace {

using namespace common;

constexpr int ID_JOBS_LIST = 111;
constexpr long STYLE_LINE_EDIT = 0x50800000;
constexpr long STYLE_MULTI_LINE_EDIT = 4;
constexpr long STYLE_DROP_DOWN = 0x50A00602;
constexpr long CUSTOMER_WINDOW_FLAGS = 0x800050;

struct FieldLayout {
    int id;
    const char* caption;
    int x, y, width, height;
    long style;
};

const FieldLayout kFields[] = {
    {100, "Date", 2, 46, 200, 23, STYLE_LINE_EDIT},
    {101, "Reference", 205, 46, 200, 23, STYLE_LINE_EDIT},
    {102, "", 2, 70, 403, 23, STYLE_LINE_EDIT},
    {103, "phone land line", 2, 94, 200, 23, STYLE_MULTI_LINE_EDIT},
    {104, "Phone mobile", 205, 94, 200, 23, STYLE_MULTI_LINE_EDIT},
    {105, "Email", 2, 118, 403, 23, STYLE_MULTI_LINE_EDIT},
    {106, "Other contact info", 2, 142, 403, 23, STYLE_MULTI_LINE_EDIT},
    {107, "Address", 2, 166, 403, 46, STYLE_MULTI_LINE_EDIT},
    {108, "Post code", 2, 213, 403, 23, STYLE_MULTI_LINE_EDIT},
    {109, "Directions map", 2, 237, 403, 23, STYLE_MULTI_LINE_EDIT},
    {110, "Notes", 2, 261, 403, 46, STYLE_MULTI_LINE_EDIT},
};

// The texts New leaves in fields 102 to 110 (the date gets today's date, the reference stays).
const char* const kNewTexts[] = {"Name",    "Landline", "Mobile", "Email", "Other contact details",
                                 "Address", "Postcode", "Map",    "Notes"};

const std::string kDatePicture = "dd'-'MM'-'yyyy";

void add_tool_bar() {
    const std::vector<int> commands = {CMD_NEW,   CMD_OPEN, CMD_SAVE, CMD_SAVE_AS, 0,
                                       CMD_PRINT, CMD_HELP, 0,        0,           0};
    if (!create_tool_bar(customer_window, state.tool_bar_strip, "", ID_TOOL_BAR, commands,
                         TOOLBAR_TOP))
        return;
    control_command(customer_window, ID_TOOL_BAR, TB_LABELS,
                    std::string("New|Open|Save|SaveAs|Print|Help||"));
    control_command(customer_window, ID_TOOL_BAR, TB_LAYOUT);
    control_command(customer_window, ID_TOOL_BAR, TB_TOOLTIP, long(CMD_NEW),
                    std::string("Create New File"));
    control_command(customer_window, ID_TOOL_BAR, TB_TOOLTIP, long(CMD_OPEN),
                    std::string("Opens New File"));
    control_command(customer_window, ID_TOOL_BAR, TB_TOOLTIP, long(CMD_SAVE),
                    std::string("Saves current file"));
    control_command(customer_window, ID_TOOL_BAR, TB_TOOLTIP, long(CMD_PRINT),
                    std::string("Prints current document"));
    control_command(customer_window, ID_TOOL_BAR, TB_TOOLTIP, long(CMD_HELP),
                    std::string("Opens the help file"));
}

std::string name_field() {
    return get_control_text(customer_window, ID_CUSTOMER_NAME);
}

void new_customer() {
    stop_tick();
    if (name_field() != "Name") {
        SaveCustomer();
        ResetCustomer();
    } else {
        message_box(&customer_window, "Name needs changing", "Message...", 0);
    }
    restart_tick();
}

void open_customer() {
    stop_tick();
    // What is shown is kept before another customer replaces it.
    SaveCustomer();
    std::string path =
        file_requester("Open Customer File", &customer_window, 1, "Kez Files (*.kez)|*.kez", "", 0,
                       program_folder() + "\\data");
    LoadCustomer(path);
    restart_tick();
}

void save_customer_command() {
    stop_tick();
    SaveCustomerChecked();
    restart_tick();
}

// The window has no caption, so this comes only from the system; the boxes follow the windows.
void close_customer_window() {
    close_window(customer_window);
    state.customer_window_open = false;
    set_check(description_window, ID_CUSTOMER, 0);
    if (state.installation_window_open) {
        CloseInstallationWindow();
        set_check(description_window, ID_INSTALATION, 0);
        state.installation_allowed = true;
    }
}

int customer_handler(Window&) {
    const Event& e = event();
    if (e.event_class == EV_CLOSE) {
        close_customer_window();
        return 0;
    }
    if (e.event_class != EV_CONTROL || e.notify_code != NOTIFY_CLICKED) return 0;
    switch (e.control_id) {
        case CMD_NEW:
            new_customer();
            break;
        case CMD_OPEN:
            open_customer();
            break;
        case CMD_SAVE:
            save_customer_command();
            break;
        default:
            break;
    }
    return 0;
}

void report_save_failure() {
    message_box(nullptr, "Problem saving data", "Error...Save data...", 0);
    show_message("NOT Saved     ");
    show_status("problem saving data!");
}

CustomerFields fields_shown() {
    CustomerFields fields;
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i)
        fields[i] = get_control_text(customer_window, ID_CUSTOMER_FIRST_FIELD + i);
    return fields;
}

void show_map_picture(const std::string& map) {
    if (map.find(".jpg") == std::string::npos) return;
    int picture = load_image(program_folder() + "\\data\\" + map, IMAGE_PICTURE);
    if (state.current_picture != 0) delete_image(state.current_picture, IMAGE_PICTURE);
    state.current_picture = picture;
}

}  // namespace

void OpenCustomerWindow() {
    show_status("opening window 2 customer ...");
    open_window(customer_window, 2, 305, 410, 351, CUSTOMER_WINDOW_FLAGS, &main_frame,
                "Customer details", customer_handler);
    set_window_color(customer_window, rgb(64, 0, 64));
    for (const FieldLayout& f : kFields)
        add_control(customer_window, KIND_EDIT, f.caption, f.x, f.y, f.width, f.height, f.style,
                    f.id);
    add_control(customer_window, KIND_COMBO_BOX, "Jobs", 2, 308, 200, 100, STYLE_DROP_DOWN,
                ID_JOBS_LIST);
    add_tool_bar();
    state.customer_window_open = true;
}

void SaveCustomer() {
    std::string name = name_field();
    // A customer whose file could not be read is not written over it with what the window
    // happens to show; the window's own Save still writes it when the office asks.
    if (!name.empty() && name == state.unread_customer) {
        show_status("customer file not read, so not saved ...");
        return;
    }
    show_status("saving customer data ...");
    const bool file_name = name.empty() || usable_file_name(name);
    // Another desktop's change to this customer is not written over without the user's word.
    if (file_name && !may_write_over(customer_file_path(name), "")) {
        show_message("NOT Saved     ");
        show_status("customer NOT saved ...");
        return;
    }
    // A name with a folder in it would write outside the data folder: refused like a file
    // that cannot be written. The empty name of a fresh window still saves (as ".kez"), so
    // New and Open never hold the office up with a message there.
    WriteResult written =
        file_name ? write_record_file(customer_file_path(name), customer_file_lines(fields_shown()))
                  : WriteResult::NotOpened;
    if (written != WriteResult::Written) {
        report_save_failure();
        return;
    }
    note_file_seen(customer_file_path(name));
    show_message("Saved ...     ");
    show_status("saved ...");
}

void SaveCustomerChecked() {
    show_status("do you want to save data?");
    std::string name = name_field();
    if (name == "Name" || name.empty()) {
        message_box(&customer_window, "Please enter a name in the second box down",
                    "Message...Bad name...", 0);
        return;
    }
    state.unread_customer.clear();
    if (usable_file_name(name) && file_exists(customer_file_path(name))) {
        ask("Hang on i have a message...", "The file exists replace?");
        if (state.answer == 1) SaveCustomer();
        return;
    }
    SaveCustomer();
}

void ResetCustomer() {
    state.unread_customer.clear();
    set_control_text(customer_window, ID_CUSTOMER_FIRST_FIELD, date_text(kDatePicture));
    for (int i = 0; i < 9; ++i) set_control_text(customer_window, 102 + i, kNewTexts[i]);
}

bool LoadCustomer(const std::string& path) {
    show_status("opening customer file ...");
    std::vector<std::string> lines;
    if (!read_record_file(path, lines)) {
        // The file is named, so the office knows which one to look for.
        std::string named = path.empty() ? "" : "\r\n" + native_path(path);
        message_box(nullptr, "Unable to open file please try again later" + named,
                    "Message...Open customer file...", 0);
        show_status("problem opening customer file ...");
        return false;
    }
    state.unread_customer.clear();
    note_file_seen(path);
    CustomerFieldsRead read = read_customer_lines(lines);
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i)
        if (read[i]) set_control_text(customer_window, ID_CUSTOMER_FIRST_FIELD + i, *read[i]);
    state.customer_name = name_field();
    show_map_picture(get_control_text(customer_window, 109));
    return true;
}

}  // namespace jobs
