// The Qt boundary for texts: program texts are Windows-1252 bytes, Qt speaks QString.
#pragma once

#include <QString>
#include <string>

namespace common {

// Every byte maps to one character and back, so any bytes survive a trip through a control.
QString to_qt(const std::string& text);
// Characters Windows-1252 cannot hold become '?'.
std::string from_qt(const QString& text);
// True when every character of the text has a Windows-1252 byte (so from_qt loses nothing).
bool fits_windows_1252(const QString& text);

}  // namespace common
