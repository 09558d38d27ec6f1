// The help dialog and its exchange of one-line files with another program.
#pragma once

namespace jobs {

// Records the help dialog's template (start-up); it is not shown.
void declare_help_dialog();
// The Help command: closes the dialog when it is open, otherwise shows it modally.
void toggle_help();
// Run by every tick while the help dialog is open: shows an answer that has arrived.
void check_help_answer();

}  // namespace jobs
