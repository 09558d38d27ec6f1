// Panel icons, and windows brought to the front or marked as wanting attention.
#include "common/panel.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>
#include <map>

#include "common/panel_hooks.h"
#include "encoding.h"
#include "images.h"
#include "native_window.h"
#include "panel_icon.h"

namespace common {

PanelHooks& panel_hooks() {
    static PanelHooks hooks;
    return hooks;
}

namespace {

// The icons shown, by window. Each icon is a child of its window's guard, so it goes the moment
// the window closes.
struct PanelIcon {
    QPointer<QSystemTrayIcon> icon;
    std::uint64_t serial = 0;
};

std::map<Window*, PanelIcon>& panel_icons() {
    static std::map<Window*, PanelIcon> icons;
    return icons;
}

QIcon icon_for(Window& window, int image) {
    if (const QImage* picture = find_image(image)) return QIcon(QPixmap::fromImage(*picture));
    QIcon own = window.native->widget->windowIcon();
    if (!own.isNull()) return own;
    // The panel shows nothing for an empty icon: the desktop's information sign stands in.
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
}

void bring_forward(QWidget* widget) {
    if (widget->isMinimized()) widget->showNormal();
    widget->show();
    widget->raise();
    widget->activateWindow();
}

QMenu* build_menu(Window& window, QObject* guard, const std::vector<PanelMenuItem>& items) {
    auto* menu = new QMenu();
    const std::uint64_t serial = window.native->serial;
    for (const PanelMenuItem& item : items) {
        QAction* action = menu->addAction(to_qt(item.label));
        const int command = item.command_id;
        action->setData(command);
        QObject::connect(action, &QAction::triggered, guard, [w = &window, serial, command] {
            if (!still_open(w, serial) || held_back_by_modal(w->native->widget)) return;
            deliver_event(*w, EV_CONTROL, command, NOTIFY_CLICKED);
        });
    }
    return menu;
}

void connect_click(Window& window, QSystemTrayIcon* icon) {
    const std::uint64_t serial = window.native->serial;
    QObject::connect(icon, &QSystemTrayIcon::activated, window.native->guard,
                     [w = &window, serial](QSystemTrayIcon::ActivationReason reason) {
                         if (reason != QSystemTrayIcon::Trigger || !still_open(w, serial)) return;
                         // A box waiting for an answer comes forward rather than the window
                         // it holds back, which must not be put away under it.
                         if (held_back_by_modal(w->native->widget)) {
                             bring_forward(QApplication::activeModalWidget());
                             return;
                         }
                         deliver_event(*w, EV_PANEL_CLICK, 0, 0);
                     });
}

}  // namespace

bool held_back_by_modal(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return false;
    if (modal->windowModality() == Qt::ApplicationModal) return true;
    for (QWidget* owner = modal->parentWidget(); owner != nullptr; owner = owner->parentWidget()) {
        if (owner->window() == window->window()) return true;
    }
    return false;
}

void show_in_panel(const QString& title, const QString& text) {
    if (!QSystemTrayIcon::supportsMessages()) return;
    for (auto& [window, shown] : panel_icons()) {
        if (shown.icon != nullptr && shown.icon->isVisible()) {
            shown.icon->showMessage(title, text, QSystemTrayIcon::Information, 10000);
            return;
        }
    }
}

QSystemTrayIcon* panel_icon_of(Window& window) {
    auto found = panel_icons().find(&window);
    if (found == panel_icons().end() || window.native == nullptr ||
        window.native->serial != found->second.serial) {
        return nullptr;
    }
    return found->second.icon;
}

bool panel_available() {
    if (panel_hooks().panel_stand_in) return true;
    ensure_layer();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool show_panel_icon(Window& window, int image, const std::string& tooltip,
                     const std::vector<PanelMenuItem>& menu) {
    NativeWindow* native = native_of(window);
    if (native == nullptr || !panel_available()) return false;
    remove_panel_icon(window);
    auto* icon = new QSystemTrayIcon(icon_for(window, image), native->guard);
    icon->setToolTip(to_qt(tooltip));
    QMenu* items = build_menu(window, native->guard, menu);
    icon->setContextMenu(items);
    QObject::connect(icon, &QObject::destroyed, items, &QObject::deleteLater);
    connect_click(window, icon);
    panel_icons()[&window] = PanelIcon{icon, native->serial};
    // Its record goes with the icon, so closed windows leave nothing behind here.
    QObject::connect(icon, &QObject::destroyed, [w = &window, serial = native->serial] {
        auto found = panel_icons().find(w);
        if (found != panel_icons().end() && found->second.serial == serial) {
            panel_icons().erase(found);
        }
    });
    // A stand-in panel has no screen to show the icon on.
    if (!panel_hooks().panel_stand_in) icon->show();
    return true;
}

void set_panel_tooltip(Window& window, const std::string& tooltip) {
    QSystemTrayIcon* icon = panel_icon_of(window);
    if (icon == nullptr) return;
    const QString text = to_qt(tooltip);
    if (icon->toolTip() != text) icon->setToolTip(text);
}

void remove_panel_icon(Window& window) {
    auto found = panel_icons().find(&window);
    if (found == panel_icons().end()) return;
    QSystemTrayIcon* icon = found->second.icon;
    panel_icons().erase(found);
    if (icon == nullptr) return;
    icon->hide();
    delete icon;
}

bool is_in_front(Window& window) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return false;
    QWidget* widget = native->widget;
    return widget->isVisible() && !widget->isMinimized() && widget->isActiveWindow();
}

void bring_to_front(Window& window) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    bring_forward(native->widget);
}

void hide_window(Window& window) {
    if (NativeWindow* native = native_of(window)) native->widget->hide();
}

void enable_panel_item(Window& window, int command_id, bool on) {
    QSystemTrayIcon* icon = panel_icon_of(window);
    if (icon == nullptr || icon->contextMenu() == nullptr) return;
    for (QAction* action : icon->contextMenu()->actions()) {
        if (action->data().toInt() == command_id && action->isEnabled() != on)
            action->setEnabled(on);
    }
}

void ask_for_attention(Window& window) {
    NativeWindow* native = native_of(window);
    if (native == nullptr || is_in_front(window)) return;
    if (panel_hooks().attention) {
        panel_hooks().attention(window);
        return;
    }
    QApplication::alert(native->widget);
}

}  // namespace common
