// The desktop around the windows: an icon in the panel (the system tray) for a window, bringing a
// window to the front, hiding it or marking it as wanting attention, and the desktop's
// notifications. Where the desktop offers
// none of these, the calls do nothing and the program carries on as before.
#pragma once

#include <string>
#include <vector>

namespace common {

class Window;

// A click on a window's panel icon reaches the window's handler as this event (control id 0).
inline constexpr int EV_PANEL_CLICK = 32790;

// One line of a panel icon's menu. Choosing it reaches the window's handler as EV_CONTROL with
// the command id and notify code 0, exactly as a tool-bar button does; while a modal box holds
// the window back, the menu's commands wait for it like the tool bar does and are not given.
struct PanelMenuItem {
    int command_id = 0;
    std::string label;
};

// Whether the desktop shows icons in a panel.
bool panel_available();

// Puts an icon for the window into the panel: `image` is an icon handle (0 or a dead handle
// takes the window's own icon), the tooltip and the menu as given. Returns false, doing nothing,
// where the desktop has no panel. One icon per window; a second call replaces the first. The
// icon goes when the window closes.
bool show_panel_icon(Window& window, int image, const std::string& tooltip,
                     const std::vector<PanelMenuItem>& menu);
void set_panel_tooltip(Window& window, const std::string& tooltip);
void remove_panel_icon(Window& window);

// A window the user sees in front of the others: shown, not minimised, and active.
bool is_in_front(Window& window);
// Shows the window (restoring it when minimised), raises it and makes it the active one.
void bring_to_front(Window& window);
// Takes the window off the screen without closing it; bring_to_front shows it again.
void hide_window(Window& window);

// Greys a line of the window's panel icon menu, or makes it usable again.
void enable_panel_item(Window& window, int command_id, bool on);

// Marks the window as wanting the user's attention (its task-bar entry flashes, as the desktop
// shows it) unless the user sees it in front already.
void ask_for_attention(Window& window);

// A notification of the desktop (a bubble or a message in its notification area) that goes
// away by itself. Without a notification service or a panel, nothing is shown and nothing said.
void notify_desktop(const std::string& title, const std::string& text);
// The same with answers the user may choose in it, where the desktop's notifications take them
// (elsewhere the text alone is shown). Choosing one reaches the window's handler as EV_CONTROL
// with the answer's command id, notify code 0 and `tag` as first parameter, as the panel menu's
// lines do; while a modal box holds the window back, the answer is not given.
void notify_desktop(Window& window, const std::string& title, const std::string& text,
                    const std::vector<PanelMenuItem>& answers, long tag);

}  // namespace common
