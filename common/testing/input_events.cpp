// Input as a person gives it, through Qt's test events: each press, release and key goes to the
// widget as the window system would send it, so the widget sees the same order of events and
// signals as under a real mouse and keyboard.
#include "input_events.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QKeySequence>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace common::testing {
namespace {

// What the event loop does between two real input events: posted work runs first.
void let_events_settle() {
    QCoreApplication::sendPostedEvents();
}

Qt::Key key_of(QChar c) {
    if (c.isLetter() && c.unicode() < 128) return Qt::Key(c.toUpper().unicode());
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F) return Qt::Key(c.unicode());
    return Qt::Key_unknown;
}

}  // namespace

bool within_reach(const QWidget* widget) {
    return widget != nullptr && widget->isVisible() && widget->isEnabled();
}

void mouse_click(QWidget* widget, QPoint at) {
    QPointer<QWidget> alive(widget);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
    let_events_settle();
    if (alive) QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
    let_events_settle();
}

void mouse_double_click(QWidget* widget, QPoint at) {
    // Widgets see press, release, double click, release: the second press becomes the double
    // click.
    QPointer<QWidget> alive(widget);
    mouse_click(widget, at);
    if (alive) QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    let_events_settle();
    if (alive) QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
    let_events_settle();
}

void mouse_drag(QWidget* widget, QPoint from, QPoint to) {
    QPointer<QWidget> alive(widget);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    let_events_settle();
    // Through every pixel row and column on the way, as a hand moves the pointer.
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    for (int step = 1; alive && step <= steps; ++step) {
        QPoint at = from + (to - from) * step / steps;
        QTest::mouseMove(widget, at);
        let_events_settle();
    }
    if (alive) QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
    let_events_settle();
}

void key_click(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(widget, Qt::Key(key), modifiers);
    let_events_settle();
}

void wheel_turn(QWidget* widget, QPoint at, int notches) {
    // A notch at a time, as a wheel clicks: one notch is 120 eighths of a degree, and turning the
    // wheel towards the user scrolls down.
    QPointer<QWidget> alive(widget);
    const QPoint angle(0, notches > 0 ? -120 : 120);
    for (int notch = 0; alive && notch < std::abs(notches); ++notch) {
        QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), angle,
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &event);
        let_events_settle();
    }
}

void type_over(QWidget* field, const QString& text) {
    QPointer<QWidget> alive(field);
    // A multi-line field takes its clicks on the area inside its frame.
    auto* area = qobject_cast<QAbstractScrollArea*>(field);
    QWidget* clicked = area ? area->viewport() : field;
    mouse_click(clicked, clicked->rect().center());
    if (!alive) return;
    QTest::keySequence(field, QKeySequence::SelectAll);
    if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
    for (qsizetype i = 0; alive && i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == u'\r') continue;
        if (c == u'\n') {
            QTest::keyClick(field, Qt::Key_Return);
        } else {
            QTest::sendKeyEvent(QTest::Click, field, key_of(c), QString(c), Qt::NoModifier);
        }
    }
    let_events_settle();
}

}  // namespace common::testing
