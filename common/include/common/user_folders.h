// The folder where one person's own settings and backups are kept, apart from the office folder
// that several people may share.
#pragma once

#include <string>

namespace common {

// "kez-office" in the user's configuration folder, ending with the separator:
// $XDG_CONFIG_HOME/kez-office/ (else ~/.config/kez-office/) on Linux, %APPDATA%\kez-office\ on
// Windows. Made when missing; "" when there is no such folder and none can be made.
std::string user_config_folder();

}  // namespace common
