// Message boxes with the Win32 flag values, answered by the test driver when it is in charge.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "common/hooks.h"
#include "common/services.h"
#include "dialogs_internal.h"
#include "encoding.h"
#include "fonts.h"
#include "native_window.h"

namespace common {
namespace {

constexpr long kButtonMask = 0xF;
constexpr long kIconMask = 0xF0;

QMessageBox::StandardButtons buttons_for(long flags) {
    switch (flags & kButtonMask) {
        case MB_OKCANCEL:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MB_ABORTRETRYIGNORE:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MB_YESNOCANCEL:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MB_YESNO:
            return QMessageBox::Yes | QMessageBox::No;
        case MB_RETRYCANCEL:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon icon_for(long flags) {
    switch (flags & kIconMask) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QWidget* owner_widget(Window* owner) {
    return owner && owner->native ? owner->native->widget->window() : nullptr;
}

void place(QMessageBox& box, Window* owner) {
    box.adjustSize();
    QWidget* over_widget = owner_widget(owner);
    QScreen* screen = over_widget && over_widget->screen() ? over_widget->screen()
                                                           : QGuiApplication::primaryScreen();
    QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    QRect over = over_widget ? over_widget->frameGeometry() : area;
    box.move(message_box_place(box.size(), over, area));
}

}  // namespace

std::unique_ptr<QMessageBox> build_message_box(Window* owner, const std::string& text,
                                               const std::string& caption, long flags) {
    ensure_layer();
    use_dialog_font_everywhere();
    if (flags == 0) flags = MB_ICONEXCLAMATION | MB_OK;
    auto box = std::make_unique<QMessageBox>(icon_for(flags), to_qt(caption), to_qt(text),
                                             buttons_for(flags), owner_widget(owner));
    // Escape answers as Win32 does: Cancel where there is one, otherwise the only OK.
    QMessageBox::StandardButtons buttons = buttons_for(flags);
    if (buttons & QMessageBox::Cancel) {
        box->setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == QMessageBox::Ok) {
        box->setEscapeButton(QMessageBox::Ok);
    }
    return box;
}

int message_box_code(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok:
            return IDOK;
        case QMessageBox::Cancel:
            return IDCANCEL;
        case QMessageBox::Abort:
            return IDABORT;
        case QMessageBox::Retry:
            return IDRETRY;
        case QMessageBox::Ignore:
            return IDIGNORE;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        default:
            return IDCANCEL;
    }
}

QPoint message_box_place(const QSize& box, const QRect& over, const QRect& area) {
    int x = over.left() + (over.width() - box.width()) / 2;
    int y = over.top() + (over.height() - box.height()) / 2;
    // Pulled back inside the work area; a negative coordinate becomes the area's edge.
    x = std::min(x, area.left() + area.width() - box.width());
    y = std::min(y, area.top() + area.height() - box.height());
    return {std::max(x, area.left()), std::max(y, area.top())};
}

int message_box(Window* owner, const std::string& text, const std::string& caption, long flags) {
    if (layer_hooks().message_box) return layer_hooks().message_box(owner, text, caption, flags);
    std::unique_ptr<QMessageBox> box = build_message_box(owner, text, caption, flags);
    place(*box, owner);
    box->exec();
    QAbstractButton* pressed = box->clickedButton();
    if (pressed == nullptr) return (flags & kButtonMask) == MB_OK ? IDOK : IDCANCEL;
    return message_box_code(box->standardButton(pressed));
}

}  // namespace common
