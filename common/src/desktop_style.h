// The toolkit's style the windows are drawn in, as the desktop gives it.
#pragma once

class QLineEdit;

namespace common {

// Puts the desktop's style under the application with two changes: the arrows a tool bar shows
// when its buttons overflow are read when first drawn, not when each tool bar is made; and the
// fields given a thin frame are drawn with it. Call once the toolkit is up and before the first
// window.
void install_desktop_style();

// A frame of one pixel and no padding, for a field too narrow for the style's own.
void give_thin_frame(QLineEdit* field);

}  // namespace common
