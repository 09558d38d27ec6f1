// What an edit field takes from the office: no more than its file keeps (254 characters) and
// no character the office's Windows-1252 files cannot hold. A field that refuses something says
// why through the notice the program registered (set_refused_input_notice).
#pragma once

#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace common {

// A one-line field: typing, pasting and dropping stop at 254 characters and refuse
// characters Windows-1252 cannot hold.
void limit_typing(QLineEdit* field);
// The edit part of a drop-down the office types into, the same way.
void limit_typing(QComboBox* drop_down);
// Multi-line fields keep their text as one value of at most 254 bytes in the file, each line
// break being the two bytes CR LF: these fields take no more than that.
QPlainTextEdit* make_limited_plain_edit(QWidget* parent);
QTextEdit* make_limited_rich_edit(QWidget* parent);

// Says why a field refused what was typed; nothing happens when no notice is registered.
void tell_refused_input(const std::string& why);
extern const char* const TOO_LONG_NOTICE;
extern const char* const UNKNOWN_LETTER_NOTICE;

}  // namespace common
