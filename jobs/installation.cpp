// The installation window: the site survey of a solar installation and the job's progress
// through the office's installation steps ("Jobs todo" and "Jobs done").
#include "installation.h"

#include "common/services.h"
#include "common/window.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {

namespace {

using namespace common;

constexpr int ID_MOVE_TO_DONE = 113;
constexpr int ID_MOVE_TO_TODO = 114;
constexpr int ID_OPEN_PROCESS_LIST = 115;
constexpr int ID_OPEN_EXTRA_NOTES = 116;
constexpr long INSTALLATION_WINDOW_FLAGS = 0x800040;
constexpr long STYLE_DROP_DOWN = 0x50A00602;
constexpr long STYLE_BUTTON = 0x50000000;
constexpr long STYLE_LINE_EDIT = 0x50800000;
constexpr long STYLE_MULTI_LINE_EDIT = 4;
constexpr long kYellow = rgb(201, 203, 0);

struct ControlLayout {
    int id;
    int kind;
    const char* caption;
    int x, y, width, height;
    long style;
};

const ControlLayout kControls[] = {
    {ID_PROCESS_TODO, KIND_COMBO_BOX, "Job progress", 80, 32, 485, 293, STYLE_DROP_DOWN},
    {ID_PROCESS_DONE, KIND_COMBO_BOX, "Job progress", 80, 81, 485, 244, STYLE_DROP_DOWN},
    {ID_OPEN_PROCESS_LIST, KIND_BUTTON, "Open Jobs list", 80, 5, 170, 20, STYLE_BUTTON},
    {ID_OPEN_EXTRA_NOTES, KIND_BUTTON, "Open extra job notes", 260, 5, 170, 20, STYLE_BUTTON},
    {ID_MOVE_TO_DONE, KIND_BUTTON, "Move Job to DONE list", 80, 58, 170, 20, STYLE_BUTTON},
    {ID_MOVE_TO_TODO, KIND_BUTTON, "Move Job back to TODO list", 255, 58, 208, 20, STYLE_BUTTON},
    {100, KIND_COMBO_BOX, "Type of instalation", 80, 127, 300, 200, STYLE_DROP_DOWN},
    {101, KIND_EDIT, "0", 495, 129, 70, 23, STYLE_LINE_EDIT},
    {106, KIND_EDIT, "slate", 80, 155, 300, 23, STYLE_MULTI_LINE_EDIT},
    {102, KIND_EDIT, "12", 495, 155, 70, 23, STYLE_LINE_EDIT},
    {107, KIND_EDIT, "good", 100, 181, 280, 23, STYLE_MULTI_LINE_EDIT},
    {103, KIND_EDIT, "SW", 495, 181, 70, 23, STYLE_MULTI_LINE_EDIT},
    {108, KIND_EDIT, "in house", 100, 207, 280, 23, STYLE_MULTI_LINE_EDIT},
    {104, KIND_EDIT, "56", 495, 207, 70, 23, STYLE_MULTI_LINE_EDIT},
    {109, KIND_EDIT, "not shaded till afternoon", 80, 233, 300, 23, STYLE_MULTI_LINE_EDIT},
    {105, KIND_EDIT, "5mtr", 495, 233, 70, 23, STYLE_MULTI_LINE_EDIT},
    {110, KIND_EDIT, "Notes", 50, 260, 529, 24, STYLE_MULTI_LINE_EDIT},
};

struct Label {
    int x, y;
    const char* text;
};

const Label kLabels[] = {
    {20, 36, "Jobs todo"},
    {20, 82, "Jobs done"},
    {2, 129, "Instalation type"},
    {400, 131, "Number of panels"},
    {400, 157, "Array Voltage"},
    {400, 183, "Roof facing"},
    {400, 209, "Roof Angle"},
    {400, 235, "Roof from floor M"},
    {2, 157, "Roof Type"},
    {2, 183, "Under roof access"},
    {2, 209, "Electriction details"},
    {2, 235, "Location quality"},
    {2, 260, "Notes"},
};

void draw_labels() {
    for (const Label& label : kLabels) {
        move_pen(installation_window, label.x, label.y);
        print_text(installation_window, label.text);
    }
}

// Moves the step shown in one list's edit part to the end of the other list. One press moves
// one step: the first entry equal to the text, so a step the process lists twice is done one
// stage at a time. An empty or unmatched text moves nothing.
void move_step(int from, int to) {
    std::string step = get_control_text(installation_window, from);
    if (step.empty()) return;
    int count = list_count(installation_window, from);
    for (int i = 0; i < count; ++i) {
        if (list_get(installation_window, from, i) != step) continue;
        list_add(installation_window, to, step);
        list_delete(installation_window, from, i);
        set_control_text(installation_window, from, "");
        set_control_text(installation_window, to, step);
        return;
    }
}

void open_extra_notes() {
    std::string path = file_requester("Open extra information file", nullptr, 1,
                                      "Text Files (*.txt*)|*.txt*||", "", 0, "C:\\");
    if (!path.empty()) start_program(path, "");
}

// The window has no caption, so this comes only from the system; the box follows the window.
void close_on_request() {
    CloseInstallationWindow();
    set_check(description_window, ID_INSTALATION, 0);
    state.installation_allowed = true;
}

int installation_handler(Window&) {
    const Event& e = event();
    if (e.event_class == EV_CLOSE) {
        close_on_request();
        return 0;
    }
    if (e.event_class != EV_CONTROL || e.notify_code != NOTIFY_CLICKED) return 0;
    switch (e.control_id) {
        case ID_MOVE_TO_DONE:
            move_step(ID_PROCESS_TODO, ID_PROCESS_DONE);
            break;
        case ID_MOVE_TO_TODO:
            move_step(ID_PROCESS_DONE, ID_PROCESS_TODO);
            break;
        case ID_OPEN_PROCESS_LIST:
            start_program(program_folder() + "\\data\\ProcessList.dat", "");
            break;
        case ID_OPEN_EXTRA_NOTES:
            open_extra_notes();
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

void OpenInstallationWindow() {
    show_status("opening window 4 instalation ...");
    open_window(installation_window, 415, 305, 584, 351, INSTALLATION_WINDOW_FLAGS, &main_frame,
                "Job discription", installation_handler);
    set_window_color(installation_window, kYellow);
    set_text_background(installation_window, kYellow);
    set_text_color(installation_window, rgb(0, 0, 0));
    for (const ControlLayout& c : kControls)
        add_control(installation_window, c.kind, c.caption, c.x, c.y, c.width, c.height, c.style,
                    c.id);
    LoadJobTypes();
    set_control_text(installation_window, ID_FIRST_SURVEY_FIELD, "Stand alone with batteries");
    LoadProcessList();
    set_control_text(installation_window, ID_PROCESS_TODO, "");
    set_font(installation_window, "ANSI_CHARSET", 8, 100, 0xFF0000, 0);
    draw_labels();
    state.installation_window_open = true;
}

void CloseInstallationWindow() {
    close_window(installation_window);
    state.installation_window_open = false;
}

}  // namespace jobs
