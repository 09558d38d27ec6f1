// The faces the programs name, mapped to installed faces of the same widths, so that captions
// fit the controls the layouts drew for them on every machine.
#pragma once

#include <QFont>
#include <string>

namespace common {

// Starts reading the desktop's font configuration beside the toolkit's own start-up. Reading
// it is most of what a first text costs, and it would otherwise wait until the first window
// asks for a face.
void start_reading_font_configuration();
// Lets that reading go on to the toolkit's own list of faces: call once the toolkit is up.
void font_reader_may_use_toolkit();

// Makes the dialog font every control's default, once. Called wherever the layer makes a
// widget with no window before it (windows and dialogs, message boxes, file requesters), so
// that the list of faces is read beside the program's own start rather than before it.
void use_dialog_font_everywhere();

// The installed face drawn for a face the programs name ("MS Sans Serif", "ANSI_CHARSET",
// "CENTURY_GOTHIC", ...); a face with no stand-in is passed on as it is.
QString installed_face(const std::string& face);
// The 8-point dialog font the layouts were drawn for; also every control's default font.
QFont dialog_font();

}  // namespace common
