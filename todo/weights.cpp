#include "weights.h"

#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "conditions.h"
#include "reminders.h"
#include "state.h"

namespace todo {

namespace {

// Controls of the weights dialog; the scroll bar of condition k has id k + 1.
constexpr int ID_FIRST_BAR = 1;
constexpr int ID_CONTROL_LABEL = 8;  // "Control:     Weight:"
constexpr int ID_UPDATE = 21;
constexpr int ID_RESPONSE_EDIT = 22;

constexpr const char* WEIGHTS_FILE = "weights.ini";

struct WeightsState {
    ConditionValues weights{};
    ConditionValues scores{};
    int current_condition = 0;  // the one whose response the response edit shows
    int cycle = -1;             // the start-up cycle whose weights these are
};
WeightsState weights_state;

std::string weights_path() {
    return common::program_folder() + WEIGHTS_FILE;
}

ConditionValues counts_of_tick() {
    const TickCounters& tick = tick_counters();
    return {tick.alarm_state == 3 ? 3 : 0,
            tick.priority_one,
            tick.within_hour,
            tick.later_today,
            tick.today,
            tick.old_active};
}

// The response edit's text becomes the current condition's response (only while the dialog is
// up: a closed dialog's empty text must not wipe a response).
void store_edited_response() {
    if (!weights_dialog.is_open()) return;
    state.condition_labels[weights_state.current_condition] =
        common::field_text(common::get_control_text(weights_dialog, ID_RESPONSE_EDIT));
}

void show_condition(common::Window& dialog, int condition) {
    weights_state.current_condition = condition;
    common::set_control_text(dialog, ID_RESPONSE_EDIT, state.condition_labels[condition]);
}

void fill_weights_dialog(common::Window& dialog) {
    load_condition_weights();
    weights_state.scores = {};
    for (int k = 0; k < CONDITION_COUNT; ++k) {
        common::set_scroll_range(dialog, ID_FIRST_BAR + k, WEIGHT_MIN, WEIGHT_MAX);
        common::set_scroll_pos(dialog, ID_FIRST_BAR + k, weights_state.weights[k]);
    }
    show_condition(dialog, 0);
}

void move_weight_bar(common::Window& dialog, int bar, int scroll_code, int thumb) {
    const int condition = bar - ID_FIRST_BAR;
    common::enable_control(dialog, ID_UPDATE, true);
    const int position = scrolled_position(common::get_scroll_pos(dialog, bar), scroll_code, thumb);
    common::set_scroll_pos(dialog, bar, position);
    weights_state.weights[condition] = common::get_scroll_pos(dialog, bar);
    common::set_control_text(dialog, ID_CONTROL_LABEL,
                             control_label(condition, weights_state.weights[condition]));
    show_condition(dialog, condition);
}

void update_response() {
    store_edited_response();
    save_condition_weights();
    evaluate_conditions();
}

}  // namespace

bool read_weights_lines(const std::string& path, std::vector<std::string>& lines) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, path, "R") != 0) return false;
    std::string line;
    while (lines.size() < 2 * CONDITION_COUNT &&
           common::read_value(file, common::FileKind::Text, line) == 0) {
        lines.push_back(line);
    }
    common::close_file(file, common::FileKind::Text);
    return true;
}

void load_condition_weights() {
    // A new start-up cycle begins from weights 0, as a missing file then leaves them.
    if (weights_state.cycle != state.cycle) reset_condition_weights();
    std::vector<std::string> lines;
    if (!read_weights_lines(weights_path(), lines)) {
        common::message_box(nullptr, "Unable to load NN INI file", "Error...load weights data...",
                            common::MB_OK);
        return;
    }
    read_weights_file(lines, weights_state.weights, state.condition_labels);
}

void save_condition_weights() {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, weights_path(), "W") == 0) {
        for (const std::string& line :
             weights_file_lines(weights_state.weights, state.condition_labels)) {
            common::write_value(file, common::FileKind::Text, line);
        }
        // A failed rewrite leaves the old file and says so, like one that cannot be created.
        if (common::close_file(file, common::FileKind::Text) == 0) return;
    }
    common::message_box(nullptr, "Unable to create NN INI file", "Error...save weights...",
                        common::MB_OK);
}

void toggle_weights_dialog() {
    if (!state.weights_dialog_open) {
        state.weights_dialog_open = true;
        weights_dialog_events = weights_dialog_handler;
        common::show_dialog(weights_dialog);
        evaluate_conditions();
        return;
    }
    state.weights_dialog_open = false;
    store_edited_response();
    common::close_dialog(weights_dialog, 1);
    save_condition_weights();
}

void close_weights_dialog() {
    common::close_dialog(weights_dialog, 1);
    state.weights_dialog_open = false;
}

void evaluate_conditions() {
    weights_state.scores = condition_scores(weights_state.weights, counts_of_tick());
    const std::string line = weights_line(weights_state.scores);
    if (common::get_control_text(main_dialog, ID_WEIGHTS_LINE) != line) {
        common::set_control_text(main_dialog, ID_WEIGHTS_LINE, line);
    }
    state.condition_winner = winning_condition_of(weights_state.scores, state.condition_winner);
    if (state.condition_winner >= 0) {
        state.condition_output = state.condition_labels[state.condition_winner];
    }
}

void reset_condition_weights() {
    weights_state.weights = {};
    weights_state.scores = {};
    weights_state.current_condition = 0;
    weights_state.cycle = state.cycle;
}

int winning_condition() {
    return state.condition_winner;
}

int weights_dialog_handler(common::Window& dialog) {
    const common::Event& event = common::event();
    switch (event.event_class) {
        case common::EV_DIALOG_INIT:
            fill_weights_dialog(dialog);
            return 0;
        case common::EV_VSCROLL:
            if (event.control_id >= ID_FIRST_BAR &&
                event.control_id < ID_FIRST_BAR + CONDITION_COUNT) {
                move_weight_bar(dialog, event.control_id, static_cast<int>(event.first_param),
                                static_cast<int>(event.second_param));
                return 1;
            }
            return 0;
        case common::EV_CONTROL:
            if (event.control_id != ID_UPDATE) return 0;
            update_response();
            return 1;
        case common::EV_CLOSE:
            store_edited_response();
            common::close_dialog(dialog, 1);
            state.weights_dialog_open = false;
            save_condition_weights();
            return 1;
        default:
            return 0;
    }
}

}  // namespace todo
