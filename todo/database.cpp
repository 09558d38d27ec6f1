#include "database.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "entries.h"
#include "record.h"
#include "settings_file.h"
#include "state.h"

namespace todo {

using common::FileKind;

std::string settings_path() {
    return common::program_folder() + "todo.ini";
}

namespace {

std::string default_database_path() {
    return common::program_folder() + "todo.dat";
}

void report_save_problem(const std::string& text) {
    common::message_box(&main_dialog, text, "Error...SaveData...", 0);
}

// Records are read and written a block at a time: one call per record would cost a system
// call each, and a long list would make every save noticeably slow.
constexpr std::size_t RECORDS_PER_BLOCK = 256;

// Reads the header and the records it announces. Records that are not there are absent;
// `whole` tells whether the file held everything its header promised.
std::vector<Entry> read_database(common::FileVar& database, bool& whole) {
    std::vector<Entry> entries;
    RecordBuffer buffer{};
    const int header = common::read_record(database, 1, buffer.data(), RECORD_LENGTH);
    if (header < static_cast<int>(RECORD_LENGTH)) {
        whole = header == 0;  // an empty file is a new database, a cut header is not
        return entries;
    }
    const std::int32_t count = decode_record(buffer).count;
    whole = count >= 0;
    std::vector<unsigned char> block;
    common::file_position(database, static_cast<long>(RECORD_LENGTH));
    for (std::size_t left = count > 0 ? static_cast<std::size_t>(count) : 0; left > 0;) {
        const std::size_t wanted = std::min(left, RECORDS_PER_BLOCK);
        block.assign(wanted * RECORD_LENGTH, 0);
        const int got = common::read_bytes(database, block.data(), block.size());
        const std::size_t records = static_cast<std::size_t>(std::max(got, 0)) / RECORD_LENGTH;
        for (std::size_t r = 0; r < records; ++r) {
            std::copy_n(block.begin() + static_cast<long>(r * RECORD_LENGTH), RECORD_LENGTH,
                        buffer.begin());
            entries.push_back(entry_of(decode_record(buffer)));
        }
        if (records < wanted) {
            whole = false;
            break;
        }
        left -= wanted;
    }
    return entries;
}

bool write_database(common::FileVar& database, const std::vector<Entry>& entries) {
    RecordBuffer buffer{};
    EntryRecord record;
    std::vector<unsigned char> records(entries.size() * RECORD_LENGTH);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        record = record_of(entries[i]);
        encode_record(record, buffer);
        std::copy(buffer.begin(), buffer.end(),
                  records.begin() + static_cast<long>(i * RECORD_LENGTH));
    }
    bool written = true;
    if (!records.empty()) {
        common::file_position(database, static_cast<long>(RECORD_LENGTH));
        written = common::write_bytes(database, records.data(), records.size()) ==
                  static_cast<int>(records.size());
    }
    // The header goes last, so an interrupted save leaves the old count over whole records.
    record.count = static_cast<std::int32_t>(entries.size());
    encode_record(record, buffer);
    written &= common::write_record(database, 1, buffer.data(), RECORD_LENGTH) ==
               static_cast<int>(RECORD_LENGTH);
    return written;
}

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
    while (lines.size() < SETTINGS_LINES && common::read_value(file, FileKind::Text, line) == 0) {
        lines.push_back(line);
    }
    common::close_file(file, FileKind::Text);
    read_settings_lines(lines, s);
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
    for (const std::string& line : settings_lines(state.settings)) {
        common::write_value(file, FileKind::Text, line);
    }
    if (common::close_file(file, FileKind::Text) != 0)
        report_save_problem("Unable to create INI file");
}

void load_entries(common::FileVar& database) {
    bool whole = true;
    const std::vector<Entry> entries = read_database(database, whole);
    append_entries(entries);
    state.entry_count = static_cast<int>(entries.size());
    state.database_unreadable = !whole;
    common::set_control_text(
        main_dialog, ID_MESSAGE_LINE,
        "Number of entries in the list: " + common::number_text(state.entry_count));
    if (!whole) {
        common::message_box(&main_dialog,
                            "The data base file is damaged, \r\n the entries it holds are shown "
                            "\r\n but it will not be saved over.",
                            "Error...LoadData...", 0);
    }
}

namespace {

// Writes the entries given (the list as the columns hold it) and then the settings.
void save_entries(std::vector<Entry> entries) {
    if (state.database_unreadable) {
        report_save_problem("Problem saving data");
    } else {
        common::FileVar database;
        if (common::open_file(database, FileKind::Binary, state.settings.database_path, "A") != 0) {
            report_save_problem("Problem saving data");
        } else {
            entries.resize(static_cast<std::size_t>(
                std::clamp(state.entry_count, 0, static_cast<int>(entries.size()))));
            const bool written = write_database(database, entries);
            if (common::close_file(database, FileKind::Binary) != 0 || !written) {
                report_save_problem("Problem saving data");
            }
        }
    }
    save_settings();
}

}  // namespace

void save_database() {
    save_entries(all_entries());
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
