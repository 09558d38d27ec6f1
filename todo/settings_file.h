// "todo.ini": eleven lines, one setting each; line 6 holds the dialog's x and y as numbers (each
// followed by one space) and then the message prefix.
#pragma once

#include <string>
#include <vector>

#include "state.h"

namespace todo {

inline constexpr int SETTINGS_LINES = 11;

// The eleven lines to write (without their line ends).
std::vector<std::string> settings_lines(const Settings& settings);
// Takes the settings from the lines read; missing lines read as empty texts and 0, extra lines
// are ignored. An empty message-file flag becomes "yes", an empty show-output flag "no".
void read_settings_lines(const std::vector<std::string>& lines, Settings& settings);

// Line 6: " 120  45 ToDo: " <-> 120, 45, "ToDo: ". The numbers end at the byte after them, so a
// prefix that starts with a digit or "-" is read back as it was written.
std::string position_line(int x, int y, const std::string& prefix);
void read_position_line(const std::string& line, int& x, int& y, std::string& prefix);

}  // namespace todo
