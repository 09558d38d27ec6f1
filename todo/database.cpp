#include "database.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "entries.h"
#include "personal_settings.h"
#include "record.h"
#include "settings_file.h"
#include "shared_database.h"
#include "state.h"

namespace todo {

using common::FileKind;

std::string settings_path() {
    return personal_settings_path();
}

namespace {

std::string default_database_path() {
    return common::program_folder() + "todo.dat";
}

void report_save_problem(const std::string& text) {
    common::message_box(&main_dialog, text, "Error...SaveData...", 0);
}

}  // namespace

namespace {

void keep_dialog_state_in_settings() {
    Settings& s = state.settings;
    if (!main_dialog.is_open()) return;  // a closed dialog has no position to keep
    const common::Rect rect = common::get_rect(main_dialog);
    s.x = rect.left;
    s.y = rect.top;
    s.message_file_flag = common::get_check(main_dialog, ID_MESSAGE_FILE_CHECK) == 1 ? "yes" : "no";
    s.fine_tune_flag = common::get_check(main_dialog, ID_FINE_TUNE_CHECK) == 1 ? "yes" : "no";
}

}  // namespace

void load_settings() {
    Settings& s = state.settings;
    seed_personal_settings();
    common::FileVar file;
    if (common::open_file(file, FileKind::Text, settings_path(), "R") != 0) {
        s.database_path = default_database_path();
        s.x = 0;
        s.y = 0;
        s.message_input_path.clear();
        return;
    }
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() <= SETTINGS_LINES && common::read_value(file, FileKind::Text, line) == 0) {
        lines.push_back(line);
    }
    common::close_file(file, FileKind::Text);
    read_settings_lines(lines, s);
    take_office_lines(lines, s);
    // A settings file cut short must not leave the program without its list.
    if (s.database_path.empty()) s.database_path = default_database_path();
}

void save_settings() {
    keep_dialog_state_in_settings();
    common::FileVar file;
    if (common::open_file(file, FileKind::Text, settings_path(), "W") != 0) {
        report_save_problem("Unable to create INI file");
        return;
    }
    for (const std::string& line : lines_to_write(state.settings)) {
        common::write_value(file, FileKind::Text, line);
    }
    if (common::close_file(file, FileKind::Text) != 0)
        report_save_problem("Unable to create INI file");
}

namespace {

// Where the original of a damaged database is kept: todo.bak when this cycle's start copied
// this very file there, and always a copy beside it, because the next start copies the mended
// database over todo.bak; "" when no copy could be made.
std::string keep_damaged_original() {
    const std::string& path = state.settings.database_path;
    const bool in_backup = !path.empty() && state.backed_up_database == path;
    const std::string copy = path + ".damaged";
    const bool beside = common::file_copy(path, copy, false);
    const std::string backup = backup_path();
    if (in_backup && beside) return backup + " and in " + copy;
    if (in_backup) return backup;
    return beside ? copy : std::string();
}

void tell_database_was_damaged() {
    const std::string kept = keep_damaged_original();
    common::message_box(
        &main_dialog,
        "The data base file is damaged, \r\n the entries it holds are shown \r\n" +
            (kept.empty() ? std::string(" but no copy of the original could be made")
                          : " and the original is kept in " + kept),
        "Error...LoadData...", 0);
}

}  // namespace

void load_entries(common::FileVar& database) {
    bool whole = true;
    std::vector<EntryId> ids;
    const std::vector<Entry> entries = read_database(database, whole, &ids);
    append_entries(entries);
    note_list_loaded(entries, ids);
    state.entry_count = static_cast<int>(entries.size());
    common::set_control_text(
        main_dialog, ID_MESSAGE_LINE,
        "Number of entries in the list: " + common::number_text(state.entry_count));
    if (!whole) tell_database_was_damaged();
}

namespace {

// Writes the entries given (the list as the columns hold it), merged with what other desktops
// saved meanwhile, and then the settings.
bool save_entries(std::vector<Entry> entries) {
    entries.resize(static_cast<std::size_t>(
        std::clamp(state.entry_count, 0, static_cast<int>(entries.size()))));
    const bool saved = save_list_shown(entries);
    save_settings();
    return saved;
}

}  // namespace

bool save_database() {
    return save_entries(all_entries());
}

void sort_by_priority() {
    std::vector<Entry> entries = all_entries();
    std::vector<std::int32_t> keys;
    std::vector<std::size_t> order(entries.size());
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        keys.push_back(rounded_value(entries[i].priority));
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    if (std::is_sorted(order.begin(), order.end())) {
        save_entries(std::move(entries));
        return;
    }
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
    clear_entries();
    append_entries(sorted);
    save_entries(std::move(sorted));
}

}  // namespace todo
