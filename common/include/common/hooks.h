// Seams through which the test driver takes over what a person or the desktop would do.
// Programs never touch these; in a normal run every hook is empty and the real thing happens.
#pragma once

#include <functional>
#include <string>

namespace common {

class Window;

struct LayerHooks {
    // Answers a message box instead of showing it: (owner, text, caption, flags) -> button code.
    std::function<int(Window*, const std::string&, const std::string&, long)> message_box;
    // Answers a file requester: (title, open, filter, default extension, initial folder) -> path,
    // in UTF-8 as the desktop names files (so a test can choose a name the office's files
    // cannot hold); "" is cancelled.
    std::function<std::string(const std::string&, int, const std::string&, const std::string&,
                              const std::string&)>
        file_requester;
    // Records a program start instead of starting it: (file, parameters).
    std::function<void(const std::string&, const std::string&)> start_program;
    // Records a sound instead of playing it: (path, true to play / false to stop).
    std::function<void(const std::string&, bool)> sound;
    // Called inside a modal dialog's loop once it is up (after EV_DIALOG_INIT), so a test can
    // act on it. When set, modal dialogs that nobody answers are ended with result 2.
    std::function<void(Window&)> modal_dialog_shown;
    // When true, timers are recorded but never fire by themselves: tests fire them.
    bool manual_timers = false;
    // When not empty, program_folder() answers this folder (ending with the separator).
    std::string program_folder;
    // When true, the programs work as in an office folder several people share (each person's
    // settings apart from the office's), whatever the program folder is.
    bool office_folder = false;
};

LayerHooks& layer_hooks();

// Delivers an event to a window's handler exactly as the layer does (saving and restoring the
// current event around the call). Returns the handler's result, 0 when the window is closed.
int deliver_event(Window& window, int event_class, int control_id, int notify_code,
                  long first_param = 0, long second_param = 0);

}  // namespace common
