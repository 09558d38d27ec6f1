// What a person sees of a window, measured for tests: whether every caption fits its control
// and can be seen, where a tool bar and its buttons lie, and what the status bar looks like on
// the screen.
#pragma once

#include <string>
#include <vector>

#include "common/window.h"

namespace common::testing {

// Every static text, button, check box, radio button, group box and tool-bar button of an open
// window whose caption does not fit its content rectangle in its own font, reaches outside the
// window, or is covered by a control stacked above it; one readable line each ("" none).
std::vector<std::string> caption_problems(Window& window);

// A control in its window's client coordinates, or with id 0 the client area itself (all zero
// when missing).
Rect client_rect(Window& window, int id);
// Each button of a tool bar (separators left out), in the window's client coordinates.
std::vector<Rect> tool_button_rects(Window& window, int tool_bar_id);
// True when control `upper` is stacked above control `lower` of the same window.
bool stacked_above(Window& window, int upper, int lower);

// The status bar as the window renders it on the screen (0 dark .. 255 light).
struct StripLook {
    int face_lightness = 0;  // the colour most of the strip shows
    int text_lightness = 0;  // the darkest pixel that is not the face
    int text_pixels = 0;     // pixels that differ clearly from the face
};
StripLook status_bar_look(Window& window, int id);

}  // namespace common::testing
