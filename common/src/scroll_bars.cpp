// Scroll bars with Win32 manners: the user's actions are reported as scroll codes, and the
// thumb stays where the program put it until the program moves it.
#include <QScrollBar>

#include "native_window.h"

namespace common {
namespace {

QScrollBar* scroll_bar(Control* control) {
    return control ? qobject_cast<QScrollBar*>(control->widget.data()) : nullptr;
}

int scroll_code(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return SB_LINEUP;
        case QAbstractSlider::SliderSingleStepAdd:
            return SB_LINEDOWN;
        case QAbstractSlider::SliderPageStepSub:
            return SB_PAGEUP;
        case QAbstractSlider::SliderPageStepAdd:
            return SB_PAGEDOWN;
        case QAbstractSlider::SliderToMinimum:
            return SB_TOP;
        case QAbstractSlider::SliderToMaximum:
            return SB_BOTTOM;
        case QAbstractSlider::SliderMove:
            return SB_THUMBTRACK;
        default:
            return -1;
    }
}

void deliver_scroll(Window& window, const Control& control, int code, int thumb) {
    bool vertical = control.style & 1;
    deliver_event(window, vertical ? EV_VSCROLL : EV_HSCROLL, control.id, 0, code, thumb);
}

void put_thumb(Control& control, QScrollBar* bar, int position) {
    Quiet quiet(control);
    bar->setSliderPosition(position);
    bar->setValue(position);
}

void on_action(Window& window, int id, int action) {
    Control* control = find_control(window, id);
    QScrollBar* bar = scroll_bar(control);
    if (bar == nullptr || control->programmatic) return;
    int code = scroll_code(action);
    if (code < 0) return;
    if (code == SB_THUMBTRACK && !bar->isSliderDown()) return;  // the release reports it
    int thumb = bar->sliderPosition();
    control->thumb_pos = thumb;
    // Qt has already moved the thumb for a line or page step; Win32 leaves that to the program.
    if (code != SB_THUMBTRACK) put_thumb(*control, bar, control->scroll_pos);
    deliver_scroll(window, *control, code, thumb);
}

void on_release(Window& window, int id) {
    Control* control = find_control(window, id);
    QScrollBar* bar = scroll_bar(control);
    if (bar == nullptr || control->programmatic) return;
    int thumb = bar->sliderPosition();
    control->thumb_pos = thumb;
    std::uint64_t serial = window.native->serial;
    deliver_scroll(window, *control, SB_THUMBPOSITION, thumb);
    if (!still_open(&window, serial)) return;
    control = find_control(window, id);
    if (control == nullptr) return;
    deliver_scroll(window, *control, SB_ENDSCROLL, thumb);
    control = find_control(window, id);
    if (control != nullptr) put_thumb(*control, bar, control->scroll_pos);
}

}  // namespace

void connect_scroll_signals(Window& window, Control& control) {
    QScrollBar* bar = scroll_bar(&control);
    if (bar == nullptr) return;
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    QObject::connect(bar, &QAbstractSlider::actionTriggered, window.native->guard,
                     [w = &window, serial, id](int action) {
                         if (still_open(w, serial)) on_action(*w, id, action);
                     });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, window.native->guard,
                     [w = &window, serial, id] {
                         if (still_open(w, serial)) on_release(*w, id);
                     });
}

void set_scroll_range(Window& window, int id, int min, int max) {
    Control* control = find_control(window, id);
    QScrollBar* bar = scroll_bar(control);
    if (bar == nullptr) return;
    Quiet quiet(*control);
    bar->setRange(min, max);
    control->scroll_pos = std::clamp(control->scroll_pos, std::min(min, max), std::max(min, max));
    put_thumb(*control, bar, control->scroll_pos);
}

void set_scroll_pos(Window& window, int id, int pos) {
    Control* control = find_control(window, id);
    QScrollBar* bar = scroll_bar(control);
    if (bar == nullptr) return;
    control->scroll_pos = std::clamp(pos, bar->minimum(), bar->maximum());
    control->thumb_pos = control->scroll_pos;
    put_thumb(*control, bar, control->scroll_pos);
}

int get_scroll_pos(Window& window, int id) {
    Control* control = find_control(window, id);
    return scroll_bar(control) ? control->scroll_pos : 0;
}

int get_thumb_pos(Window& window, int id) {
    Control* control = find_control(window, id);
    QScrollBar* bar = scroll_bar(control);
    if (bar == nullptr) return 0;
    return bar->isSliderDown() ? bar->sliderPosition() : control->thumb_pos;
}

}  // namespace common
