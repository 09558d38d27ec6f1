// The toolkit side of a Window: its Qt widget, its controls, back buffer, drawing state and
// timers. Private to the layer (and the test driver, which acts on the real widgets).
#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/hooks.h"
#include "common/window.h"

class QAction;
class QEventLoop;
class QTimer;
class QToolBar;

namespace common {

class NativeWindow;
class TableRows;
class TextRows;

// The tool-bar side of a control made by create_tool_bar.
struct ToolBarState {
    QToolBar* bar = nullptr;
    std::vector<int> command_ids;         // as given, 0 = separator
    std::map<int, QAction*> actions;      // by command id
    QImage strip;                         // the image strip as loaded
    QSize image_size{24, 23};             // how the strip is cut, and the picture on a button
    QSize button_size{16, 15};            // the smallest a button may be
    bool button_size_asked = false;       // the program set the size: buttons keep it exactly
    std::map<int, std::string> labels;    // by command id
    std::map<int, std::string> tooltips;  // by command id
    long style = 0;
};

// One control of a window, addressed by its id.
struct Control {
    int id = 0;
    int kind = 0;
    int sequence = 0;  // order of creation in its window: the first made is stacked on top
    long style = 0;
    QPointer<QWidget> widget;
    // Set while the layer itself changes a control, so only what the user does reports events.
    bool programmatic = false;
    // Scroll bar: the position the program set (Win32 moves the thumb only on request) and the
    // position while the user drags it.
    int scroll_pos = 0;
    int thumb_pos = 0;
    int list_view_columns = 0;   // list view: columns inserted so far
    TextRows* rows = nullptr;    // list box or combo box: its rows (owned by its widget)
    TableRows* table = nullptr;  // list view: its rows and columns (owned by its widget)
    long text_colour = -1;       // -1: the system's default
    long background_colour = -1;
    std::unique_ptr<ToolBarState> tool_bar;
};

// The widget a window or dialog lives in: it hands paint, close, resize and mouse to the layer.
template <typename Base>
class Host : public Base {
public:
    explicit Host(NativeWindow* native, QWidget* parent);
    NativeWindow* native;  // cleared when the window closes; the widget goes later

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

class HostDialog : public Host<QDialog> {
public:
    using Host<QDialog>::Host;
    void reject() override;  // Escape
};
using HostWidget = Host<QWidget>;

class NativeWindow : public QObject {
public:
    NativeWindow(Window& record, Window* parent);
    ~NativeWindow() override;

    Window& record;
    Window* parent;  // the parent window or the dialog's owner, null for none
    std::uint64_t serial;
    // The context of every signal connection of this window: deleted the moment the window
    // closes, so no signal of a widget awaiting deletion reaches a handler.
    QObject* guard = new QObject();
    QWidget* widget = nullptr;      // Host<QWidget> or HostDialog
    std::vector<Window*> children;  // child windows and owned dialogs, closed with this one
    std::map<int, Control> controls;
    int controls_made = 0;
    bool building = false;  // a dialog's controls are being made: stack them once at the end

    // Drawing state. The back buffer is made on the first drawing and grows to hold what is
    // drawn (up to the screen's size), so windows that draw nothing, or little, cost no
    // screen-sized picture each.
    bool has_back_buffer = false;
    QImage back_buffer;
    QImage& canvas(const QRect& drawn);
    long flags = 0;
    int pen_x = 0, pen_y = 0;
    long text_colour = 0;
    long text_background = 0xFFFFFF;
    long background = -1;  // -1: the system window colour
    QFont text_font;
    std::vector<PrintedText> printed;

    // Timers: one per id; the period is kept even when tests fire them by hand.
    std::map<int, QTimer*> timers;
    std::map<int, int> timer_periods;

    // A modal dialog's loop and where its result goes.
    QEventLoop* modal_loop = nullptr;
    int* modal_result = nullptr;

    void paint(QWidget& on);
    void relayout_bars();  // status bars along the bottom
    void restack();        // controls stacked as the desktop stacks them (see stacking.cpp)
    QColor background_colour() const;
};

// Marks a control as being changed by the program for as long as it lives.
class Quiet {
public:
    explicit Quiet(Control& control) : control_(control), was_(control.programmatic) {
        control_.programmatic = true;
    }
    ~Quiet() { control_.programmatic = was_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    Control& control_;
    bool was_;
};

// ---- shared helpers inside the layer --------------------------------------------------------
void ensure_layer();  // the QApplication exists
QColor to_colour(long colour);
NativeWindow* native_of(Window& window);          // null when not open
Control* find_control(Window& window, int id);    // null when missing
QWidget* control_widget(Window& window, int id);  // null when missing
// Runs the handler as the layer does; `guard` checks the window is still the same one.
int deliver(Window& window, const Event& event);
// Calls `action` only while the window opened as `serial` is still open.
bool still_open(Window* window, std::uint64_t serial);
// Builds the widget of a window or dialog and registers it with its parent.
void destroy_native(Window& window);
void attach_to_parent(Window& window, Window* parent);
void create_control(Window& window, const ControlDeclaration& declaration);
// Moves and sizes a control within its window, as set_rect does.
void place_control(Control& control, int x, int y, int width, int height);
// Wires a control's user signals to EV_CONTROL events (controls.cpp, lists.cpp, ...).
void report_control(Window& window, int id, int notify_code);
// A control starts in the system's colours, never in its window's.
void keep_system_colours(QWidget* widget);
void connect_list_signals(Window& window, Control& control);
void connect_scroll_signals(Window& window, Control& control);

}  // namespace common
