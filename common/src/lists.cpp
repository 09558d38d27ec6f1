// List boxes and combo boxes: rows, selection, and the events a user's choice sends.
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>

#include "native_window.h"
#include "text_rows.h"

namespace common {
namespace {

QListView* list_box(Control* control) {
    return control && control->kind == KIND_LIST_BOX
               ? qobject_cast<QListView*>(control->widget.data())
               : nullptr;
}

QComboBox* combo_box(Control* control) {
    return control && control->kind == KIND_COMBO_BOX
               ? qobject_cast<QComboBox*>(control->widget.data())
               : nullptr;
}

// The rows of a list box or drop-down, or null for any other control.
TextRows* rows_of(Control* control) {
    return control ? control->rows : nullptr;
}

// A person has chosen a row only once the selection is in place and the mouse button is up.
// Qt moves the current row on a mouse press before it selects that row, and a drag moves the
// selection row by row, so a mouse choice is reported once, after its release has been handled
// (a click on the row already selected counts, as in a Win32 list box), and a choice made with the
// keys as soon as its selection has changed. Only the view's own signals and events are used, so
// this holds whatever model stands behind the list.
class ChoiceReporter : public QObject {
public:
    ChoiceReporter(Window& window, int id, QAbstractItemView* view)
        : QObject(view), window_(&window), serial_(window.native->serial), id_(id), view_(view) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        // A list whose model is replaced later must connect its new selection model again.
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &ChoiceReporter::selection_changed);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == view_->viewport()) watch_mouse(event);
        if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide) {
            button_down_ = false;  // a release that goes elsewhere must not silence the keys
        }
        return false;
    }

private:
    void watch_mouse(QEvent* event) {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease) {
            return;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return;
        if (event->type() == QEvent::MouseButtonPress) {
            button_down_ = true;
            chosen_ = view_->indexAt(mouse->position().toPoint()).isValid();
        } else if (button_down_) {
            button_down_ = false;
            // Queued: the view finishes handling the release before the program hears of it.
            if (chosen_)
                QMetaObject::invokeMethod(this, &ChoiceReporter::report, Qt::QueuedConnection);
        }
    }

    void selection_changed() {
        if (button_down_) {
            chosen_ = true;  // a drag that started between rows still chooses
        } else {
            report();
        }
    }

    void report() {
        if (!still_open(window_, serial_)) return;
        if (list_get_selected(*window_, id_) >= 0) report_control(*window_, id_, NOTIFY_SELECTION);
    }

    Window* window_;
    std::uint64_t serial_;
    int id_;
    QAbstractItemView* view_;
    bool button_down_ = false;
    bool chosen_ = false;
};

void connect_list_box(Window& window, Control& control, QListView* list) {
    // Win32 list boxes report only when created with LBS_NOTIFY.
    if (!(control.style & LBS_NOTIFY)) return;
    new ChoiceReporter(window, control.id, list);
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    QObject::connect(list, &QAbstractItemView::doubleClicked, window.native->guard,
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
    if (QListView* list = list_box(&control)) connect_list_box(window, control, list);
    if (QComboBox* combo = combo_box(&control)) connect_combo_box(window, control, combo);
}

void list_add(Window& window, int id, const std::string& text) {
    list_insert(window, id, -1, text);
}

void list_insert(Window& window, int id, int index, const std::string& text) {
    Control* control = find_control(window, id);
    TextRows* rows = rows_of(control);
    if (rows == nullptr) return;
    Quiet quiet(*control);
    // Win32 takes -1 (or past the end) as "at the end"; so does TextRows.
    if (QComboBox* combo = combo_box(control)) {
        ComboRowsChange change(combo);
        rows->insert(index, text);
        change.rows_added();
    } else {
        rows->insert(index, text);
    }
}

void list_delete(Window& window, int id, int index) {
    list_delete_rows(window, id, index, 1);
}

std::string list_get(Window& window, int id, int index) {
    TextRows* rows = rows_of(find_control(window, id));
    if (rows == nullptr || index < 0 || index >= rows->count()) return {};
    return rows->text(index);
}

int list_count(Window& window, int id) {
    TextRows* rows = rows_of(find_control(window, id));
    return rows ? rows->count() : -1;
}

int list_get_selected(Window& window, int id) {
    Control* control = find_control(window, id);
    if (QListView* list = list_box(control)) return selected_row(*list);
    if (QComboBox* combo = combo_box(control)) return combo->currentIndex();
    return -1;
}

void list_set_selected(Window& window, int id, int index) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (QListView* list = list_box(control)) {
        QItemSelectionModel* selection = list->selectionModel();
        if (index >= 0 && index < control->rows->count()) {
            QModelIndex row = control->rows->index(index);
            selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
            list->scrollTo(row);
        } else {
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
            selection->clearSelection();
        }
    }
    if (QComboBox* combo = combo_box(control)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

}  // namespace common
