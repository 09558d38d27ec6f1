#include "alarm.h"

#include "common/services.h"
#include "common/text.h"
#include "database.h"
#include "state.h"

namespace todo {

namespace {

// Controls of the "Alarm Action" dialog.
constexpr int ID_RUN_PROGRAM_CHECK = 2;  // "Run progam"
constexpr int ID_PROGRAM_EDIT = 3;
constexpr int ID_BROWSE_PROGRAM = 4;
constexpr int ID_PLAY_SOUND_CHECK = 5;  // "Play sound"
constexpr int ID_SOUND_EDIT = 6;
constexpr int ID_BROWSE_SOUND = 7;
constexpr int ID_OK = 8;
constexpr int ID_CANCEL = 9;
constexpr int ID_PLAY = 10;  // "P"
constexpr int ID_STOP = 11;  // "S"

constexpr const char* PROGRAM_FILTER =
    "All Files (*.*)|*.*|Program Files (*.exe)|*.exe|Screensaver Files (*.scr)|*.scr|";
constexpr const char* SOUND_FILTER =
    "Mp3 Files (*.mp3)|*.mp3|Karaoke Files(*.kar)|*.kar|Midi files (*.mid)|*.mid|Wave "
    "Files(*.wav)|*.wav||";

void fill_alarm_dialog(common::Window& dialog) {
    if (state.icon != 0) common::set_window_icon(dialog, state.icon);
    common::centre_window(dialog);
    const Settings& settings = state.settings;
    common::set_check(dialog, ID_RUN_PROGRAM_CHECK, settings.run_program == 1 ? 1 : 0);
    common::set_check(dialog, ID_PLAY_SOUND_CHECK, settings.play_sound == 1 ? 1 : 0);
    common::set_control_text(dialog, ID_PROGRAM_EDIT, settings.program_path);
    common::set_control_text(dialog, ID_SOUND_EDIT, settings.sound_path);
}

void take_over_alarm_choices(common::Window& dialog) {
    Settings& settings = state.settings;
    settings.run_program = common::get_check(dialog, ID_RUN_PROGRAM_CHECK) == 1 ? 1 : 0;
    settings.program_path = common::field_text(common::get_control_text(dialog, ID_PROGRAM_EDIT));
    settings.play_sound = common::get_check(dialog, ID_PLAY_SOUND_CHECK) == 1 ? 1 : 0;
    settings.sound_path = common::field_text(common::get_control_text(dialog, ID_SOUND_EDIT));
    save_database();  // also saves the settings
}

// A "Browse" takes its path over at once; a cancelled requester leaves the path empty.
void browse_for(common::Window& dialog, const char* title, const char* filter, std::string& path,
                int edit_id) {
    path = common::field_text(common::file_requester(title, &dialog, 1, filter, "", 0, "C:\\"));
    common::set_control_text(dialog, edit_id, path);
}

int alarm_dialog_command(common::Window& dialog, int id) {
    switch (id) {
        case ID_OK:
            take_over_alarm_choices(dialog);
            common::close_dialog(dialog, 1);
            return 1;
        case ID_CANCEL:
            common::close_dialog(dialog, 1);
            return 1;
        case ID_BROWSE_PROGRAM:
            browse_for(dialog, "Open file to run", PROGRAM_FILTER, state.settings.program_path,
                       ID_PROGRAM_EDIT);
            return 1;
        case ID_BROWSE_SOUND:
            browse_for(dialog, "Open Audio file", SOUND_FILTER, state.settings.sound_path,
                       ID_SOUND_EDIT);
            return 1;
        case ID_PLAY:
            state.sound_play = 1;
            play_alarm_sound();
            return 1;
        case ID_STOP:
            state.sound_play = 0;
            play_alarm_sound();
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void alarm_action() {
    if (state.settings.run_program == 1) common::start_program(state.settings.program_path, "");
    if (state.settings.play_sound == 1) {
        state.sound_play = 1;
        play_alarm_sound();
    }
}

void play_alarm_sound() {
    if (state.sound_play == 1) {
        common::play_sound(state.settings.sound_path);
    } else if (state.sound_play == 0) {
        common::stop_sound();
    }
}

void show_alarm_action_dialog() {
    alarm_dialog_events = alarm_dialog_handler;
    if (alarm_dialog.is_open()) return;  // already up: its controls hold the user's work
    common::show_dialog(alarm_dialog);
}

int alarm_dialog_handler(common::Window& dialog) {
    const common::Event& event = common::event();
    switch (event.event_class) {
        case common::EV_DIALOG_INIT:
            fill_alarm_dialog(dialog);
            return 0;
        case common::EV_CONTROL:
            return alarm_dialog_command(dialog, event.control_id);
        case common::EV_CLOSE:
            common::close_dialog(dialog, 1);
            return 1;
        default:
            return 0;
    }
}

}  // namespace todo
