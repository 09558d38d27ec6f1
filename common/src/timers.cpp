// Timers: one per (window, id), ending with the window. A period that passes while a handler
// runs arrives once afterwards; missed periods are never piled up.
#include <QTimer>

#include "common/hooks.h"
#include "native_window.h"

namespace common {

void start_timer(Window& window, int milliseconds, int timer_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    native->timer_periods[timer_id] = milliseconds;
    if (layer_hooks().manual_timers) return;  // a test fires it
    QTimer*& timer = native->timers[timer_id];
    if (timer == nullptr) {
        timer = new QTimer(native);
        std::uint64_t serial = native->serial;
        QObject::connect(timer, &QTimer::timeout, native->guard, [w = &window, serial, timer_id] {
            if (still_open(w, serial) && w->native->timer_periods.count(timer_id)) {
                deliver_event(*w, EV_TIMER, timer_id, 0, timer_id);
            }
        });
    }
    timer->start(std::max(0, milliseconds));
}

void stop_timer(Window& window, int timer_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    native->timer_periods.erase(timer_id);
    auto found = native->timers.find(timer_id);
    if (found != native->timers.end() && found->second != nullptr) found->second->stop();
}

int timer_period(Window& window, int timer_id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return 0;
    auto found = native->timer_periods.find(timer_id);
    return found == native->timer_periods.end() ? 0 : found->second;
}

}  // namespace common
