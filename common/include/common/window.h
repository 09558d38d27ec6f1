// The window layer: windows, dialogs, controls, events, timers, drawing and the run loop.
//
// Both programs are written against these free functions. A window is addressed by its
// program-owned `Window` record, a control by (window, integer id). Texts are single-byte
// Windows-1252 strings, exactly as the data files hold them. Every operation on a window that
// is not open, or on a control id the window does not have, does nothing and returns its empty
// result (0, the empty text or -1, as stated per operation).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace common {

// ---- Event classes (the values handlers compare) -------------------------------------------
inline constexpr int EV_DIALOG_INIT = 272;
inline constexpr int EV_TIMER = 275;
inline constexpr int EV_HSCROLL = 276;  // WM_HSCROLL keeps its number
inline constexpr int EV_VSCROLL = 277;  // WM_VSCROLL keeps its number
inline constexpr int EV_CLOSE = 32770;
inline constexpr int EV_MENU = 32771;
inline constexpr int EV_CONTROL = 32772;
inline constexpr int EV_SIZE = 32777;

// ---- Notify codes under EV_CONTROL ----------------------------------------------------------
inline constexpr int NOTIFY_CLICKED = 0;          // button clicked, tool-bar command
inline constexpr int NOTIFY_SELECTION = 1;        // list box (only with LBS_NOTIFY) / combo selection
inline constexpr int NOTIFY_DOUBLE_CLICK = 2;     // list box double click (only with LBS_NOTIFY)
inline constexpr int NOTIFY_EDIT_CHANGE = 0x300;  // edit text changed by the user (EN_CHANGE)
inline constexpr int NOTIFY_COMBO_EDIT = 5;       // combo edit text changed by the user (CBN_EDITCHANGE)
inline constexpr int NOTIFY_LV_CLICK = -2;        // list view click (NM_CLICK)
inline constexpr int NOTIFY_LV_DOUBLE_CLICK = -3; // list view double click (NM_DBLCLK)

// ---- Scroll codes (first parameter of EV_VSCROLL / EV_HSCROLL) -----------------------------
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

// ---- Control kinds (what add_control takes) -------------------------------------------------
inline constexpr int KIND_BUTTON = 1;
inline constexpr int KIND_CHECK_BOX = 2;
inline constexpr int KIND_RADIO = 3;
inline constexpr int KIND_EDIT = 4;
inline constexpr int KIND_LIST_BOX = 5;
inline constexpr int KIND_COMBO_BOX = 6;
inline constexpr int KIND_STATIC = 7;
inline constexpr int KIND_SCROLL_BAR = 8;
inline constexpr int KIND_GROUP_BOX = 9;
inline constexpr int KIND_RICH_EDIT = 10;
inline constexpr int KIND_LIST_VIEW = 11;
inline constexpr int KIND_STATUS_BAR = 12;
inline constexpr int KIND_PLAIN_BUTTON = 13;
inline constexpr int KIND_TREE_VIEW = 14;
inline constexpr int KIND_TOOL_BAR = 15;  // made only by create_tool_bar

// ---- Style bits the layer interprets --------------------------------------------------------
inline constexpr long STYLE_HIDDEN = 0x80000;      // add_control: the control starts invisible
inline constexpr long LBS_NOTIFY = 0x1;            // list box sends selection / double-click codes
inline constexpr long ES_MULTILINE = 0x4;          // edit: several lines
inline constexpr long BS_DEFPUSHBUTTON = 0x1;      // push button: default button
inline constexpr long BS_OWNERDRAW_OFF = 0x80;     // push button: drawn by the system
inline constexpr long TOOLBAR_TOP = 0x101;         // tool bar along the top, with tooltips
inline constexpr long TOOLBAR_VERTICAL = 0x185;    // one button per row, with tooltips

// ---- open_window flags ----------------------------------------------------------------------
inline constexpr long WF_NO_BACK_BUFFER = 0x10;
inline constexpr long WF_MDI_FRAME = 0x20;
inline constexpr long WF_NO_CAPTION = 0x40;
inline constexpr long WF_TOOL_WINDOW = 0x200;
inline constexpr long WF_TOPMOST = 0x400;
inline constexpr long WF_MAXIMIZE_BOX = 0x10000;
inline constexpr long WF_MINIMIZE_BOX = 0x20000;
inline constexpr long WF_SIZABLE = 0x40000;
inline constexpr long WF_BORDER = 0x800000;
inline constexpr long WF_MAXIMIZED = 0x1000000;
inline constexpr long WF_MINIMIZED = 0x20000000;

