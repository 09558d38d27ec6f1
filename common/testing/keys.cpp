// The driver at the keyboard: typing and pasting desktop text, pressing keys where the focus
// is, and finding where it is.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include "driver.h"
#include "input_events.h"
#include "native_window.h"

namespace common::testing {
namespace {

QWidget* typing_target(Window& window, int id) {
    QWidget* widget = control_widget(window, id);
    if (!within_reach(widget)) return nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) widget = combo->lineEdit();
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
        qobject_cast<QTextEdit*>(widget))
        return widget;
    return nullptr;
}

QWidget* top_level(Window& window) {
    NativeWindow* native = native_of(window);
    return native ? native->widget->window() : nullptr;
}

void make_active(QWidget* top) {
    if (QApplication::activeWindow() == top) return;
    top->activateWindow();
    QApplication::processEvents();
    if (QApplication::activeWindow() != top) QApplication::setActiveWindow(top);
}

}  // namespace

void Driver::type_keys(Window& window, int id, const std::string& utf8) {
    if (QWidget* field = typing_target(window, id)) type_over(field, QString::fromUtf8(utf8));
}

void Driver::paste(Window& window, int id, const std::string& utf8) {
    QWidget* field = typing_target(window, id);
    if (field == nullptr) return;
    QApplication::clipboard()->setText(QString::fromUtf8(utf8));
    field->setFocus(Qt::MouseFocusReason);
    // The caret to the end of what the field holds, as a click after the last letter puts it.
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->end(false);
    if (auto* lines = qobject_cast<QPlainTextEdit*>(field)) lines->moveCursor(QTextCursor::End);
    if (auto* rich = qobject_cast<QTextEdit*>(field)) rich->moveCursor(QTextCursor::End);
    QKeySequence paste(QKeySequence::Paste);
    key_click(field, paste[0].key(), paste[0].keyboardModifiers());
}

void Driver::press_keys(Window& window, const std::string& keys) {
    QWidget* top = top_level(window);
    if (top == nullptr) return;
    make_active(top);
    QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(keys));
    if (sequence.isEmpty()) return;
    QWidget* target = top->focusWidget() ? top->focusWidget() : top;
    key_click(target, sequence[0].key(), sequence[0].keyboardModifiers());
}

int Driver::focused_control(Window& window) {
    QWidget* top = top_level(window);
    QWidget* focus = top ? top->focusWidget() : nullptr;
    if (focus == nullptr) return 0;
    for (auto& [id, control] : window.native->controls) {
        QWidget* widget = control.widget;
        if (widget != nullptr && (widget == focus || widget->isAncestorOf(focus))) return id;
    }
    return 0;
}

int Driver::focused_tool(Window& window, int tool_bar_id) {
    Control* control = find_control(window, tool_bar_id);
    QWidget* top = top_level(window);
    if (control == nullptr || !control->tool_bar || top == nullptr) return 0;
    for (auto& [command, action] : control->tool_bar->actions)
        if (control->tool_bar->bar->widgetForAction(action) == top->focusWidget()) return command;
    return 0;
}

}  // namespace common::testing
