// Many rows of a list box or combo box at once: one change of the list instead of one per row,
// so a list of a hundred thousand entries fills and empties in a moment.
#include <QComboBox>
#include <algorithm>

#include "native_window.h"
#include "text_rows.h"

namespace common {

void list_add_all(Window& window, int id, const std::vector<std::string>& texts) {
    Control* control = find_control(window, id);
    if (control == nullptr || control->rows == nullptr || texts.empty()) return;
    Quiet quiet(*control);
    // As with list_add: new rows neither select themselves nor change the edit text.
    if (auto* combo = qobject_cast<QComboBox*>(control->widget.data())) {
        ComboRowsChange change(combo);
        control->rows->append(texts);
        change.rows_added();
    } else {
        control->rows->append(texts);
    }
}

void list_delete_rows(Window& window, int id, int first, int count) {
    Control* control = find_control(window, id);
    if (control == nullptr || control->rows == nullptr || first < 0 || count <= 0) return;
    const int end = std::min(control->rows->count(), first + count);
    if (first >= end) return;
    Quiet quiet(*control);
    // As with list_delete: removing the selected row empties the edit text, removing others
    // leaves it as it was.
    if (auto* combo = qobject_cast<QComboBox*>(control->widget.data())) {
        ComboRowsChange change(combo);
        control->rows->remove(first, end - first);
        change.rows_removed(first, end);
    } else {
        control->rows->remove(first, end - first);
    }
}

}  // namespace common
