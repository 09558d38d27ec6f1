// Start-up of the toolkit and the one path every event takes to a handler.
#include <QApplication>
#include <cstdlib>

#include "common/hooks.h"
#include "desktop_style.h"
#include "fonts.h"
#include "native_window.h"

namespace common {
namespace {

Event current_event;
bool shutting_down = false;

// Set by the program's exit: the Window records of the programs are globals whose
// destructors run after that, when there is nothing left worth tidying.
void mark_shutdown() {
    shutting_down = true;
}

}  // namespace

void init_layer(int& argc, char** argv) {
    if (QCoreApplication::instance() != nullptr) return;
    start_reading_font_configuration();
    new QApplication(argc, argv);
    font_reader_may_use_toolkit();
    install_desktop_style();
    // Both programs quit through their own run flags, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    std::atexit(mark_shutdown);
}

void ensure_layer() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "common";
    static char* argv[] = {name, nullptr};
    init_layer(argc, argv);
}

const Event& event() {
    return current_event;
}

LayerHooks& layer_hooks() {
    static LayerHooks hooks;
    return hooks;
}

int deliver(Window& window, const Event& e) {
    if (window.native == nullptr || !window.handler) return 0;
    // A handler may open a modal dialog or message box whose events run inside it: the event
    // it is reading must be there again when the nested ones are done.
    Event saved = current_event;
    current_event = e;
    current_event.window = &window;
    Handler handler = window.handler;  // the handler may be replaced while it runs
    int result = handler(window);
    current_event = saved;
    return result;
}

int deliver_event(Window& window, int event_class, int control_id, int notify_code,
                  long first_param, long second_param) {
    Event e;
    e.event_class = event_class;
    e.control_id = control_id;
    e.notify_code = notify_code;
    e.first_param = first_param;
    e.second_param = second_param;
    if (event_class == EV_MENU) e.menu_id = control_id;
    return deliver(window, e);
}

Window::Window() = default;

Window::~Window() {
    if (native == nullptr || shutting_down || QCoreApplication::instance() == nullptr) return;
    if (is_dialog) {
        close_dialog(*this, 0);
    } else {
        close_window(*this);
    }
}

}  // namespace common
