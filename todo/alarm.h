// Alarm actions: the program started and the sound played when a reminder's alarm fires, and
// the "Alarm Action" dialog in which the user chooses them.
#pragma once

#include "common/window.h"

namespace todo {

void alarm_action();
void play_alarm_sound();  // the sound player: plays or closes by the sound play flag
void show_alarm_action_dialog();

// The "Alarm Action" dialog's events.
int alarm_dialog_handler(common::Window& dialog);

}  // namespace todo
