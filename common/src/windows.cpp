// Opening, closing, placing and colouring windows.
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <algorithm>

#include "encoding.h"
#include "images.h"
#include "keyboard.h"
#include "native_window.h"

namespace common {
namespace {

Qt::WindowFlags top_level_flags(long flags) {
    Qt::WindowFlags qt = flags & WF_TOOL_WINDOW ? Qt::Tool : Qt::Window;
    if (flags & WF_NO_CAPTION) {
        qt |= Qt::FramelessWindowHint;
    } else {
        qt |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
              Qt::WindowCloseButtonHint;
        if (flags & WF_MINIMIZE_BOX) qt |= Qt::WindowMinimizeButtonHint;
        if (flags & WF_MAXIMIZE_BOX) qt |= Qt::WindowMaximizeButtonHint;
    }
    if (flags & WF_TOPMOST) qt |= Qt::WindowStaysOnTopHint;
    return qt;
}

QRect work_area(const QWidget* near) {
    QScreen* screen = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

// Pulls a rectangle back inside the work area; the left and top edges win.
QPoint inside(QRect box, const QRect& area) {
    int x = std::max(area.left(), std::min(box.left(), area.right() + 1 - box.width()));
    int y = std::max(area.top(), std::min(box.top(), area.bottom() + 1 - box.height()));
    return {std::max(x, area.left()), std::max(y, area.top())};
}

void fix_size_unless_sizable(NativeWindow& native, int width, int height) {
    if (native.parent == nullptr && !(native.flags & WF_SIZABLE)) {
        native.widget->setFixedSize(width, height);
    } else {
        native.widget->resize(width, height);
    }
}

}  // namespace

int open_window(Window& window, int x, int y, int width, int height, long flags, Window* parent,
                const std::string& title, Handler handler) {
    ensure_layer();
    if (window.is_open()) return 1;
    if (parent != nullptr && !parent->is_open()) return 0;
    window.handler = std::move(handler);
    window.is_dialog = false;
    auto* native = new NativeWindow(window, parent);
    native->flags = flags;
    QWidget* parent_widget = parent ? parent->native->widget : nullptr;
    auto* host = new HostWidget(native, parent_widget);
    native->widget = host;
    if (parent == nullptr) {
        host->setWindowFlags(top_level_flags(flags));
        start_keyboard_off_tool_bars(host);
    }
    host->setWindowTitle(to_qt(title));
    host->setAutoFillBackground(false);
    host->move(x, y);
    fix_size_unless_sizable(*native, width, height);
    native->text_font = host->font();
    native->has_back_buffer = !(flags & WF_NO_BACK_BUFFER);
    window.native = native;
    attach_to_parent(window, parent);
    apply_key_bindings(window);
    // A child window opened later must not cover its parent's status bar.
    if (parent != nullptr) parent->native->restack();
    if (parent == nullptr && (flags & WF_MAXIMIZED)) {
        host->showMaximized();
    } else if (parent == nullptr && (flags & WF_MINIMIZED)) {
        host->showMinimized();
    } else {
        host->show();
    }
    return 1;
}

void close_window(Window& window) {
    if (!window.is_open()) return;
    if (window.is_dialog) {
        close_dialog(window, 0);
        return;
    }
    destroy_native(window);
}

void centre_window(Window& window) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    QWidget* widget = native->widget;
    if (!widget->isWindow()) {
        QWidget* parent = widget->parentWidget();
        widget->move((parent->width() - widget->width()) / 2,
                     (parent->height() - widget->height()) / 2);
        return;
    }
    QRect frame = widget->frameGeometry();
    QRect area = work_area(widget);
    QRect over = area;
    if (native->parent != nullptr && native->parent->native != nullptr) {
        QWidget* owner = native->parent->native->widget->window();
        if (owner->isVisible() && !owner->isMinimized()) over = owner->frameGeometry();
    }
    frame.moveCenter(over.center());
    widget->move(inside(frame, area));
}

void set_window_title(Window& window, const std::string& title) {
    if (NativeWindow* native = native_of(window)) native->widget->setWindowTitle(to_qt(title));
}

std::string get_window_title(Window& window) {
    NativeWindow* native = native_of(window);
    return native ? from_qt(native->widget->windowTitle()) : std::string();
}

void set_window_icon(Window& window, int image) {
    NativeWindow* native = native_of(window);
    const QImage* picture = find_image(image);
    if (native == nullptr || picture == nullptr) return;
    native->widget->setWindowIcon(QIcon(QPixmap::fromImage(*picture)));
}

void set_window_color(Window& window, long colour) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    native->background = colour;
    QPalette palette = native->widget->palette();
    palette.setColor(QPalette::Window, to_colour(colour));
    native->widget->setPalette(palette);
    if (native->has_back_buffer) {
        // A window not drawn on yet has no buffer: it paints in its background colour.
        if (!native->back_buffer.isNull()) native->back_buffer.fill(to_colour(colour));
        native->printed.clear();
    }
    native->widget->update();
}

Rect get_rect(Window& window, int control_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return {};
    QWidget* widget = control_id == 0 ? native->widget : control_widget(window, control_id);
    if (widget == nullptr) return {};
    if (widget->isWindow()) {
        QRect frame = widget->frameGeometry();
        return {frame.x(), frame.y(), frame.width(), frame.height()};
    }
    QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y(), widget->width(), widget->height()};
}

void set_rect(Window& window, int x, int y, int width, int height, int control_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    if (control_id != 0) {
        if (Control* control = find_control(window, control_id)) {
            place_control(*control, x, y, width, height);
        }
        return;
    }
    QWidget* widget = native->widget;
    if (widget->isWindow() && (widget->isMaximized() || widget->isMinimized())) {
        widget->showNormal();
    }
    widget->move(x, y);
    fix_size_unless_sizable(*native, width, height);
}

bool is_visible(Window& window, int control_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return false;
    if (control_id == 0) return native->widget->isVisible();
    QWidget* widget = control_widget(window, control_id);
    return widget != nullptr && widget->isVisibleTo(native->widget);
}

}  // namespace common
