// The main dialog's handler: initialisation, closing and every command of the to-do list.
#pragma once

#include "common/window.h"

namespace todo {

int main_dialog_handler(common::Window& dialog);

// Adds the entry edit's text as a new entry with the date and time fields' reminder, saves the
// database and notes the entry in "AddFile.txt". An empty edit adds nothing. Always sets the
// re-select flag.
void add_entry();

}  // namespace todo
