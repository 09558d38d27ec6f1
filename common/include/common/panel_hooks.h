// Seams through which the test driver stands in for the desktop's panel and notification
// service. Programs never touch these; in a normal run they are empty and the desktop answers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/panel.h"

namespace common {

class Window;

// A notification as the layer would show it. `number` names it for answer_notification; 0 for
// a notification without answers.
struct NotificationShown {
    std::string title;
    std::string text;
    std::vector<PanelMenuItem> answers;
    unsigned number = 0;
};

struct PanelHooks {
    // When true the layer behaves as if the desktop had a panel: icons are made with their
    // tooltips and menus (so a test can read and use them) but never put on a screen.
    bool panel_stand_in = false;
    // Records a notification instead of showing it.
    std::function<void(const NotificationShown&)> notification;
    // Records that a window not in front asked for the user's attention, instead of flashing it.
    std::function<void(Window&)> attention;
};

PanelHooks& panel_hooks();

}  // namespace common
