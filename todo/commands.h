// The main dialog's handler: initialisation, closing and every command of the to-do list.
#pragma once

#include "common/window.h"

namespace todo {

int main_dialog_handler(common::Window& dialog);

}  // namespace todo
