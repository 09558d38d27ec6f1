// The to-do program's start-up cycle: settings, the three dialogs, the backup, the icon, the
// starting state, the main dialog and the run loop; again from the settings when a command asks
// for a reload.
#pragma once

#include <functional>

namespace todo {

// The whole program: runs start-up cycles until one ends without a reload request. Returns the
// process's exit code.
int run_todo();

// One cycle in two halves, for the run loop and for tests that drive the dialog themselves:
// everything up to the main dialog being shown, and everything after its run loop has ended.
void start_cycle();
void end_cycle();

// Declares the main, alarm action and weights dialogs with every control (main dialog at x, y).
void declare_dialogs(int x, int y);

// Ends the program at once, saving nothing. Tests set `exit_hook` to observe it instead; the
// run flag and reload request are then cleared and the caller returns.
void immediate_exit();
extern std::function<void()> exit_hook;

}  // namespace todo
