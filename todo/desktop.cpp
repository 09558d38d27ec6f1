#include "desktop.h"

#include <vector>

#include "alarm_answers.h"
#include "common/panel.h"
#include "common/window.h"
#include "missed_alarms.h"
#include "state.h"

namespace todo {

namespace {

constexpr const char* NOTIFICATION_TITLE = "Reminder";

const std::vector<common::PanelMenuItem>& alarm_answers() {
    static const std::vector<common::PanelMenuItem> answers = {{CMD_DONE, "Done"},
                                                               {CMD_SNOOZE, "Snooze 10 minutes"}};
    return answers;
}

}  // namespace

// The menu holds the same commands as the tool bar's buttons, so "Finnished" saves and closes
// exactly as the button does; and the answers to the alarms that ring, greyed while none does.
void put_icon_in_panel() {
    std::vector<common::PanelMenuItem> menu = {
        {CMD_SHOW, "Show"}, {CMD_REFRESH, "Refresh"}, {CMD_FINNISHED, "Finnished"}};
    menu.insert(menu.end(), alarm_answers().begin(), alarm_answers().end());
    common::show_panel_icon(main_dialog, state.icon,
                            common::get_control_text(main_dialog, ID_MESSAGE_LINE), menu);
    enable_alarm_answers(false);
}

void enable_alarm_answers(bool ringing) {
    for (const common::PanelMenuItem& answer : alarm_answers()) {
        common::enable_panel_item(main_dialog, answer.command_id, ringing);
    }
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

void notify_reminder(const std::string& entry_text, long alarm_number) {
    common::notify_desktop(main_dialog, NOTIFICATION_TITLE, entry_text, alarm_answers(),
                           alarm_number);
}

void notify_missed_reminder(const std::string& entry_text) {
    common::notify_desktop(NOTIFICATION_TITLE, missed_notification(entry_text));
}

}  // namespace todo
