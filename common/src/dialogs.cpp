// Dialogs: recorded as templates, built afresh each time they are shown.
#include <QEventLoop>
#include <QTimer>

#include "common/hooks.h"
#include "encoding.h"
#include "fonts.h"
#include "keyboard.h"
#include "native_window.h"

namespace common {
namespace {

constexpr long kDialogBaseStyle = 0x900000C0;  // popup, visible, dialog font, modal frame
constexpr long WS_SYSMENU = 0x80000;
constexpr long WS_CAPTION = 0xC00000;

Qt::WindowFlags dialog_flags(long style) {
    Qt::WindowFlags qt = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) qt |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU) qt |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WF_MINIMIZE_BOX) qt |= Qt::WindowMinimizeButtonHint;
    return qt;
}

// Builds the dialog's widget and its controls from the template; the handle is set after.
NativeWindow* build_dialog(Window& dialog, Window* owner) {
    ensure_layer();
    if (owner != nullptr && !owner->is_open()) owner = nullptr;
    const DialogTemplate& plan = dialog.dialog_template;
    auto* native = new NativeWindow(dialog, owner);
    QWidget* owner_widget = owner ? owner->native->widget->window() : nullptr;
    auto* host = new HostDialog(native, owner_widget);
    native->widget = host;
    host->setWindowFlags(dialog_flags(plan.style));
    start_keyboard_off_tool_bars(host);
    host->setWindowTitle(to_qt(plan.title));
    QFont font = dialog_font();
    host->setFont(font);
    native->text_font = font;
    QPoint origin(plan.x, plan.y);
    if (owner != nullptr) origin = owner->native->widget->mapToGlobal(origin);
    host->move(origin);
    host->setFixedSize(plan.width, plan.height);
    dialog.native = native;
    attach_to_parent(dialog, owner);
    // The template may grow while the dialog is shown; what it held now is what is built.
    std::vector<ControlDeclaration> declarations = plan.controls;
    native->building = true;
    for (const ControlDeclaration& declaration : declarations) create_control(dialog, declaration);
    native->building = false;
    native->restack();
    apply_key_bindings(dialog);
    return native;
}

}  // namespace

void declare_dialog(Window& dialog, int x, int y, int width, int height, long style, Window* parent,
                    const std::string& title, Handler handler) {
    dialog.is_dialog = true;
    dialog.handler = std::move(handler);
    DialogTemplate& plan = dialog.dialog_template;
    plan.title = title;
    plan.style = style | kDialogBaseStyle;
    plan.x = x;
    plan.y = y;
    plan.width = width;
    plan.height = height;
    plan.parent = parent;
    plan.controls.clear();
}

int show_dialog_modal(Window& dialog, Window* owner) {
    if (!dialog.is_dialog || dialog.is_open()) return 0;
    if (owner == nullptr) owner = dialog.dialog_template.parent;
    dialog.modeless = false;
    NativeWindow* native = build_dialog(dialog, owner);
    int result = 2;
    native->modal_result = &result;
    std::uint64_t serial = native->serial;
    // Only a dialog with an owner holds its owner back; one without lets the program's other
    // windows and their timers go on, as a dialog of its own.
    if (native->parent != nullptr) native->widget->setWindowModality(Qt::WindowModal);
    deliver_event(dialog, EV_DIALOG_INIT, 0, 0);
    if (!still_open(&dialog, serial)) return result;
    native->widget->show();
    QEventLoop loop;
    native->modal_loop = &loop;
    if (layer_hooks().modal_dialog_shown) {
        QTimer::singleShot(0, native->guard, [&dialog, serial] {
            if (still_open(&dialog, serial) && layer_hooks().modal_dialog_shown) {
                layer_hooks().modal_dialog_shown(dialog);
            }
        });
    }
    loop.exec(QEventLoop::DialogExec);
    if (still_open(&dialog, serial)) {
        // The loop was ended from outside (the program quitting): the dialog goes with it.
        native->modal_loop = nullptr;
        native->modal_result = nullptr;
        destroy_native(dialog);
    }
    return result;
}

void show_dialog(Window& dialog, Window* owner) {
    if (!dialog.is_dialog || dialog.is_open()) return;
    if (owner == nullptr) owner = dialog.dialog_template.parent;
    dialog.modeless = true;
    NativeWindow* native = build_dialog(dialog, owner);
    std::uint64_t serial = native->serial;
    deliver_event(dialog, EV_DIALOG_INIT, 0, 0);
    if (still_open(&dialog, serial)) native->widget->show();
}

void close_dialog(Window& dialog, int result) {
    NativeWindow* native = native_of(dialog);
    if (native == nullptr) return;
    if (native->modal_result != nullptr) *native->modal_result = result;
    if (native->modal_loop != nullptr) native->modal_loop->exit(result);
    native->modal_result = nullptr;
    native->modal_loop = nullptr;
    destroy_native(dialog);
}

}  // namespace common
