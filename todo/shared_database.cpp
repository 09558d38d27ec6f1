#include "shared_database.h"

#include <array>

#include "common/clock.h"
#include "common/file_problems.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "entries.h"
#include "logs.h"
#include "shared_list.h"
#include "state.h"

namespace todo {

namespace {

// How many ticks a report of a version that gave way stays on the message line (half a minute).
constexpr int REPORT_TICKS = 10;

struct Report {
    std::string text;
    int ticks_left = 0;
};
Report report;

// Each column's selection, so it can be put back on the same entry.
using Selections = std::array<int, 6>;

Selections selections_now() {
    Selections rows{};
    for (std::size_t c = 0; c < rows.size(); ++c)
        rows[c] = common::list_get_selected(main_dialog, COLUMN_IDS[c]);
    return rows;
}

int moved(int row, const std::vector<int>& screen_rows) {
    return row >= 0 && row < int(screen_rows.size()) ? screen_rows[std::size_t(row)] : -1;
}

// Puts the merged list into the columns when it differs from what they show.
void show_merged(const MergedList& list, const std::vector<Entry>& shown) {
    if (list.entries == shown) return;
    const Selections before = selections_now();
    clear_entries();
    append_entries(list.entries);
    for (std::size_t c = 0; c < before.size(); ++c) {
        const int row = moved(before[c], list.screen_rows);
        if (row >= 0) common::list_set_selected(main_dialog, COLUMN_IDS[c], row);
    }
    state.entry_count = row_count();
    state.current_row = moved(state.current_row, list.screen_rows);
    if (state.current_row < 0) state.entry_selected = false;
}

const char* marker_of(LostVersion::Why why) {
    switch (why) {
        case LostVersion::Why::ChangedOnBoth:
            return "  (changed on two desktops: this version gave way)";
        case LostVersion::Why::DeletedElsewhere:
            return "  (changed here, deleted on another desktop)";
        case LostVersion::Why::DeletedHere:
            return "  (deleted here, changed on another desktop)";
    }
    return "";
}

std::string report_of(const LostVersion& lost) {
    switch (lost.why) {
        case LostVersion::Why::ChangedOnBoth:
            return "Changed on another desktop as well: " + lost.entry.text +
                   " - the version of this desktop is in ToDoLog.txt";
        case LostVersion::Why::DeletedElsewhere:
            return "Deleted on another desktop: " + lost.entry.text +
                   " - what was changed here is in ToDoLog.txt";
        case LostVersion::Why::DeletedHere:
            return "Deleted here but changed on another desktop: " + lost.entry.text +
                   " - that version is in ToDoLog.txt";
    }
    return {};
}

// Every version that gave way goes to the log, so none is dropped without a trace, and the
// first is named on the message line.
void keep_lost_versions(const std::vector<LostVersion>& lost) {
    if (lost.empty()) return;
    common::FileVar log;
    const bool logged = common::open_file(log, common::FileKind::Text, "ToDoLog.txt", "A") == 0;
    const std::string today = common::date_text("dd'-'MM'-'yyyy");
    for (const LostVersion& version : lost) {
        const Entry& e = version.entry;
        if (logged)
            common::write_value(
                log, common::FileKind::Text,
                log_line(e.created, e.date, today, e.text + marker_of(version.why)));
    }
    const bool kept = logged && common::close_file(log, common::FileKind::Text) == 0;
    std::string text = report_of(lost.front());
    if (lost.size() > 1) text += " (and " + std::to_string(lost.size() - 1) + " more)";
    if (!kept) {
        // Without the log the versions would be gone: the user is told what they were.
        std::string all;
        for (const LostVersion& version : lost) all += " \r\n " + version.entry.text;
        common::message_box(&main_dialog,
                            "Versions of entries changed on two desktops could not be written to "
                            "ToDoLog.txt:" +
                                all,
                            "Error...sub SendToLog...", 0);
    }
    report = {common::field_text(text), REPORT_TICKS};
    common::set_control_text(main_dialog, ID_MESSAGE_LINE, report.text);
}

}  // namespace

void note_list_loaded(const std::vector<Entry>& entries, const std::vector<EntryId>& ids) {
    shared_list().read(state.settings.database_path, entries, ids);
    report = Report{};  // a new start begins with its own message line
}

bool save_list_shown(const std::vector<Entry>& entries) {
    SharedList& list = shared_list();
    if (list.path() != state.settings.database_path) list.read(state.settings.database_path, {});
    const SaveOutcome outcome = list.save(entries);
    if (main_dialog.is_open()) show_merged(outcome.list, entries);
    keep_lost_versions(outcome.list.lost);
    if (outcome.saved) return true;
    common::message_box(&main_dialog,
                        "Problem saving data \r\n " + outcome.problem +
                            " \r\n the list stays as it is and is saved with the next save",
                        "Error...SaveData...", 0);
    return false;
}

void take_in_other_desktops_saves() {
    if (!main_dialog.is_open()) return;
    const std::vector<Entry> shown = all_entries();
    const std::optional<MergedList> merged = shared_list().take_in(shown);
    if (!merged) return;
    show_merged(*merged, shown);
    keep_lost_versions(merged->lost);
}

void show_sharing_report() {
    if (report.ticks_left <= 0) return;
    --report.ticks_left;
    common::set_control_text(main_dialog, ID_MESSAGE_LINE, report.text);
}

bool show_list_saved_last(const std::string& problem) {
    const SharedList& list = shared_list();
    if (state.cycle <= 1 || list.path() != state.settings.database_path) return false;
    append_entries(list.base());
    state.entry_count = row_count();
    common::message_box(&main_dialog,
                        "Cant reach the data base \r\n " + list.path() + " \r\n " + problem +
                            " \r\n the list saved last is shown and saved again with the next "
                            "save",
                        "Error...start...", 0);
    return true;
}

ClearingTheDatabase::ClearingTheDatabase()
    : lock_(database_lock_path(state.settings.database_path), SAVE_LOCK_WAIT_MS) {
    if (!may_go_on())
        common::message_box(
            &main_dialog,
            "Cant clear the data base \r\n " +
                common::lock_problem(database_lock_path(state.settings.database_path),
                                     lock_.attempt()),
            "Error!", 0);
}

ClearingTheDatabase::~ClearingTheDatabase() {
    if (!may_go_on()) return;
    SharedList& list = shared_list();
    if (list.path() == state.settings.database_path) list.emptied();
}

}  // namespace todo
