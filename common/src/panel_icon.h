// The Qt side of a window's panel icon and of the desktop's notifications, private to the layer
// and the test driver (which reads the tooltip, uses the menu and answers notifications as a
// person would).
#pragma once

#include <QString>
#include <QSystemTrayIcon>

#include "common/window.h"

class QWidget;

namespace common {

// The window's panel icon, null when it has none.
QSystemTrayIcon* panel_icon_of(Window& window);
// A notification shown by a panel icon, where the desktop has one that can show messages.
void show_in_panel(const QString& title, const QString& text);
// What the tool bar would meet: a modal box in front of the whole program or of this window.
// The panel menu's commands and a notification's answers wait for it the same way: not given.
bool held_back_by_modal(QWidget* window);

// The user chose an answer of a notification shown with answers (its number as the layer gave
// it to the notification hook): the window hears of it as EV_CONTROL with the answer's command
// id and the notification's tag. Answers of a notification whose window has closed, or that it
// never offered, are not given.
void answer_notification(unsigned notification, int command_id);

}  // namespace common
