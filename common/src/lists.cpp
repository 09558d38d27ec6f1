// List boxes and combo boxes: rows, selection, and the events a user's choice sends.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "encoding.h"
#include "native_window.h"

namespace common {
namespace {

QListWidget* list_box(Control* control) {
    return control ? qobject_cast<QListWidget*>(control->widget.data()) : nullptr;
}

QComboBox* combo_box(Control* control) {
    return control ? qobject_cast<QComboBox*>(control->widget.data()) : nullptr;
}

// A new row neither selects itself (Qt selects the first row added) nor changes the edit text.
void insert_row(QComboBox* combo, int index, const QString& text) {
    QString shown = combo->currentText();
    bool none_selected = combo->currentIndex() < 0;
    combo->insertItem(index, text);
    if (none_selected) combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(shown);
}

void connect_list_box(Window& window, Control& control, QListWidget* list) {
    // Win32 list boxes report only when created with LBS_NOTIFY.
    if (!(control.style & LBS_NOTIFY)) return;
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    QObject::connect(list, &QListWidget::currentRowChanged, window.native->guard,
                     [w = &window, serial, id](int row) {
                         if (row >= 0 && still_open(w, serial)) {
                             report_control(*w, id, NOTIFY_SELECTION);
                         }
                     });
    QObject::connect(list, &QListWidget::itemDoubleClicked, window.native->guard,
                     [w = &window, serial, id] {
                         if (still_open(w, serial)) report_control(*w, id, NOTIFY_DOUBLE_CLICK);
                     });
}

void connect_combo_box(Window& window, Control& control, QComboBox* combo) {
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    // `activated` comes only from the user, never from the program's own changes.
    QObject::connect(combo, &QComboBox::activated, window.native->guard, [w = &window, serial, id] {
        if (still_open(w, serial)) report_control(*w, id, NOTIFY_SELECTION);
    });
    if (QLineEdit* edit = combo->lineEdit()) {
        QObject::connect(edit, &QLineEdit::textEdited, window.native->guard,
                         [w = &window, serial, id] {
                             if (still_open(w, serial)) report_control(*w, id, NOTIFY_COMBO_EDIT);
                         });
    }
}

}  // namespace

void connect_list_signals(Window& window, Control& control) {
    if (QListWidget* list = list_box(&control)) connect_list_box(window, control, list);
    if (QComboBox* combo = combo_box(&control)) connect_combo_box(window, control, combo);
}

void list_add(Window& window, int id, const std::string& text) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (QListWidget* list = list_box(control)) list->addItem(to_qt(text));
    if (QComboBox* combo = combo_box(control)) insert_row(combo, combo->count(), to_qt(text));
}

void list_insert(Window& window, int id, int index, const std::string& text) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (QListWidget* list = list_box(control)) {
        // Win32 takes -1 (or past the end) as "at the end".
        if (index < 0 || index > list->count()) index = list->count();
        list->insertItem(index, to_qt(text));
    }
    if (QComboBox* combo = combo_box(control)) {
        if (index < 0 || index > combo->count()) index = combo->count();
        insert_row(combo, index, to_qt(text));
    }
}

void list_delete(Window& window, int id, int index) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (QListWidget* list = list_box(control)) {
        if (index >= 0 && index < list->count()) delete list->takeItem(index);
    }
    if (QComboBox* combo = combo_box(control)) {
        if (index >= 0 && index < combo->count()) {
            QString shown = combo->currentText();
            bool was_current = combo->currentIndex() == index;
            combo->removeItem(index);
            if (combo->isEditable()) {
                combo->setEditText(was_current ? QString() : shown);
            }
            if (was_current) combo->setCurrentIndex(-1);
        }
    }
}

std::string list_get(Window& window, int id, int index) {
    Control* control = find_control(window, id);
    if (QListWidget* list = list_box(control)) {
        if (index >= 0 && index < list->count()) return from_qt(list->item(index)->text());
    }
    if (QComboBox* combo = combo_box(control)) {
        if (index >= 0 && index < combo->count()) return from_qt(combo->itemText(index));
    }
    return {};
}

int list_count(Window& window, int id) {
    Control* control = find_control(window, id);
    if (QListWidget* list = list_box(control)) return list->count();
    if (QComboBox* combo = combo_box(control)) return combo->count();
    return -1;
}

int list_get_selected(Window& window, int id) {
    Control* control = find_control(window, id);
    if (QListWidget* list = list_box(control)) {
        QListWidgetItem* item = list->currentItem();
        return item && item->isSelected() ? list->row(item) : -1;
    }
    if (QComboBox* combo = combo_box(control)) return combo->currentIndex();
    return -1;
}

void list_set_selected(Window& window, int id, int index) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (QListWidget* list = list_box(control)) {
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index);
            list->scrollToItem(list->item(index));
        } else {
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    }
    if (QComboBox* combo = combo_box(control)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

}  // namespace common
