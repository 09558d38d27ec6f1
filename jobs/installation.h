// The installation window: the site survey (fields 100 to 111) and job progress (the to-do
// list 111 and the done list 112).
#pragma once

namespace jobs {

inline constexpr int ID_FIRST_SURVEY_FIELD = 100;
inline constexpr int ID_PROCESS_TODO = 111;
inline constexpr int ID_PROCESS_DONE = 112;

// Opens the window with its controls, defaults, drop-downs and labels; sets its open flag.
void OpenInstallationWindow();
void CloseInstallationWindow();

}  // namespace jobs
