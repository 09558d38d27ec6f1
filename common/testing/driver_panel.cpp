// The test driver's stand-in for the desktop: a panel whose icons are real but never shown, and
// notifications recorded instead of shown.
#include <QAction>
#include <QMenu>
#include <algorithm>

#include "common/panel.h"
#include "common/panel_hooks.h"
#include "driver.h"
#include "encoding.h"
#include "panel_icon.h"

namespace common::testing {

void Driver::stand_in_for_desktop() {
    PanelHooks& hooks = panel_hooks();
    hooks.panel_stand_in = true;
    hooks.notification = [this](const NotificationShown& shown) {
        ShownNotification recorded{shown.title, shown.text, {}};
        std::vector<int> commands;
        for (const PanelMenuItem& answer : shown.answers) {
            recorded.answers.push_back(answer.label);
            commands.push_back(answer.command_id);
        }
        notifications_.push_back(recorded);
        notification_answers_.push_back({shown.number, commands});
    };
    hooks.attention = [this](Window& window) { attention_.push_back(&window); };
}

void Driver::give_desktop_back() {
    PanelHooks& hooks = panel_hooks();
    hooks.panel_stand_in = false;
    hooks.notification = nullptr;
    hooks.attention = nullptr;
}

void Driver::answer_notification(std::size_t index, const std::string& answer) {
    if (index >= notifications_.size()) return;
    const std::vector<std::string>& labels = notifications_[index].answers;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i] == answer) {
            const auto& [number, commands] = notification_answers_[index];
            common::answer_notification(number, commands[i]);
            return;
        }
    }
}

int Driver::attention_asked(Window& window) const {
    return int(std::count(attention_.begin(), attention_.end(), &window));
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

bool Driver::panel_item_enabled(Window& window, const std::string& label) {
    QSystemTrayIcon* icon = panel_icon_of(window);
    if (icon == nullptr || icon->contextMenu() == nullptr) return false;
    for (QAction* action : icon->contextMenu()->actions()) {
        if (from_qt(action->text()) == label) return action->isEnabled();
    }
    return false;
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
