// Start-up, the main frame with its tool bar, message field and status bar, the run loop and
// the one-second tick that keeps the figures and the picture up to date.
#include "frame.h"

#include <vector>

#include "common/services.h"
#include "common/text.h"
#include "components.h"
#include "customer.h"
#include "description_window.h"
#include "help.h"
#include "invoice_page.h"
#include "job_file.h"
#include "job_lock.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {
namespace {

constexpr int TICK_TIMER = 1;
constexpr int FIRST_TICK_MS = 500;
constexpr int TICK_MS = 1000;
constexpr long LIGHT_GREY = common::rgb(192, 192, 192);
constexpr long NO_FILL = -1;

const std::vector<int> TOOL_BAR_COMMANDS = {CMD_NEW,   CMD_OPEN, CMD_SAVE, CMD_SAVE_AS, 0,
                                            CMD_PRINT, CMD_HELP, 0,        0,           0};

struct Tooltip {
    int command;
    const char* text;
};

constexpr Tooltip TOOLTIPS[] = {
    {CMD_NEW, "Create New File"},           {CMD_OPEN, "Opens New File"},
    {CMD_SAVE, "Saves current file"},       {CMD_SAVE_AS, "Save As current file"},
    {CMD_PRINT, "Prints current document"}, {CMD_HELP, "Opens the help file"}};

void reset_state() {
    state.job_loaded = false;
    state.installation_allowed = true;
    state.customer_name.clear();
    state.run = true;
    state.invoice_line_count = 0;
}

void build_tool_bar() {
    state.tool_bar_strip = common::load_image(common::program_folder() + "toolbar.bmp",
                                              common::IMAGE_BITMAP | common::IMAGE_MAP_3D_COLOURS);
    // Without its strip the tool bar is not made; the program goes on without it.
    if (state.tool_bar_strip == 0) return;
    if (common::create_tool_bar(main_frame, state.tool_bar_strip, "", ID_TOOL_BAR,
                                TOOL_BAR_COMMANDS, common::TOOLBAR_TOP) == 0)
        return;
    common::control_command(main_frame, ID_TOOL_BAR, common::TB_LABELS,
                            std::string("New|Open|Save|SaveAs|Print|Help||"));
    common::control_command(main_frame, ID_TOOL_BAR, common::TB_LAYOUT);
    for (const Tooltip& tip : TOOLTIPS)
        common::control_command(main_frame, ID_TOOL_BAR, common::TB_TOOLTIP,
                                common::CommandArg(long{tip.command}), std::string(tip.text));
}

// Tool-bar commands other than Help run with the tick stopped, so no tick works on a job that
// is half loaded or half saved; the tick comes back however the command ends.
void run_command(int command) {
    void (*work)() = nullptr;
    switch (command) {
        case CMD_NEW:
            work = NewJob;
            break;
        case CMD_OPEN:
            work = OpenJob;
            break;
        case CMD_SAVE:
            work = SaveCurrentJob;
            break;
        case CMD_SAVE_AS:
            work = SaveJobAsCommand;
            break;
        case CMD_PRINT:
            work = CreateHtml;
            break;
        case CMD_HELP:
            toggle_help();
            return;
        default:
            return;
    }
    stop_tick();
    work();
    restart_tick();
}

void close_requested() {
    stop_tick();
    // A cancelled or failed save keeps the program open with the job on screen.
    if (!OfferSaveJob()) {
        restart_tick();
        return;
    }
    state.run = false;
}

int handle_main_frame(common::Window&) {
    const common::Event& e = common::event();
    switch (e.event_class) {
        case common::EV_TIMER:
            if (e.first_param == TICK_TIMER) tick();
            break;
        case common::EV_CLOSE:
            close_requested();
            break;
        case common::EV_CONTROL:
            if (e.notify_code == common::NOTIFY_CLICKED) run_command(e.control_id);
            break;
        default:
            break;
    }
    return 0;
}

// The keys of the tool bar's commands, as office programs have them.
constexpr struct {
    const char* keys;
    int command;
} COMMAND_KEYS[] = {{"Ctrl+N", CMD_NEW},         {"Ctrl+O", CMD_OPEN},  {"Ctrl+S", CMD_SAVE},
                    {"Ctrl+Shift+S", CMD_SAVE_AS}, {"Ctrl+P", CMD_PRINT}, {"F1", CMD_HELP}};

void open_main_frame() {
    if (main_frame.key_bindings.empty())
        for (const auto& key : COMMAND_KEYS) common::bind_key(main_frame, key.keys, key.command);
    common::open_window(main_frame, 10, 10, 1010, 706, 0x70000, nullptr, "Kez Systems LTD",
                        handle_main_frame);
    build_tool_bar();
    common::add_control(main_frame, common::KIND_GROUP_BOX, "", 270, -4, 400, 43, 0x50000007,
                        ID_MESSAGE_FRAME);
    common::add_control(main_frame, common::KIND_STATIC, "Message...", 275, 9, 190, 23, 0x5000010B,
                        ID_MESSAGE_FIELD);
    common::add_control(main_frame, common::KIND_STATUS_BAR, "Status", 0, 0, 0, 0, 0,
                        ID_STATUS_BAR);
    common::add_control(main_frame, common::KIND_GROUP_BOX, "", 672, -4, 330, 43, 0x50000007,
                        ID_EMPTY_FRAME);
    show_status("program and system messages");
    common::set_font(main_frame, "CENTURY_GOTHIC", 16, 900, 0xFF0000, ID_MESSAGE_FIELD);
    common::set_window_color(main_frame, common::rgb(0, 0, 0));
}

void draw_picture() {
    common::draw_rect(description_window, 2, 177, 201, 76, LIGHT_GREY, NO_FILL);
    common::show_image(description_window, state.current_picture, common::IMAGE_PICTURE, 5, 180,
                       195, 70);
}

}  // namespace

