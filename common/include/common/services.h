// Services around the windows: message boxes, file requesters, starting programs, sound and the
// program folder. Each goes through a hook that the test driver can take over, so tests answer
// questions in advance and record what would have been started or played.
#pragma once

#include <string>

namespace common {

class Window;

// Message-box flags (Win32 values) and the button codes the box returns.
inline constexpr long MB_OK = 0x0;
inline constexpr long MB_OKCANCEL = 0x1;
inline constexpr long MB_ABORTRETRYIGNORE = 0x2;
inline constexpr long MB_YESNOCANCEL = 0x3;
inline constexpr long MB_YESNO = 0x4;
inline constexpr long MB_RETRYCANCEL = 0x5;
inline constexpr long MB_ICONSTOP = 0x10;
inline constexpr long MB_ICONQUESTION = 0x20;
inline constexpr long MB_ICONEXCLAMATION = 0x30;
inline constexpr long MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a message box centred over its owner (or the desktop) inside the work area and returns
// the button code. Flags 0 mean 48: exclamation icon, one OK button.
int message_box(Window* owner, const std::string& text, const std::string& caption, long flags);

// Asks for a file. `filter` is "Desc|pattern|Desc|pattern|" with an optional extra bar at the
// end; `open` 1 shows an open requester, 0 a save requester that asks before overwriting.
// Returns the full path chosen, or the empty text when the user cancels.
std::string file_requester(const std::string& title, Window* owner, int open,
                           const std::string& filter, const std::string& default_extension,
                           long flags, const std::string& initial_folder);

// Opens the file with its associated program, or runs it when it is a program. No result.
void start_program(const std::string& file, const std::string& parameters);

// Plays a sound file without waiting; a missing or unplayable file, or a machine without
// sound, plays nothing and says nothing. stop_sound ends what is playing.
void play_sound(const std::string& path);
void stop_sound();

// The folder of the running program's file, ending with the separator.
std::string program_folder();

}  // namespace common