// Colours are red + green * 256 + blue * 65536.
constexpr long rgb(int r, int g, int b) { return r + g * 256L + b * 65536L; }

class Window;
using Handler = std::function<int(Window&)>;

// The values a handler reads while it runs (see `event()`).
struct Event {
    int event_class = 0;
    int control_id = 0;
    int notify_code = 0;
    std::intptr_t first_param = 0;   // timer id for EV_TIMER, scroll code for scroll events
    std::intptr_t second_param = 0;  // thumb position for scroll events
    int mouse_x = 0;
    int mouse_y = 0;
    Window* window = nullptr;
    int menu_id = 0;
};

// The current event of the handler that is running. Outside a handler: an empty event.
const Event& event();

// A control declared on a dialog template; created each time the dialog is shown.
struct ControlDeclaration {
    int kind = 0;
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;
    long style = 0;
    int id = 0;
};

struct DialogTemplate {
    std::string title;
    long style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    Window* parent = nullptr;
    std::vector<ControlDeclaration> controls;  // in declaration (= Tab) order
};

class NativeWindow;  // the toolkit side, private to the layer

// A key (or key with Ctrl, Shift, Alt) that stands for one of a window's commands.
struct KeyBinding {
    std::string keys;  // "Ctrl+S", "Ctrl+Shift+S", "F1"
    int command_id = 0;
};

// One record per window or dialog, owned by the program for the whole run and reused when the
// window is opened again. Not copyable: the layer keeps a pointer to it while it is open.
class Window {
public:
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool is_open() const { return native != nullptr; }

    NativeWindow* native = nullptr;  // 0 while not open
    Handler handler;
    bool is_dialog = false;
    DialogTemplate dialog_template;
    bool modeless = false;
    std::vector<KeyBinding> key_bindings;  // made again each time the window is opened
};

// ---- Windows --------------------------------------------------------------------------------
// Starts the toolkit when the program has not done so; programs call it first thing in main.
void init_layer(int& argc, char** argv);

int open_window(Window& window, int x, int y, int width, int height, long flags, Window* parent,
                const std::string& title, Handler handler);
void close_window(Window& window);
void centre_window(Window& window);
void set_window_title(Window& window, const std::string& title);
std::string get_window_title(Window& window);
void set_window_icon(Window& window, int image);
void set_window_color(Window& window, long colour);

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};
// Screen coordinates of the window (control_id 0) or of a control. All zero when missing.
Rect get_rect(Window& window, int control_id = 0);
// Moves a control within its parent, or with control id 0 restores and moves the window.
void set_rect(Window& window, int x, int y, int width, int height, int control_id = 0);
bool is_visible(Window& window, int control_id = 0);

// ---- Dialogs --------------------------------------------------------------------------------
void declare_dialog(Window& dialog, int x, int y, int width, int height, long style,
                    Window* parent, const std::string& title, Handler handler);
// Runs the dialog modally; returns the value given to close_dialog (2 for the close box).
int show_dialog_modal(Window& dialog, Window* owner = nullptr);
void show_dialog(Window& dialog, Window* owner = nullptr);
void close_dialog(Window& dialog, int result);

// ---- Controls -------------------------------------------------------------------------------
void add_control(Window& window, int kind, const std::string& caption, int x, int y, int width,
                 int height, long style, int id);
bool has_control(Window& window, int id);
void set_control_text(Window& window, int id, const std::string& text);
std::string get_control_text(Window& window, int id);
void enable_control(Window& window, int id, bool on);
bool is_enabled(Window& window, int id);
void set_focus(Window& window, int id);
void set_check(Window& window, int id, int state);
int get_check(Window& window, int id);  // -1 on anything that is not a button
void set_control_color(Window& window, int id, long text_colour, long background_colour);
// Id 0 sets the window's text font for print_text. flags: bit 0 italic, bit 4 underline,
// bit 5 strike-out, bits 16 and up the character set.
void set_font(Window& window, const std::string& face, int points, int weight, long flags, int id);

// What the office types: every edit field, and the edit part of every drop-down, takes at most
// MAX_TEXT (254) characters, a multi-line field as many bytes of its file text (a line break
// being CR LF), and no character Windows-1252 cannot hold. Whatever a field refuses, typed,
// pasted or dropped, it says why through this notice (the job manager's status bar, the to-do
// program's message line); a program that registers none refuses silently.
void set_refused_input_notice(std::function<void(const std::string&)> notice);

