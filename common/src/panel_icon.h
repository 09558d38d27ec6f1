// The Qt side of a window's panel icon, private to the layer and the test driver (which reads
// the tooltip and uses the menu as a person would).
#pragma once

#include <QSystemTrayIcon>

#include "common/window.h"

namespace common {

// The window's panel icon, null when it has none.
QSystemTrayIcon* panel_icon_of(Window& window);

}  // namespace common
