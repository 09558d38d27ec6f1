// The test driver: a test acts as the office user through the real widgets, fires timers now
// instead of waiting, sets the clock, answers message boxes, dialogs and file requesters in
// advance, and reads back what was shown, started and played.
//
// Create one `Driver` per test (a fixture member); it takes over the layer's hooks and gives
// them back when it goes out of scope.
#pragma once

#include <cerrno>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/window.h"

namespace common::testing {

// Keys a test presses, by their Win32 virtual-key codes.
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_PRIOR = 0x21;  // Page Up
inline constexpr int VK_NEXT = 0x22;   // Page Down
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_DELETE = 0x2E;

struct ShownMessage {
    std::string text;
    std::string caption;
    long flags = 0;
    bool had_owner = false;
};

struct ShownRequester {
    std::string title;
    int open = 0;
    std::string filter;
    std::string default_extension;
    std::string initial_folder;
};

struct StartedProgram {
    std::string file;
    std::string parameters;
};

struct SoundCall {
    std::string path;
    bool play = false;  // false: stopped
};

// The steps of writing a file that a test can make fail: creating the file (a temporary beside
// a rewritten one), writing bytes, flushing them out of the program, syncing them to the disk,
// the rename that puts a rewritten file in place, and deleting a file.
enum class FileStep { Create, Write, Flush, Sync, Rename, Delete };

// One way a save goes wrong, as the disk reports it.
struct FileFailure {
    const char* name;
    FileStep step;
    int error;
};
// Every way a file rewritten whole ("W") can fail: its temporary refused, a full disk while
// writing, a failed flush or sync, a refused rename.
const std::vector<FileFailure>& rewrite_failures();
// Every way an append ("A") to an existing file can fail: a full disk, a failed flush.
const std::vector<FileFailure>& append_failures();

struct ShownNotification {
    std::string title;
    std::string text;
    std::vector<std::string> answers;  // the labels the user may choose, in order
};

class Driver {
public:
    Driver();
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // ---- acting as a person does: mouse presses and releases, key presses ----
    // Each acts only on a control that is shown and enabled, as a person can only reach those.
    void click(Window& window, int id);                          // push button, check box, radio
    void check(Window& window, int id, bool checked);            // clicks only when it must change
    void type(Window& window, int id, const std::string& text);  // clicks in, types over it
    void select_row(Window& window, int id, int row);            // list box, combo box, list view
    void double_click_row(Window& window, int id, int row);      // list box or list view
    void drag_rows(Window& window, int id, int from_row, int to_row);   // pressed, moved, let go
    void press_key(Window& window, int id, int virtual_key);            // the control has the focus
    void choose_tool(Window& window, int tool_bar_id, int command_id);  // tool-bar button
    // Typing and pasting what the desktop's keyboard and clipboard hold, given as UTF-8 (so a
    // test can offer letters the office's files cannot hold). type_keys types over the field
    // as type does; paste puts the text on the clipboard and pastes it at the field's end.
    void type_keys(Window& window, int id, const std::string& utf8);
    void paste(Window& window, int id, const std::string& utf8);
    // Keys ("Tab", "Space", "Return", "Ctrl+S", "Shift+Tab", "F1") pressed on whatever holds
    // the keyboard focus of the window's top-level window, which is made the active one first,
    // as it is for a person at the keyboard.
    void press_keys(Window& window, const std::string& keys);
    // Where the keyboard focus of the window's top-level window is: the id of the control of
    // `window` that holds it (a tool bar's id for one of its buttons), 0 when it is elsewhere.
    int focused_control(Window& window);
    // The command of the tool-bar button that holds the focus, 0 when none does.
    int focused_tool(Window& window, int tool_bar_id);
    void scroll(Window& window, int id, int scroll_code, int thumb_position = 0);
    // The mouse wheel turned over a list, `notches` steps down (negative: up).
    void wheel(Window& window, int id, int notches);
    void close_box(Window& window);                 // the user asks to close
    void fire_timer(Window& window, int timer_id);  // EV_TIMER now
    void process_events();                          // runs pending events once

    // ---- what a list shows ----
    // The first and last rows a list box shows on screen, wholly or in part ({-1, -1} for none).
    std::pair<int, int> visible_rows(Window& window, int id);

    // ---- the clock ----
    // The wall clock of the time zone in force (see set_time_zone).
    void set_clock(int year, int month, int day, int hour, int minute, int second = 0);
    void set_clock_instant(Instant instant);
    // The clock is read in this time zone ("Europe/London", "Asia/Tokyo") until the driver goes.
    void set_time_zone(const std::string& zone);

    // ---- answers given in advance (first in, first used) ----
    void answer_message_box(int button_code);
    void answer_file_requester(const std::string& path);  // UTF-8; "" = cancelled
    // The action runs on the next modal dialog once it is up (e.g. click its Yes button).
    void answer_dialog(std::function<void(Window&)> action);

    // ---- failing the disk ----
    // The nth step of this kind from now fails with `error` (EACCES on Create is a folder that
    // takes no new files); with `from_then_on` every later one fails too; with `only_file`
    // ("todo.ini") only steps on files of that name count. Steps are counted from the first
    // call until the driver goes.
    void fail_file_step(FileStep step, int nth = 1, int error = ENOSPC, bool from_then_on = false,
                        const std::string& only_file = "");
    int file_steps_taken(FileStep step) const;
    void stop_failing_files();  // nothing fails any more; the counts start again

    // ---- what was shown, started, played ----
    const std::vector<ShownMessage>& messages() const { return messages_; }
    const std::vector<ShownRequester>& requesters() const { return requesters_; }
    const std::vector<StartedProgram>& started_programs() const { return started_; }
    const std::vector<SoundCall>& sounds() const { return sounds_; }
    // Modal dialogs that came up with no answer waiting (each was ended with result 2).
    const std::vector<std::string>& unanswered_dialogs() const { return unanswered_; }
    void clear_records();

    // ---- the desktop's panel and notifications ----
    // The driver stands in for a panel (icons are made with their tooltips and menus but shown
    // on no screen) unless told the desktop has none; notifications are recorded, not shown.
    void set_panel_present(bool present);
    bool has_panel_icon(Window& window);
    std::string panel_tooltip(Window& window);            // "" without an icon
    std::vector<std::string> panel_menu(Window& window);  // the labels, top to bottom
    bool panel_item_enabled(Window& window, const std::string& label);
    void click_panel_icon(Window& window);  // a left click on the icon
    void choose_panel_item(Window& window, const std::string& label);
    const std::vector<ShownNotification>& notifications() const { return notifications_; }
    // Chooses an answer of a notification shown so far (by its place in notifications()).
    void answer_notification(std::size_t index, const std::string& answer);
    // How often a window asked for the user's attention while not in front.
    int attention_asked(Window& window) const;

private:
    void stand_in_for_desktop();
    void give_desktop_back();
    std::vector<ShownNotification> notifications_;
    std::vector<std::pair<unsigned, std::vector<int>>> notification_answers_;  // number, commands
    std::vector<const Window*> attention_;
    bool zone_set_ = false;
    std::deque<int> message_answers_;
    std::deque<std::string> requester_answers_;
    std::deque<std::function<void(Window&)>> dialog_answers_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownRequester> requesters_;
    std::vector<StartedProgram> started_;
    std::vector<SoundCall> sounds_;
    std::vector<std::string> unanswered_;
};

}  // namespace common::testing
