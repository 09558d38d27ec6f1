// Seams through which the test driver stands in for the desktop's panel and notification
// service. Programs never touch these; in a normal run they are empty and the desktop answers.
#pragma once

#include <functional>
#include <string>

namespace common {

struct PanelHooks {
    // When true the layer behaves as if the desktop had a panel: icons are made with their
    // tooltips and menus (so a test can read and use them) but never put on a screen.
    bool panel_stand_in = false;
    // Records a notification instead of showing it: (title, text).
    std::function<void(const std::string&, const std::string&)> notification;
};

PanelHooks& panel_hooks();

}  // namespace common
