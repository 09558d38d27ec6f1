// The to-do list as the main dialog's six columns hold it: row i of every column is entry i.
#pragma once

#include <vector>

#include "record.h"

namespace todo {

// The six columns in the order the list operations walk them.
inline constexpr int COLUMN_IDS[6] = {1, 9, 11, 20, 39, 46};

Entry entry_at(int row);
std::vector<Entry> all_entries();  // every row of the text column
void append_entry(const Entry& entry);
void append_entries(const std::vector<Entry>& entries);  // a whole list in one go per column
void delete_entry(int row);                              // from all six columns
// Row operations on one column that leave its selection as a plain list box does: a deleted
// selected row leaves nothing selected, any other selected row stays selected.
void delete_row(int column_id, int row);
void replace_row(int column_id, int row, const std::string& text);
void clear_entries();
int row_count();  // rows of the text column (0 when the dialog is not open)
// Selects the row in every column (all but the one given, when `except` is one of them).
void select_entry(int row, int except = 0);

}  // namespace todo