void start_up() {
    // Everything starts from zero, also when the job manager is started again in one process.
    state = JobState{};
    settings = Settings{};
    product_count = 0;
    last_priced_item.clear();
    state.current_picture =
        common::load_image(common::program_folder() + "StartPic.jpg", common::IMAGE_PICTURE);
    reset_state();
    // What a field refuses as the office types is said in the status bar.
    common::set_refused_input_notice(show_status);
    LoadINI();
    declare_help_dialog();
    open_main_frame();
    build_description_window();
    build_components_window();
    common::set_check(components_window, ID_CALC, 1);
    common::set_check(description_window, ID_ENQUIRY, 1);
    common::enable_control(components_window, ID_CALC, false);
    common::enable_control(components_window, ID_DISCOUNT, false);
    price_list_name = "KezPriceList.dat";
    LoadProducts();
    common::start_timer(main_frame, FIRST_TICK_MS, TICK_TIMER);
}

void run_loop() {
    while (state.run) common::wait_events(0);
}

void clean_up() {
    common::stop_timer(main_frame, TICK_TIMER);
    let_go_of_job();
    if (help_dialog.is_open()) common::close_dialog(help_dialog, 0);
    state.help_dialog_open = false;
    // The child windows go with the main frame; closing them first keeps their records in
    // step with the screen.
    for (common::Window* child :
         {&customer_window, &installation_window, &components_window, &description_window})
        common::close_window(*child);
    state.customer_window_open = state.installation_window_open = false;
    state.components_window_open = state.description_window_open = false;
    common::close_window(main_frame);
    if (state.current_picture != 0)
        common::delete_image(state.current_picture, common::IMAGE_PICTURE);
    state.current_picture = 0;
    if (state.tool_bar_strip != 0) common::delete_image(state.tool_bar_strip, common::IMAGE_BITMAP);
    state.tool_bar_strip = 0;
}

int run_job_manager() {
    start_up();
    run_loop();
    clean_up();
    return 0;
}

void tick() {
    stop_tick();
    draw_picture();
    if (common::get_check(description_window, ID_PAYMENT) != 1)
        common::enable_control(description_window, ID_INSTALATION, state.installation_allowed);
    if (state.customer_window_open)
        state.customer_name =
            common::field_text(common::get_control_text(customer_window, ID_CUSTOMER_NAME));
    CalculateValues();
    show_message("Message...     ");
    if (state.help_dialog_open) check_help_answer();
    keep_job_lock_alive();
    restart_tick();
}

void stop_tick() {
    common::stop_timer(main_frame, TICK_TIMER);
}

void restart_tick() {
    common::start_timer(main_frame, TICK_MS, TICK_TIMER);
}

}  // namespace jobs
