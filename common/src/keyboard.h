// The keyboard's reach: tool-bar buttons are reached with Tab and pressed with Space or Enter,
// and keys bound to a window's commands reach its handler as a press of that command does.
#pragma once

class QToolButton;
class QWidget;

namespace common {

class Window;

// A tool-bar button the keyboard reaches.
void reach_by_keyboard(QToolButton* button);
// A top-level window or dialog: when it first comes up, the keyboard starts where it always
// did, at its first control, never on a tool-bar button.
void start_keyboard_off_tool_bars(QWidget* top_level);
// Makes the window's key bindings on its widget; run whenever its widget is made.
void apply_key_bindings(Window& window);

}  // namespace common
