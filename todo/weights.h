// The six reminder conditions, their weights and responses ("weights.ini") and the weights
// dialog.
#pragma once

namespace todo {

void load_condition_weights();
void save_condition_weights();
// Opens the weights dialog when it is closed, closes it when it is open.
void toggle_weights_dialog();
void close_weights_dialog();
// Scores the conditions and picks the winner.
void evaluate_conditions();

}  // namespace todo
