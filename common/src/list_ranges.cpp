// Many rows of a list box or combo box at once: one change of the list instead of one per row,
// so a list of a hundred thousand entries fills and empties in a moment.
#include <QComboBox>
#include <QListWidget>
#include <QStringList>
#include <algorithm>

#include "encoding.h"
#include "native_window.h"

namespace common {
namespace {

QStringList qt_texts(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) list.append(to_qt(text));
    return list;
}

}  // namespace

void list_add_all(Window& window, int id, const std::vector<std::string>& texts) {
    Control* control = find_control(window, id);
    if (control == nullptr || texts.empty()) return;
    Quiet quiet(*control);
    if (auto* list = qobject_cast<QListWidget*>(control->widget.data())) {
        list->addItems(qt_texts(texts));
    }
    if (auto* combo = qobject_cast<QComboBox*>(control->widget.data())) {
        // As with list_add: new rows neither select themselves nor change the edit text.
        QString shown = combo->currentText();
        bool none_selected = combo->currentIndex() < 0;
        combo->insertItems(combo->count(), qt_texts(texts));
        if (none_selected) combo->setCurrentIndex(-1);
        if (combo->isEditable()) combo->setEditText(shown);
    }
}

void list_delete_rows(Window& window, int id, int first, int count) {
    Control* control = find_control(window, id);
    if (control == nullptr || first < 0 || count <= 0) return;
    Quiet quiet(*control);
    if (auto* list = qobject_cast<QListWidget*>(control->widget.data())) {
        int end = std::min(list->count(), first + count);
        if (first < end) list->model()->removeRows(first, end - first);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control->widget.data())) {
        int end = std::min(combo->count(), first + count);
        if (first >= end) return;
        // As with list_delete: removing the selected row empties the edit text, removing
        // others leaves it as it was.
        QString shown = combo->currentText();
        int current = combo->currentIndex();
        bool was_current = current >= first && current < end;
        combo->model()->removeRows(first, end - first);
        if (combo->isEditable()) combo->setEditText(was_current ? QString() : shown);
        if (was_current) combo->setCurrentIndex(-1);
    }
}

}  // namespace common
