// Keys a program may ask to hear of on a control, beyond what the dialog's own keyboard handling
// does with them.
#pragma once

namespace common {

class Window;

// Notify codes under EV_CONTROL.
inline constexpr int NOTIFY_ENTER_KEY = 0x0D00;   // Enter pressed in a single-line edit
inline constexpr int NOTIFY_DELETE_KEY = 0x2E00;  // Delete pressed on a list box

// From now on, Enter in this single-line edit reaches the handler as EV_CONTROL with the edit's
// id and NOTIFY_ENTER_KEY (instead of pressing the dialog's default button).
void report_enter_key(Window& window, int edit_id);
// From now on, the Delete key pressed on this list box reaches the handler as EV_CONTROL with
// the list's id and NOTIFY_DELETE_KEY.
void report_delete_key(Window& window, int list_id);

}  // namespace common
