// Input as a person gives it: mouse presses and releases at a point of a widget, double clicks,
// drags and key presses, each followed by a turn of the event loop as between two real events.
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace common::testing {

void mouse_click(QWidget* widget, QPoint at);
void mouse_double_click(QWidget* widget, QPoint at);
void mouse_drag(QWidget* widget, QPoint from, QPoint to);
void key_click(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The wheel turned by whole notches (positive: down, towards the end of a list) with the
// pointer at a point of the widget.
void wheel_turn(QWidget* widget, QPoint at, int notches);
// Clicks into the field, selects what it holds and types the text over it ("\r\n" is Enter).
void type_over(QWidget* field, const QString& text);
// Whether a person could reach the widget: shown on screen and enabled.
bool within_reach(const QWidget* widget);

}  // namespace common::testing
