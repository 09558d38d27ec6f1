// The widget side of a window: painting the back buffer, and the close box, resizing and the
// mouse turned into the events the handler reads.
#include "native_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "fonts.h"

namespace common {
namespace {

std::uint64_t next_serial = 1;
constexpr long kVerticalToolBar = 0x80;  // CCS_VERT: placed by the program, not by its parent

// Win32 mouse message numbers the handlers see.
constexpr int WM_MOUSEMOVE = 512;
constexpr int WM_LBUTTONDOWN = 513;
constexpr int WM_LBUTTONUP = 514;
constexpr int WM_LBUTTONDBLCLK = 515;
constexpr int WM_RBUTTONDOWN = 516;
constexpr int WM_RBUTTONUP = 517;

void deliver_mouse(NativeWindow* native, int message, QMouseEvent* event) {
    if (native == nullptr) return;
    Event e;
    e.event_class = message;
    e.mouse_x = static_cast<int>(event->position().x());
    e.mouse_y = static_cast<int>(event->position().y());
    e.second_param = (e.mouse_x & 0xFFFF) | (static_cast<long>(e.mouse_y & 0xFFFF) << 16);
    deliver(native->record, e);
}

int button_message(QMouseEvent* event, int left, int right) {
    return event->button() == Qt::RightButton ? right : left;
}

}  // namespace

QColor to_colour(long colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

NativeWindow::NativeWindow(Window& record_, Window* parent_)
    : record(record_), parent(parent_), serial(next_serial++) {
    use_dialog_font_everywhere();
}

NativeWindow::~NativeWindow() {
    delete guard;
}

QColor NativeWindow::background_colour() const {
    if (background >= 0) return to_colour(background);
    // Windows start in the system window colour, dialogs in the button face.
    QPalette::ColorRole role = record.is_dialog ? QPalette::Window : QPalette::Base;
    return widget ? widget->palette().color(role) : QColor(Qt::white);
}

QImage& NativeWindow::canvas(const QRect& drawn) {
    QSize needed = widget->size().expandedTo(QSize(drawn.right() + 1, drawn.bottom() + 1));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        needed = needed.boundedTo(screen->virtualGeometry().size().expandedTo(widget->size()));
    }
    if (!back_buffer.isNull() && back_buffer.width() >= needed.width() &&
        back_buffer.height() >= needed.height()) {
        return back_buffer;
    }
    QImage grown(needed.expandedTo(back_buffer.size()), QImage::Format_RGB32);
    grown.fill(background_colour());
    if (!back_buffer.isNull()) QPainter(&grown).drawImage(0, 0, back_buffer);
    back_buffer = std::move(grown);
    return back_buffer;
}

void NativeWindow::paint(QWidget& on) {
    QPainter painter(&on);
    // What the buffer does not cover has never been drawn on: it shows the background.
    if (back_buffer.width() < on.width() || back_buffer.height() < on.height()) {
        painter.fillRect(on.rect(), background_colour());
    }
    if (has_back_buffer && !back_buffer.isNull()) painter.drawImage(0, 0, back_buffer);
    if ((flags & WF_BORDER) && parent != nullptr && !record.is_dialog) {
        painter.setPen(QColor(Qt::black));
        painter.drawRect(0, 0, on.width() - 1, on.height() - 1);
    }
}

void NativeWindow::relayout_bars() {
    if (widget == nullptr) return;
    for (auto& [id, control] : controls) {
        if (control.widget.isNull()) continue;
        if (control.kind == KIND_TOOL_BAR && !(control.style & kVerticalToolBar)) {
            // A tool bar along the top keeps the window's width.
            control.widget->resize(widget->width(), control.widget->height());
            continue;
        }
        if (control.kind != KIND_STATUS_BAR) continue;
        int height = std::max(control.widget->sizeHint().height(), 20);
        control.widget->setGeometry(0, widget->height() - height, widget->width(), height);
        control.widget->raise();
    }
}

template <typename Base>
Host<Base>::Host(NativeWindow* native_, QWidget* parent) : Base(parent), native(native_) {
    this->setMouseTracking(true);
}

template <typename Base>
void Host<Base>::paintEvent(QPaintEvent*) {
    if (native != nullptr) native->paint(*this);
}

template <typename Base>
void Host<Base>::closeEvent(QCloseEvent* event) {
    // The window stays open unless the handler closes it; a modal dialog ends with 2 as well.
    event->ignore();
    if (native == nullptr) return;
    Window& record = native->record;
    std::uint64_t serial = native->serial;
    bool modal = native->modal_loop != nullptr || native->modal_result != nullptr;
    deliver_event(record, EV_CLOSE, 0, 0);
    if (modal && still_open(&record, serial)) close_dialog(record, 2);
}

template <typename Base>
void Host<Base>::resizeEvent(QResizeEvent* event) {
    Base::resizeEvent(event);
    if (native == nullptr) return;
    native->relayout_bars();
    long size = (this->width() & 0xFFFF) | (static_cast<long>(this->height() & 0xFFFF) << 16);
    deliver_event(native->record, EV_SIZE, 0, 0, 0, size);
}

template <typename Base>
void Host<Base>::mousePressEvent(QMouseEvent* event) {
    Base::mousePressEvent(event);
    deliver_mouse(native, button_message(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN), event);
}

template <typename Base>
void Host<Base>::mouseReleaseEvent(QMouseEvent* event) {
    Base::mouseReleaseEvent(event);
    deliver_mouse(native, button_message(event, WM_LBUTTONUP, WM_RBUTTONUP), event);
}

template <typename Base>
void Host<Base>::mouseDoubleClickEvent(QMouseEvent* event) {
    Base::mouseDoubleClickEvent(event);
    deliver_mouse(native, WM_LBUTTONDBLCLK, event);
}

template <typename Base>
void Host<Base>::mouseMoveEvent(QMouseEvent* event) {
    Base::mouseMoveEvent(event);
    deliver_mouse(native, WM_MOUSEMOVE, event);
}

void HostDialog::reject() {
    // Escape answers a modal dialog as its close box does; a modeless one (the to-do
    // program's main dialog) is not closed by a stray key.
    if (native == nullptr || native->modal_loop == nullptr) return;
    QCloseEvent close;
    closeEvent(&close);
}

template class Host<QWidget>;
template class Host<QDialog>;

NativeWindow* native_of(Window& window) {
    return window.native;
}

Control* find_control(Window& window, int id) {
    if (window.native == nullptr) return nullptr;
    auto found = window.native->controls.find(id);
    if (found == window.native->controls.end() || found->second.widget.isNull()) return nullptr;
    return &found->second;
}

QWidget* control_widget(Window& window, int id) {
    Control* control = find_control(window, id);
    return control ? control->widget.data() : nullptr;
}

bool still_open(Window* window, std::uint64_t serial) {
    return window != nullptr && window->native != nullptr && window->native->serial == serial;
}

void attach_to_parent(Window& window, Window* parent) {
    if (parent != nullptr && parent->native != nullptr) parent->native->children.push_back(&window);
}

void destroy_native(Window& window) {
    NativeWindow* native = window.native;
    if (native == nullptr) return;
    // Child windows and owned dialogs go first: their widgets live inside this one.
    std::vector<Window*> children = native->children;
    for (Window* child : children) {
        if (child->native != nullptr && child->native->parent == &window) {
            if (child->is_dialog) {
                close_dialog(*child, 0);
            } else {
                close_window(*child);
            }
        }
    }
    if (native->parent != nullptr && native->parent->native != nullptr) {
        auto& siblings = native->parent->native->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), &window), siblings.end());
    }
    window.native = nullptr;
    if (auto* host = dynamic_cast<HostWidget*>(native->widget)) host->native = nullptr;
    if (auto* host = dynamic_cast<HostDialog*>(native->widget)) host->native = nullptr;
    if (native->widget != nullptr) {
        // A handler may be running inside a signal of one of these widgets: delete them later.
        native->widget->hide();
        native->widget->deleteLater();
    }
    for (auto& [id, timer] : native->timers) {
        if (timer) timer->stop();
    }
    native->timers.clear();
    delete native->guard;
    native->guard = nullptr;
    native->deleteLater();
}

}  // namespace common
