// Start-up, the main frame with its tool bar, message field and status bar, the job
// description window with its five check boxes, the run loop and its one-second tick, and
// the Yes/No question dialog.
#pragma once

#include <string>

namespace jobs {

// Start-up up to (not including) the run loop: start picture, state, settings, help dialog,
// main frame, job description and job components windows, price list, timer 1 at 500 ms.
void start_up();
// Runs wait_events(0) while the run flag is set.
void run_loop();
// Deletes the current picture and closes the main frame with its child windows.
void clean_up();
// The whole program: start_up, run_loop, clean_up. Returns the process exit code.
int run_job_manager();

// The tick of timer 1 of the main frame.
void tick();
// Timer 1 of the main frame: stopped around every command, restarted with 1000 ms after it.
void stop_tick();
void restart_tick();

// Asks a Yes/No question in the modal question dialog; the answer is left in state.answer
// (1 Yes, 0 No; the close box answers No).
void ask(const std::string& caption, const std::string& question);
// Draws "Job: " + job name + thirteen spaces at (6, 30) of the job description window.
void ShowJobTitle();

}  // namespace jobs