// List boxes and combo boxes (and nothing else).
void list_add(Window& window, int id, const std::string& text);
void list_insert(Window& window, int id, int index, const std::string& text);
void list_delete(Window& window, int id, int index);
std::string list_get(Window& window, int id, int index);
int list_count(Window& window, int id);          // -1 when not a list
int list_get_selected(Window& window, int id);   // -1 when none
void list_set_selected(Window& window, int id, int index);
// Many rows at once, with the rules of list_add and list_delete: appends every text in order;
// removes the rows first .. first + count - 1 that exist.
void list_add_all(Window& window, int id, const std::vector<std::string>& texts);
void list_delete_rows(Window& window, int id, int first, int count);

// Scroll bars.
void set_scroll_range(Window& window, int id, int min, int max);
void set_scroll_pos(Window& window, int id, int pos);
int get_scroll_pos(Window& window, int id);
int get_thumb_pos(Window& window, int id);

// Control commands on list views and tool bars; 0 on every other control.
// An argument is a number, a text, or a text variable the command writes into.
using CommandArg = std::variant<long, std::string, std::string*>;
int control_command(Window& window, int id, int code, const CommandArg& a1 = 0L,
                    const CommandArg& a2 = 0L, const CommandArg& a3 = 0L,
                    const CommandArg& a4 = 0L);

// List-view command codes.
inline constexpr int LV_DELETE_ROW = 2;
inline constexpr int LV_INSERT_ROW = 3;
inline constexpr int LV_INSERT_COLUMN = 4;
inline constexpr int LV_SET_CELL = 5;
inline constexpr int LV_GET_CELL = 6;
inline constexpr int LV_IS_SELECTED = 13;
inline constexpr int LV_ROW_COUNT = 16;
// Tool-bar command codes.
inline constexpr int TB_LAYOUT = 0;
inline constexpr int TB_IMAGE_SIZE = 1;
inline constexpr int TB_BUTTON_SIZE = 2;
inline constexpr int TB_LABELS = 4;
inline constexpr int TB_TOOLTIP = 9;

// Tool bar from a strip of 24 x 23 images (an image handle, or 0 and a file name loaded with
// its grey shades mapped to the 3-D colours). A command id of 0 is a separator. Nonzero on
// success; the tool bar then is control `id` of the window.
int create_tool_bar(Window& window, int image_strip, const std::string& strip_file, int id,
                    const std::vector<int>& command_ids, long style);
// What the tool bar shows, for tests and the curious: labels and tooltips by command id.
std::string tool_bar_label(Window& window, int id, int command_id);
std::string tool_bar_tooltip(Window& window, int id, int command_id);

// ---- Drawing into the window's back buffer --------------------------------------------------
void move_pen(Window& window, int x, int y);
void set_text_color(Window& window, long colour);
void set_text_background(Window& window, long colour);
void print_text(Window& window, const std::string& text);  // one text item, drawn at the pen
void draw_rect(Window& window, int x, int y, int width, int height, long outline, long fill);
// The text items printed into the window so far, in order, for tests (cleared by
// set_window_color, which erases the buffer).
struct PrintedText {
    int x = 0, y = 0;
    std::string text;
};
std::vector<PrintedText> printed_texts(Window& window);

// ---- Images ---------------------------------------------------------------------------------
inline constexpr int IMAGE_BITMAP = 0;
inline constexpr int IMAGE_ICON = 1;
inline constexpr int IMAGE_CURSOR = 2;
inline constexpr int IMAGE_METAFILE = 3;
inline constexpr int IMAGE_PICTURE = 4;        // JPEG or GIF
inline constexpr int IMAGE_MAP_3D_COLOURS = 0x1000;

int load_image(const std::string& source, int type);  // handle, 0 on failure
void show_image(Window& window, int image, int type, int x, int y, int width, int height,
                int flags = 0);
void delete_image(int image, int type);
int image_count();  // handles alive, for leak tests

// ---- Keys ---------------------------------------------------------------------------------
// Binds keys, written as "Ctrl+S", "Ctrl+Shift+S", "F1", to one of the window's commands: while
// the window (or a window inside it) is the active one, the keys deliver EV_CONTROL with the
// command id and notify code 0, exactly as pressing that tool-bar button does. The binding
// belongs to the record and lasts while the window is closed and opened again, and a dialog
// shown again. 1 when bound, 0 when the keys are not understood.
int bind_key(Window& window, const std::string& keys, int command_id);

// ---- Timers and the run loop ----------------------------------------------------------------
void start_timer(Window& window, int milliseconds, int timer_id);
void stop_timer(Window& window, int timer_id);
int timer_period(Window& window, int timer_id);  // running period in ms, 0 when stopped
void wait_events(int no_block);

}  // namespace common
