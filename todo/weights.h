// The six reminder conditions, their weights and responses ("weights.ini") and the weights
// dialog.
#pragma once

#include <string>
#include <vector>

#include "common/window.h"

namespace todo {

void load_condition_weights();
// The first twelve lines of a weights file; false when it cannot be opened.
bool read_weights_lines(const std::string& path, std::vector<std::string>& lines);
void save_condition_weights();
// Opens the weights dialog when it is closed, closes it when it is open.
void toggle_weights_dialog();
// Closes the weights dialog without taking over an edited response (Refresh, Data base).
void close_weights_dialog();
// Scores the conditions and picks the winner.
void evaluate_conditions();

// Start-up: every weight 0, condition 0 current. The winner is kept for the whole run.
void reset_condition_weights();
// The condition that scored highest most recently, -1 before any has scored above 0.
int winning_condition();

// The weights dialog's events.
int weights_dialog_handler(common::Window& dialog);

}  // namespace todo
