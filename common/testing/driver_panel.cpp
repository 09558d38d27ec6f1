// The test driver's stand-in for the desktop: a panel whose icons are real but never shown, and
// notifications recorded instead of shown.
#include <QAction>
#include <QMenu>

#include "common/panel.h"
#include "common/panel_hooks.h"
#include "driver.h"
#include "encoding.h"
#include "panel_icon.h"

namespace common::testing {

void Driver::stand_in_for_desktop() {
    PanelHooks& hooks = panel_hooks();
    hooks.panel_stand_in = true;
    hooks.notification = [this](const std::string& title, const std::string& text) {
        notifications_.push_back({title, text});
    };
}

void Driver::give_desktop_back() {
    PanelHooks& hooks = panel_hooks();
    hooks.panel_stand_in = false;
    hooks.notification = nullptr;
}

void Driver::set_panel_present(bool present) {
    panel_hooks().panel_stand_in = present;
}

bool Driver::has_panel_icon(Window& window) {
    return panel_icon_of(window) != nullptr;
}

std::string Driver::panel_tooltip(Window& window) {
    QSystemTrayIcon* icon = panel_icon_of(window);
    return icon == nullptr ? std::string() : from_qt(icon->toolTip());
}

std::vector<std::string> Driver::panel_menu(Window& window) {
    std::vector<std::string> labels;
    QSystemTrayIcon* icon = panel_icon_of(window);
    if (icon == nullptr || icon->contextMenu() == nullptr) return labels;
    for (QAction* action : icon->contextMenu()->actions())
        labels.push_back(from_qt(action->text()));
    return labels;
}

void Driver::click_panel_icon(Window& window) {
    if (QSystemTrayIcon* icon = panel_icon_of(window)) {
        emit icon->activated(QSystemTrayIcon::Trigger);
    }
}

void Driver::choose_panel_item(Window& window, const std::string& label) {
    QSystemTrayIcon* icon = panel_icon_of(window);
    if (icon == nullptr || icon->contextMenu() == nullptr) return;
    for (QAction* action : icon->contextMenu()->actions()) {
        if (from_qt(action->text()) == label && action->isEnabled()) {
            action->trigger();
            return;
        }
    }
}

}  // namespace common::testing
