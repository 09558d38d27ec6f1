// The parts of the message box and the file requester that can be checked without a person
// in front of them.
#pragma once

#include <QMessageBox>
#include <QRect>
#include <QString>
#include <memory>
#include <string>

namespace common {

class Window;

// The box for Win32 flags, not yet shown (flags 0 mean exclamation and OK).
std::unique_ptr<QMessageBox> build_message_box(Window* owner, const std::string& text,
                                               const std::string& caption, long flags);
// The Win32 code of a pressed button (IDOK, IDCANCEL, ...).
int message_box_code(QMessageBox::StandardButton button);
// Top-left of a box centred over `over` and kept inside `area`.
QPoint message_box_place(const QSize& box, const QRect& over, const QRect& area);
// "Desc (*.dat)|*.dat|All|*.*||" -> "Desc (*.dat);;All (*.*)".
QString translate_filter(const std::string& filter);

}  // namespace common
