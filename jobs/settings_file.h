// The settings file "data\KezDatabaseINI.ini": one "key:value" line per setting, any order,
// the last line with a key winning.
#pragma once

#include <string>
#include <vector>

#include "reference_lists.h"

namespace jobs {

// Applies the keys found in one line to the settings.
void apply_settings_line(Settings& settings, const std::string& line);
// The settings a whole file gives, starting from zero and empty values.
Settings read_settings(const std::vector<std::string>& lines);

}  // namespace jobs
