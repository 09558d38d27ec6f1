// Drawing text and rectangles into a window's back buffer, which the window paints from.
#include <QFontMetrics>
#include <QPainter>

#include "encoding.h"
#include "images.h"
#include "native_window.h"

namespace common {
namespace {

// The back buffer, or null for windows drawn without one.
NativeWindow* drawable(Window& window) {
    NativeWindow* native = native_of(window);
    return native && native->has_back_buffer ? native : nullptr;
}

std::string without_line_end(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

void move_pen(Window& window, int x, int y) {
    if (NativeWindow* native = native_of(window)) {
        native->pen_x = x;
        native->pen_y = y;
    }
}

void set_text_color(Window& window, long colour) {
    if (NativeWindow* native = native_of(window)) native->text_colour = colour;
}

void set_text_background(Window& window, long colour) {
    if (NativeWindow* native = native_of(window)) native->text_background = colour;
}

void print_text(Window& window, const std::string& text) {
    NativeWindow* native = drawable(window);
    if (native == nullptr) return;
    std::string shown = without_line_end(text);
    QString qt = to_qt(shown);
    QFontMetrics metrics(native->text_font);
    // Text goes down opaque, on its own background, the way the desktop prints it.
    QRect box(native->pen_x, native->pen_y, metrics.horizontalAdvance(qt), metrics.height());
    QPainter painter(&native->canvas(box));
    painter.setFont(native->text_font);
    painter.fillRect(box, to_colour(native->text_background));
    painter.setPen(to_colour(native->text_colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qt);
    native->printed.push_back({native->pen_x, native->pen_y, shown});
    native->widget->update(box);
}

void draw_rect(Window& window, int x, int y, int width, int height, long outline, long fill) {
    NativeWindow* native = drawable(window);
    if (native == nullptr || width <= 0 || height <= 0) return;
    QPainter painter(&native->canvas(QRect(x, y, width, height)));
    if (fill != -1) painter.fillRect(x, y, width, height, to_colour(fill));
    painter.setPen(to_colour(outline == -1 ? native->text_colour : outline));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x, y, width - 1, height - 1);
    native->widget->update(x, y, width, height);
}

std::vector<PrintedText> printed_texts(Window& window) {
    NativeWindow* native = native_of(window);
    return native ? native->printed : std::vector<PrintedText>();
}

void show_image(Window& window, int image, int type, int x, int y, int width, int height,
                int flags) {
    (void)type;
    (void)flags;
    NativeWindow* native = drawable(window);
    const QImage* picture = find_image(image);
    if (native == nullptr || picture == nullptr) return;
    QRect target(x, y, width > 0 ? width : picture->width(),
                 height > 0 ? height : picture->height());
    QPainter painter(&native->canvas(target));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *picture);
    native->widget->update(target);
}

}  // namespace common
