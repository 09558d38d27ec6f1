#include "entries.h"

#include <algorithm>

#include "common/window.h"
#include "state.h"

namespace todo {

using common::list_get;

Entry entry_at(int row) {
    common::Window& d = main_dialog;
    return Entry{list_get(d, ID_TEXT_COLUMN, row),    list_get(d, ID_PRIORITY_COLUMN, row),
                 list_get(d, ID_CREATED_COLUMN, row), list_get(d, ID_DATE_COLUMN, row),
                 list_get(d, ID_TIME_COLUMN, row),    list_get(d, ID_STATUS_COLUMN, row)};
}

std::vector<Entry> all_entries() {
    std::vector<Entry> entries;
    const int rows = row_count();
    entries.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) entries.push_back(entry_at(row));
    return entries;
}

void append_entry(const Entry& entry) {
    common::list_add(main_dialog, ID_TEXT_COLUMN, entry.text);
    common::list_add(main_dialog, ID_CREATED_COLUMN, entry.created);
    common::list_add(main_dialog, ID_PRIORITY_COLUMN, entry.priority);
    common::list_add(main_dialog, ID_TIME_COLUMN, entry.time);
    common::list_add(main_dialog, ID_DATE_COLUMN, entry.date);
    common::list_add(main_dialog, ID_STATUS_COLUMN, entry.status);
}

void delete_row(int column_id, int row) {
    const int selected = common::list_get_selected(main_dialog, column_id);
    common::list_delete(main_dialog, column_id, row);
    if (selected < 0) return;
    common::list_set_selected(main_dialog, column_id,
                              selected == row ? -1 : selected - (selected > row ? 1 : 0));
}

void replace_row(int column_id, int row, const std::string& text) {
    const int selected = common::list_get_selected(main_dialog, column_id);
    common::list_delete(main_dialog, column_id, row);
    common::list_insert(main_dialog, column_id, row, text);
    common::list_set_selected(main_dialog, column_id, selected == row ? -1 : selected);
}

void delete_entry(int row) {
    for (int id : COLUMN_IDS) delete_row(id, row);
}

void append_entries(const std::vector<Entry>& entries) {
    // One change per column: row by row, a list of ten thousand entries takes the widgets
    // several times longer to take in.
    std::vector<std::string> texts(entries.size());
    const auto add_column = [&](int id, std::string Entry::*field) {
        for (std::size_t i = 0; i < entries.size(); ++i) texts[i] = entries[i].*field;
        common::list_add_all(main_dialog, id, texts);
    };
    add_column(ID_TEXT_COLUMN, &Entry::text);
    add_column(ID_CREATED_COLUMN, &Entry::created);
    add_column(ID_PRIORITY_COLUMN, &Entry::priority);
    add_column(ID_TIME_COLUMN, &Entry::time);
    add_column(ID_DATE_COLUMN, &Entry::date);
    add_column(ID_STATUS_COLUMN, &Entry::status);
}

void clear_entries() {
    for (int id : COLUMN_IDS) {
        common::list_delete_rows(main_dialog, id, 0, common::list_count(main_dialog, id));
    }
}

int row_count() {
    return std::max(0, common::list_count(main_dialog, ID_TEXT_COLUMN));
}

void select_entry(int row, int except) {
    for (int id : COLUMN_IDS) {
        if (id != except) common::list_set_selected(main_dialog, id, row);
    }
}

}  // namespace todo
