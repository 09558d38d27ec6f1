#include "desktop.h"

#include "common/panel.h"
#include "common/window.h"
#include "missed_alarms.h"
#include "state.h"

namespace todo {

namespace {

constexpr const char* NOTIFICATION_TITLE = "Reminder";

}  // namespace

// The menu holds the same commands as the tool bar's buttons, so "Finnished" saves and closes
// exactly as the button does.
void put_icon_in_panel() {
    common::show_panel_icon(
        main_dialog, state.icon, common::get_control_text(main_dialog, ID_MESSAGE_LINE),
        {{CMD_SHOW, "Show"}, {CMD_REFRESH, "Refresh"}, {CMD_FINNISHED, "Finnished"}});
}

void show_in_panel_tooltip(const std::string& message_line) {
    common::set_panel_tooltip(main_dialog, message_line);
}

void panel_icon_clicked() {
    if (common::is_in_front(main_dialog)) {
        common::hide_window(main_dialog);
    } else {
        common::bring_to_front(main_dialog);
    }
}

void bring_main_dialog_forward() {
    common::bring_to_front(main_dialog);
}

void notify_reminder(const std::string& entry_text) {
    common::notify_desktop(NOTIFICATION_TITLE, entry_text);
}

void notify_missed_reminder(const std::string& entry_text) {
    common::notify_desktop(NOTIFICATION_TITLE, missed_notification(entry_text));
}

}  // namespace todo
