// The tool bar's side of control_command.
#pragma once

#include <string>

#include "native_window.h"

namespace common {

int tool_bar_command(Control& control, int code, long n1, long n2, const std::string& t1,
                     const std::string& t2);

}  // namespace common
