// Texts that other programs write in UTF-8, taken into the office's Windows-1252 texts.
#pragma once

#include <optional>
#include <string>

namespace common {

// The text in Windows-1252 when its bytes are valid UTF-8 and hold a character beyond ASCII;
// nothing otherwise (such bytes are already the office's text, or are not UTF-8 at all). A letter
// Windows-1252 has no place for is written as its plain Latin letter ("ń" as "n"); any other
// character it cannot hold becomes "?". Nothing of the text is dropped.
std::optional<std::string> windows_1252_from_utf8(const std::string& bytes);

}  // namespace common
