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

// What the old file holds past `length` bytes: a save never shortens the file.
std::string old_bytes_beyond(const std::string& path, std::size_t length) {
    common::FileVar old;
    std::string beyond;
    if (common::open_file(old, FileKind::Binary, path, "R") != 0) return beyond;
    common::file_position(old, static_cast<long>(length));
    char block[65536];
    for (int got; (got = common::read_bytes(old, block, sizeof block)) > 0;)
        beyond.append(block, static_cast<std::size_t>(got));
    common::close_file(old, FileKind::Binary);
    return beyond;
}

}  // namespace

// Written whole beside the old file and renamed over it, so a full disk or a crash leaves the
// previous database as it was.
bool write_database_file(const std::string& path, const std::vector<Entry>& entries) {
    const std::string beyond = old_bytes_beyond(path, (entries.size() + 1) * RECORD_LENGTH);
    common::FileVar database;
    if (common::open_file(database, FileKind::Binary, path, "W") != 0) return false;
    // A block of records at a time from one small buffer: an image of a long list made whole
    // first would be megabytes of fresh memory to fill on every save.
    bool written = true;
    const auto put = [&](const void* bytes, std::size_t count) {
        if (written && count > 0)
            written = common::write_bytes(database, bytes, count) == static_cast<int>(count);
    };
    RecordBuffer buffer{};
    // The header: the count, its other fields those of the last entry, as the record buffer
    // leaves them.
    EntryRecord header = entries.empty() ? EntryRecord{} : record_of(entries.back());
    header.count = static_cast<std::int32_t>(entries.size());
    encode_record(header, buffer);
    put(buffer.data(), buffer.size());
    constexpr std::size_t BLOCK_BYTES = RECORDS_PER_BLOCK * RECORD_LENGTH;
    std::vector<unsigned char> block;
    block.reserve(BLOCK_BYTES);
    for (const Entry& entry : entries) {
        encode_record(record_of(entry), buffer);
        block.insert(block.end(), buffer.begin(), buffer.end());
        if (block.size() == BLOCK_BYTES) {
            put(block.data(), block.size());
            block.clear();
        }
    }
    put(block.data(), block.size());
    put(beyond.data(), beyond.size());
    return common::close_file(database, FileKind::Binary) == 0 && written;
}

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

namespace {

// Where the original of a damaged database is kept: todo.bak when this cycle's start copied
// this very file there, and always a copy beside it, because the next start copies the mended
// database over todo.bak; "" when no copy could be made.
std::string keep_damaged_original() {
    const std::string& path = state.settings.database_path;
    const bool in_backup = !path.empty() && state.backed_up_database == path;
    const std::string copy = path + ".damaged";
    const bool beside = common::file_copy(path, copy, false);
    if (in_backup && beside) return "todo.bak and in " + copy;
    if (in_backup) return "todo.bak";
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
    const std::vector<Entry> entries = read_database(database, whole);
    append_entries(entries);
    state.entry_count = static_cast<int>(entries.size());
    common::set_control_text(
        main_dialog, ID_MESSAGE_LINE,
        "Number of entries in the list: " + common::number_text(state.entry_count));
    if (!whole) tell_database_was_damaged();
}

namespace {

// Writes the entries given (the list as the columns hold it) and then the settings.
void save_entries(std::vector<Entry> entries) {
    entries.resize(static_cast<std::size_t>(
        std::clamp(state.entry_count, 0, static_cast<int>(entries.size()))));
    if (!write_database_file(state.settings.database_path, entries))
        report_save_problem("Problem saving data");
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
