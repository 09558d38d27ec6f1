// Keyboard reach. A tool-bar button takes the focus by Tab like any other control and is
// pressed by Space (the toolkit's own) or Enter (here). Bound keys are shortcuts of the window
// and deliver EV_CONTROL with the command id and notify code 0, exactly as a tool-bar press.
#include "keyboard.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "encoding.h"
#include "native_window.h"

namespace common {
namespace {

constexpr char TOOL_BAR_BUTTON[] = "kezToolBarButton";

bool is_tool_bar_button(const QWidget* widget) {
    return widget != nullptr && widget->property(TOOL_BAR_BUTTON).toBool();
}

class EnterPresses : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (auto* button = qobject_cast<QToolButton*>(watched)) button->click();
        return true;
    }
};

// While a window is activated for the first time the toolkit gives the focus to the first
// control that takes it. The tool-bar buttons stand aside for that moment only.
class FirstFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* top = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::WindowActivate || top == nullptr || top->focusWidget())
            return false;
        std::vector<QPointer<QWidget>> stood_aside;
        for (QWidget* w = top->nextInFocusChain(); w != nullptr && w != top;
             w = w->nextInFocusChain()) {
            if (!is_tool_bar_button(w) || w->focusPolicy() == Qt::NoFocus) continue;
            w->setFocusPolicy(Qt::NoFocus);
            stood_aside.emplace_back(w);
        }
        QTimer::singleShot(0, top, [stood_aside] {
            for (const QPointer<QWidget>& w : stood_aside)
                if (w) w->setFocusPolicy(Qt::TabFocus);
        });
        return false;
    }
};

// One filter of each kind serves every widget; it lives as long as the application.
template <typename Filter>
QObject* shared_filter() {
    static QPointer<Filter> filter;
    if (filter.isNull()) {
        filter = new Filter;
        filter->setParent(qApp);
    }
    return filter;
}

void make_shortcut(Window& window, const KeyBinding& binding) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    auto* shortcut = new QShortcut(QKeySequence(to_qt(binding.keys)), native->widget);
    shortcut->setContext(Qt::WindowShortcut);
    std::uint64_t serial = native->serial;
    QObject::connect(shortcut, &QShortcut::activated, native->guard,
                     [w = &window, serial, command = binding.command_id] {
                         if (still_open(w, serial))
                             deliver_event(*w, EV_CONTROL, command, NOTIFY_CLICKED);
                     });
}

}  // namespace

void reach_by_keyboard(QToolButton* button) {
    if (button == nullptr) return;
    button->setProperty(TOOL_BAR_BUTTON, true);
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(shared_filter<EnterPresses>());
}

void start_keyboard_off_tool_bars(QWidget* top_level) {
    if (top_level != nullptr) top_level->installEventFilter(shared_filter<FirstFocus>());
}

void apply_key_bindings(Window& window) {
    for (const KeyBinding& binding : window.key_bindings) make_shortcut(window, binding);
}

int bind_key(Window& window, const std::string& keys, int command_id) {
    QKeySequence sequence = QKeySequence::fromString(to_qt(keys), QKeySequence::PortableText);
    // The toolkit reads what it can of a text ("Ctrl+Nothing" as Ctrl and some key): only keys
    // it writes back the same way were understood.
    QString written = sequence.toString(QKeySequence::PortableText);
    if (sequence.count() != 1 || command_id <= 0 ||
        written.compare(to_qt(keys).remove(QLatin1Char(' ')), Qt::CaseInsensitive) != 0)
        return 0;
    // Kept in the record, so a dialog built again from its template has its keys again.
    window.key_bindings.push_back(
        {from_qt(sequence.toString(QKeySequence::PortableText)), command_id});
    if (window.is_open()) make_shortcut(window, window.key_bindings.back());
    return 1;
}

}  // namespace common
