#include "reminders.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alarm.h"
#include "alarm_answers.h"
#include "common/clock.h"
#include "common/panel.h"
#include "common/services.h"
#include "common/text.h"
#include "desktop.h"
#include "entry_editing.h"
#include "message_files.h"
#include "missed_alarms.h"
#include "reminder_rules.h"
#include "shared_database.h"
#include "state.h"
#include "weights.h"

namespace todo {

namespace {

constexpr int TICK_PERIOD = 3000;
// A missed alarm's action still runs when its minute is less than this many seconds back.
constexpr common::Instant LATE_ACTION_LIMIT = 5 * 60;

// What the evaluation remembers from one tick to the next within a start-up cycle.
struct ReminderMemory {
    int cycle = -1;  // the start-up cycle this memory belongs to
    TickCounters counters;
    std::string reminder_message;
    std::string summary;
    std::string alarm_text;             // text of the entry whose alarm fired last
    bool earlier_today_pending = true;  // the first tick reports what was missed
    int earlier_today_count = 0;
    int earlier_today_row = -1;
    int today_row = -1;
    int old_row = 0;
    bool highlighted_this_tick = false;
    std::string last_message_file_line;  // what the message file holds
    // The line of a message-input file whose entry was added but which could not be deleted:
    // it is not added again while the file stays.
    std::optional<std::string> undeletable_input;
    // Alarms given (action run, notification shown), by entry and day, with the second their
    // minute began: one per entry and window, however many entries share the window, however
    // often the clock is set back over it.
    std::map<std::string, common::Instant> given;
    int last_alarmed_written = -1;  // what this file last put into state.last_alarmed
    Moment now;                     // when this tick runs
    // When the previous tick ran. Ticks are compared by instants: elapsed time, which a change
    // of the clocks in spring or autumn does not move.
    std::optional<common::Instant> last_tick;
    // The alarms ringing on this tick, in row order, and how many of them were given now.
    std::vector<std::string> alarm_texts;
    int alarms_given = 0;
    // The report of alarms missed while nothing ticked: shown until the user acts in the window.
    std::string missed_report;
};
ReminderMemory memory;

// The columns the passes read, taken once per tick. A time is read only for an entry that falls
// on today, the only kind whose time matters.
struct Columns {
    std::vector<std::string> priority, date, status;
    std::vector<DateMatch> dates;  // the first pass's answers, reused by the second
    std::vector<char> priority_one;
    std::size_t rows() const { return status.size(); }
};

// The text column's selection as the tick wants it, shown once at the end of the passes (every
// selection of a row makes the list scroll), and the status column's as it stands.
struct Selections {
    int rows = 0;
    int text_shown = -1;
    int text = -1;
    int status = -1;
};

int row_count() {
    const int count = common::list_count(main_dialog, ID_TEXT_COLUMN);
    return count < 0 ? 0 : count;
}

std::vector<std::string> column_texts(int id, int rows) {
    std::vector<std::string> texts;
    texts.reserve(std::size_t(rows));
    for (int row = 0; row < rows; ++row) texts.push_back(common::list_get(main_dialog, id, row));
    return texts;
}

Columns read_columns(int rows) {
    Columns columns;
    columns.priority = column_texts(ID_PRIORITY_COLUMN, rows);
    columns.date = column_texts(ID_DATE_COLUMN, rows);
    columns.status = column_texts(ID_STATUS_COLUMN, rows);
    columns.dates.resize(std::size_t(rows));
    columns.priority_one.resize(std::size_t(rows));
    return columns;
}

bool is_value(const std::string& text, double value) {
    return code_value(text) == value;
}

void select_text_row(Selections& selected, int row) {
    if (row < 0 || row >= selected.rows) return;  // an empty list keeps no selection to move
    selected.text = row;
}

void show_text_selection(const Selections& selected) {
    if (selected.text == selected.text_shown || selected.text < 0) return;
    common::list_set_selected(main_dialog, ID_TEXT_COLUMN, selected.text);
}

// Selects the relevant row in the text column unless the user has one selected there and no
// command asked for it.
void select_if_wanted(Selections& selected, int row) {
    if (selected.text != -1 && !state.reselect) return;
    select_text_row(selected, row);
    state.reselect = false;
}

// A status cell is rewritten only when it changes; the user's selection stays on its row.
void write_status(Columns& columns, Selections& selected, int row, const std::string& status) {
    if (columns.status[std::size_t(row)] == status) return;
    common::list_delete(main_dialog, ID_STATUS_COLUMN, row);
    common::list_insert(main_dialog, ID_STATUS_COLUMN, row, status);
    if (selected.status == row) common::list_set_selected(main_dialog, ID_STATUS_COLUMN, row);
    columns.status[std::size_t(row)] = status;
}

void begin_tick() {
    if (memory.cycle != state.cycle) reset_reminder_state();
    common::stop_timer(main_dialog, REMINDER_TIMER);
    memory.counters = TickCounters{};
    memory.today_row = -1;
    memory.highlighted_this_tick = false;
    memory.reminder_message.clear();
    memory.now = moment_now();
    memory.alarm_texts.clear();
    memory.alarms_given = 0;
    begin_ringing();
    // Another database loaded: its entries are new to the alarms, and what passed while it was
    // chosen is not counted as missed. A changed time needs nothing: it is part of the alarm's
    // key, so it opens a new window without giving the other entries' alarms again.
    if (state.last_alarmed != memory.last_alarmed_written) {
        if (state.last_alarmed == -1) {
            memory.given.clear();
            memory.last_tick.reset();
        }
        memory.last_alarmed_written = state.last_alarmed;
    }
}

// True the first time an entry's alarm of a day is given. Alarms two days old are forgotten.
bool give_alarm(const std::string& key, common::Instant start, common::Instant now) {
    std::erase_if(memory.given,
                  [now](const auto& alarm) { return alarm.second < now - 2 * 86400; });
    return memory.given.emplace(key, start).second;
}

// ---- First pass: counting --------------------------------------------------------------------

void count_entries(Columns& columns, Selections& selected, const Moment& now) {
    TickCounters& counters = memory.counters;
    for (std::size_t row = 0; row < columns.rows(); ++row) {
        const double status = code_value(columns.status[row]);
        if (status == 5) {
            ++counters.old_active;
            memory.old_row = int(row);
        }
        columns.priority_one[row] = is_priority_one(columns.priority[row]);
        if (columns.priority_one[row]) {
            ++counters.priority_one;
            select_if_wanted(selected, int(row));
        }
        const DateMatch match = match_date(columns.date[row], now);
        columns.dates[row] = match;
        counters.today += match.counted_forms;
        if (match.counted_forms > 0 && status != 0) memory.today_row = int(row);
    }
    memory.summary = summary_text(counters.priority_one, counters.today, counters.old_active);
    memory.reminder_message = reminder_message_of(memory.summary);
}

// ---- Second pass: classifying ----------------------------------------------------------------

// An entry is known by what it says and when it is due, so that sorting or deleting rows does
// not make it alarm twice, and a changed time opens a new window.
std::string alarm_key(const std::string& day, const std::string& date, const std::string& time,
                      const std::string& text) {
    return day + '\x1f' + date + '\x1f' + time + '\x1f' + text;
}

// The alarm of a row on this tick: its message, its selection, and the first time its action
// and its notification.
void raise_alarm(Selections& selected, std::size_t row, const AlarmOfEntry& alarm,
                 common::Instant start) {
    memory.alarm_texts.push_back(common::field_text(alarm.text));
    select_text_row(selected, int(row));
    ring(alarm);
    if (give_alarm(alarm.key, start, memory.now.instant)) {
        alarm_action();
        notify_reminder(alarm.text, number_for_answers(alarm));
        ++memory.alarms_given;
    }
    state.last_alarmed = int(row);
    memory.last_alarmed_written = int(row);
    memory.counters.alarm_state = 3;
}

// The alarm a row rings with on this tick, if any: its own window (unless the user answered it)
// or a ring the user snoozed. The classification is brought into line with it.
std::optional<AlarmOfEntry> alarm_of_row(std::size_t row, const std::string& date,
                                         std::string& time, Classification& classification,
                                         common::Instant& start) {
    const Moment& now = memory.now;
    if (classification.timing == Timing::Alarm) {
        const std::string text = common::list_get(main_dialog, ID_TEXT_COLUMN, int(row));
        AlarmOfEntry alarm{alarm_key(now.date, date, time, text), date, time, text};
        if (!is_done(alarm.key)) {
            start = classification.window
                        ? classification.window->start
                        : now.instant - now.instant % 60 - classification.minutes_past * 60LL;
            return alarm;
        }
        classification.timing = Timing::WithinHour;  // dealt with: as if its minute had passed
    }
    if (!any_snoozes()) return std::nullopt;
    // An entry not due today has had its time left unread.
    if (classification.timing == Timing::NotToday) {
        time = common::list_get(main_dialog, ID_TIME_COLUMN, int(row));
    }
    const std::string text = common::list_get(main_dialog, ID_TEXT_COLUMN, int(row));
    const std::optional<SnoozedRing> snoozed = snoozed_ring(date, time, text, now.instant);
    if (!snoozed) return std::nullopt;
    classification.timing = Timing::Alarm;
    classification.minutes_past = int((now.instant - snoozed->due) / 60);
    start = snoozed->due;
    return AlarmOfEntry{snoozed->key, date, time, text};
}

void tell_within_hour(int minutes_past, std::size_t row) {
    TickCounters& counters = memory.counters;
    if (counters.alarm_state != 1) return;
    if (counters.within_hour == 0) {
        const std::string text = common::list_get(main_dialog, ID_TEXT_COLUMN, int(row));
        memory.reminder_message = within_hour_message(minutes_past, text, memory.summary);
    } else {
        memory.reminder_message = several_within_hour_message(counters.within_hour, memory.summary);
    }
    ++counters.within_hour;
}

void note_timing(Selections& selected, std::size_t row, const Classification& classification,
                 const std::optional<AlarmOfEntry>& alarm, common::Instant start) {
    TickCounters& counters = memory.counters;
    switch (classification.timing) {
        case Timing::EarlierToday:
            ++memory.earlier_today_count;
            memory.earlier_today_row = int(row);
            break;
        case Timing::LaterToday:
            ++counters.later_today;
            break;
        case Timing::WithinHour:
        case Timing::Alarm:
            if (counters.alarm_state != 3) counters.alarm_state = 1;
            if (alarm) raise_alarm(selected, row, *alarm, start);
            tell_within_hour(classification.minutes_past, row);
            break;
        default:
            break;
    }
}

// Walks the highlight one row per tick through the rows showing the winning condition.
// winner_code: the winning condition's number text, empty while no condition has won.
void highlight_status(Selections& selected, int row, const std::string& status,
                      const std::string& winner_code) {
    int& highlighted = state.highlighted_row;
    if (!winner_code.empty() && status == winner_code && !memory.highlighted_this_tick &&
        row > highlighted && row != selected.status) {
        common::list_set_selected(main_dialog, ID_STATUS_COLUMN, row);
        selected.status = row;
        highlighted = row;
        memory.highlighted_this_tick = true;
    }
    if (row > highlighted && selected.status == -1 && highlighted != -1) highlighted = -1;
}

void classify_entries(Columns& columns, Selections& selected, const Moment& now) {
    const int winner = winning_condition();
    const std::string winner_code = winner >= 0 ? common::number_text(winner) : std::string();
    for (std::size_t row = 0; row < columns.rows(); ++row) {
        Classification classification;
        std::string time;
        if (columns.dates[row].today) {
            time = common::list_get(main_dialog, ID_TIME_COLUMN, int(row));
            classification = classify_time_today(time, now);
        }
        common::Instant start = 0;
        const std::optional<AlarmOfEntry> alarm =
            alarm_of_row(row, columns.date[row], time, classification, start);
        note_timing(selected, row, classification, alarm, start);
        const std::string status =
            status_of(classification, columns.status[row], columns.priority_one[row]);
        write_status(columns, selected, int(row), status);
        highlight_status(selected, int(row), status, winner_code);
    }
    if (common::list_get_selected(main_dialog, ID_STATUS_COLUMN) == -1) {
        state.highlighted_row = -1;
    }
}

// ---- After the passes ------------------------------------------------------------------------

void tell_missed_alarms(const Columns& columns, Selections& selected, common::Instant last,
                        common::Instant tick) {
    const int rows = int(columns.rows());
    const std::vector<std::string> times = column_texts(ID_TIME_COLUMN, rows);
    int count = 0;
    MissedAlarm latest;
    std::string latest_text;
    for (const MissedAlarm& missed : alarms_missed_between(columns.date, times, last, tick)) {
        const std::size_t row = std::size_t(missed.row);
        const std::string text = common::list_get(main_dialog, ID_TEXT_COLUMN, missed.row);
        const std::string key = alarm_key(missed.day, columns.date[row], times[row], text);
        if (!give_alarm(key, missed.start, tick)) continue;  // given before the clock went back
        notify_missed_reminder(text);
        if (tick - missed.start < LATE_ACTION_LIMIT) alarm_action();
        ++count;
        latest = missed;
        latest_text = text;
    }
    if (count == 0) return;
    memory.missed_report = missed_message(count, latest_text);
    common::ask_for_attention(main_dialog);
    if (!is_value(columns.status[std::size_t(latest.row)], 0))
        select_text_row(selected, latest.row);
}

// Alarms that ring together are all named; an alarm given now asks for the user's attention
// when the dialog is not in front.
void show_alarms() {
    const std::vector<std::string>& texts = memory.alarm_texts;
    enable_alarm_answers(!texts.empty());
    if (texts.empty()) return;
    memory.reminder_message =
        texts.size() == 1 ? alarm_message(texts.front()) : several_alarms_message(texts);
    memory.alarm_text = texts.size() == 1 ? texts.front() : alarm_texts(texts);
    if (memory.alarms_given > 0) common::ask_for_attention(main_dialog);
}

void report_earlier_today(const Columns& columns, Selections& selected) {
    if (!memory.earlier_today_pending) return;
    memory.earlier_today_pending = false;
    const int count = memory.earlier_today_count;
    if (count < 1) return;
    const int row = memory.earlier_today_row;
    const std::string text =
        count == 1 ? common::list_get(main_dialog, ID_TEXT_COLUMN, row) : std::string();
    memory.reminder_message = earlier_today_message(count, text);
    if (row >= 0 && std::size_t(row) < columns.rows() &&
        !is_value(columns.status[std::size_t(row)], 0)) {
        select_text_row(selected, row);
    }
    alarm_action();
}

// The computer slept, was too busy to tick or had its clock set forward: the alarms whose window
// passed in between are told once, and the action runs for those only a few minutes late. The
// report stays on the message line, while no alarm rings, until the user acts in the window.
void report_missed_alarms(const Columns& columns, Selections& selected) {
    const std::optional<common::Instant> last = memory.last_tick;
    const common::Instant tick = memory.now.instant;
    memory.last_tick = tick;
    if (last && tick - *last > 2 * TICK_PERIOD / 1000) {
        tell_missed_alarms(columns, selected, *last, tick);
    }
    if (!memory.missed_report.empty() && memory.alarm_texts.empty()) {
        memory.reminder_message = memory.missed_report;
    }
}

std::string check_flag(int id) {
    return common::get_check(main_dialog, id) == 1 ? "yes" : "no";
}

void update_message_line() {
    state.settings.show_output_flag = check_flag(ID_SHOW_OUTPUT_CHECK);
    const int winner = winning_condition();
    std::string line = memory.reminder_message;
    // Until a condition has won there is no response to show: the reminder message stands in.
    if (state.settings.show_output_flag == "yes" && winner >= 0) {
        line = state.condition_output;
        if (winner == 0) line += " " + memory.alarm_text;
    }
    line = common::field_text(line);
    if (common::get_control_text(main_dialog, ID_MESSAGE_LINE) != line) {
        common::set_control_text(main_dialog, ID_MESSAGE_LINE, line);
    }
    show_in_panel_tooltip(line);
}

void update_message_file() {
    Settings& settings = state.settings;
    settings.message_file_flag = check_flag(ID_MESSAGE_FILE_CHECK);
    if (settings.message_file_flag != "yes") return;
    if (settings.message_file_path.empty()) {
        settings.message_file_path = common::program_folder() + "ToDoMessage.txt";
    }
    const std::string composed = message_file_line(
        settings.message_prefix, common::get_control_text(main_dialog, ID_MESSAGE_LINE));
    if (composed == memory.last_message_file_line) return;
    const std::vector<std::string> lines = message_file_lines(
        settings.fine_tune_flag, composed, settings.message_input_path, memory.alarm_text);
    // Not written: the next tick tries again.
    if (write_message_file(settings.message_file_path, lines)) {
        memory.last_message_file_line = composed;
    }
}

void take_dropped_entry() {
    const std::string path = state.settings.message_input_path;
    std::string text;
    const InputTaken how = path.empty() ? InputTaken::None : take_message_input(path, text);
    if (how == InputTaken::None) {
        memory.undeletable_input.reset();
        return;
    }
    if (memory.undeletable_input == text) {
        if (finish_message_input(path, how)) memory.undeletable_input.reset();
        return;
    }
    const std::string time = common::time_text();
    common::set_control_text(main_dialog, ID_ENTRY_EDIT, text);
    common::set_control_text(main_dialog, ID_DAY_FIELD, common::date_text("dd"));
    common::set_control_text(main_dialog, ID_MONTH_FIELD, common::date_text("MM"));
    common::set_control_text(main_dialog, ID_THIRD_FIELD, common::date_text("yyyy"));
    common::set_control_text(main_dialog, ID_HOURS_FIELD, common::left_text(time, 2));
    common::set_control_text(main_dialog, ID_MINUTES_FIELD, common::mid_text(time, 4, 2));
    add_entry();  // an empty line adds nothing; the file is done with all the same
    if (!finish_message_input(path, how)) {
        memory.undeletable_input = text;
        common::set_control_text(main_dialog, ID_MESSAGE_LINE,
                                 common::field_text("Cant delete message input file " + path));
    }
}

}  // namespace

void evaluate_reminders() {
    begin_tick();
    take_in_other_desktops_saves();
    const Moment now = memory.now;
    Columns columns = read_columns(row_count());
    Selections selected;
    selected.rows = int(columns.rows());
    selected.text_shown = selected.text = common::list_get_selected(main_dialog, ID_TEXT_COLUMN);
    selected.status = common::list_get_selected(main_dialog, ID_STATUS_COLUMN);
    count_entries(columns, selected, now);
    classify_entries(columns, selected, now);
    show_alarms();
    report_earlier_today(columns, selected);
    report_missed_alarms(columns, selected);
    select_if_wanted(selected, memory.today_row != -1 ? memory.today_row : memory.old_row);
    show_text_selection(selected);
    evaluate_conditions();
    update_message_line();
    update_message_file();
    take_dropped_entry();
    fields_follow_the_clock();
    show_sharing_report();
    common::start_timer(main_dialog, TICK_PERIOD, REMINDER_TIMER);
}

void reset_reminder_state() {
    memory = ReminderMemory{};
    memory.cycle = state.cycle;
    memory.last_alarmed_written = state.last_alarmed;
}

void clear_status_highlight() {
    state.highlighted_row = -1;
}

void user_acted_in_window() {
    memory.missed_report.clear();
}

const TickCounters& tick_counters() {
    return memory.counters;
}

}  // namespace todo
