// The toolkit's style the windows are drawn in, as the desktop gives it.
#pragma once

namespace common {

// Puts the desktop's style under the application with one change: the arrows a tool bar shows
// when its buttons overflow are read when first drawn, not when each tool bar is made. Call
// once the toolkit is up and before the first window.
void install_desktop_style();

}  // namespace common
