// Enter in an edit and Delete on a list box, reported to the program when it asked for them.
#include "common/key_reports.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

#include "native_window.h"

namespace common {
namespace {

// Hears a key on a widget and reports it as the control's notify code.
class KeyReport : public QObject {
public:
    KeyReport(Window& window, int id, QWidget* widget, int key, int notify_code)
        : QObject(widget),
          window_(&window),
          serial_(window.native->serial),
          id_(id),
          key_(key),
          notify_code_(notify_code) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter on the keypad is Enter too; with Shift, Ctrl or Alt it is another key.
        const bool same_key =
            key->key() == key_ || (key_ == Qt::Key_Return && key->key() == Qt::Key_Enter);
        if (!same_key || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        // Taken here: the dialog must not also press its default button with it.
        if (still_open(window_, serial_)) report_control(*window_, id_, notify_code_);
        return true;
    }

private:
    Window* window_;
    std::uint64_t serial_;
    int id_;
    int key_;
    int notify_code_;
};

}  // namespace

void report_enter_key(Window& window, int edit_id) {
    Control* control = find_control(window, edit_id);
    auto* edit = control ? qobject_cast<QLineEdit*>(control->widget.data()) : nullptr;
    if (edit != nullptr) new KeyReport(window, edit_id, edit, Qt::Key_Return, NOTIFY_ENTER_KEY);
}

void report_delete_key(Window& window, int list_id) {
    Control* control = find_control(window, list_id);
    auto* list = control && control->kind == KIND_LIST_BOX
                     ? qobject_cast<QListView*>(control->widget.data())
                     : nullptr;
    if (list != nullptr) new KeyReport(window, list_id, list, Qt::Key_Delete, NOTIFY_DELETE_KEY);
}

}  // namespace common
