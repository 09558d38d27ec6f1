// The test driver: acts through the real widgets and takes over the layer's hooks.
#include "driver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>

#include "common/hooks.h"
#include "encoding.h"
#include "file_faults.h"
#include "input_events.h"
#include "native_window.h"

namespace common::testing {
namespace {

// The first button of a box is what a person pressing Enter would get.
int first_button(long flags) {
    switch ((flags == 0 ? 0x30 : flags) & 0xF) {
        case 0x2:
            return 3;  // Abort
        case 0x3:
        case 0x4:
            return 6;  // Yes
        case 0x5:
            return 4;  // Retry
        default:
            return 1;  // OK
    }
}

QStyle::SubControl bar_part(int code) {
    switch (code) {
        case SB_LINEUP:
            return QStyle::SC_ScrollBarSubLine;
        case SB_LINEDOWN:
            return QStyle::SC_ScrollBarAddLine;
        case SB_PAGEUP:
            return QStyle::SC_ScrollBarSubPage;
        case SB_PAGEDOWN:
            return QStyle::SC_ScrollBarAddPage;
        default:
            return QStyle::SC_None;
    }
}

// The middle of an arrow or of the trough on one side of the thumb, as the style draws them.
QPoint part_point(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

// Where a person presses a button: a check box or radio button only takes clicks on its box and
// its caption, not on the empty rest of its rectangle.
QPoint press_point(QAbstractButton* button) {
    QStyle::SubElement area = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button)) area = QStyle::SE_CheckBoxClickRect;
    if (qobject_cast<QRadioButton*>(button)) area = QStyle::SE_RadioButtonClickRect;
    if (area == QStyle::SE_PushButtonContents) return button->rect().center();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(area, &option, button).center();
}

QAbstractSlider::SliderAction slider_action(int code) {
    switch (code) {
        case SB_TOP:
            return QAbstractSlider::SliderToMinimum;
        case SB_BOTTOM:
            return QAbstractSlider::SliderToMaximum;
        default:
            return QAbstractSlider::SliderNoAction;
    }
}

int qt_key(int virtual_key) {
    switch (virtual_key) {
        case VK_TAB:
            return Qt::Key_Tab;
        case VK_RETURN:
            return Qt::Key_Return;
        case VK_ESCAPE:
            return Qt::Key_Escape;
        case VK_SPACE:
            return Qt::Key_Space;
        case VK_END:
            return Qt::Key_End;
        case VK_HOME:
            return Qt::Key_Home;
        case VK_UP:
            return Qt::Key_Up;
        case VK_DOWN:
            return Qt::Key_Down;
        case VK_PRIOR:
            return Qt::Key_PageUp;
        case VK_NEXT:
            return Qt::Key_PageDown;
        case VK_DELETE:
            return Qt::Key_Delete;
        default:
            return Qt::Key_unknown;
    }
}

// The middle of a row, once it has been scrolled into sight as a person would.
QPoint row_point(QAbstractItemView* view, const QModelIndex& index) {
    view->scrollTo(index);
    return view->visualRect(index).center();
}

}  // namespace

Driver::Driver() {
    ensure_layer();
    LayerHooks& hooks = layer_hooks();
    hooks.manual_timers = true;
    hooks.message_box = [this](Window* owner, const std::string& text, const std::string& caption,
                               long flags) {
        messages_.push_back({text, caption, flags, owner != nullptr});
        if (message_answers_.empty()) return first_button(flags);
        int answer = message_answers_.front();
        message_answers_.pop_front();
        return answer;
    };
    hooks.file_requester = [this](const std::string& title, int open, const std::string& filter,
                                  const std::string& extension, const std::string& folder) {
        requesters_.push_back({title, open, filter, extension, folder});
        if (requester_answers_.empty()) return std::string();
        std::string answer = requester_answers_.front();
        requester_answers_.pop_front();
        return answer;
    };
    hooks.start_program = [this](const std::string& file, const std::string& parameters) {
        started_.push_back({file, parameters});
    };
    hooks.sound = [this](const std::string& path, bool play) { sounds_.push_back({path, play}); };
    stand_in_for_desktop();
    hooks.modal_dialog_shown = [this](Window& dialog) {
        if (dialog_answers_.empty()) {
            unanswered_.push_back(dialog.dialog_template.title);
            close_dialog(dialog, 2);
            return;
        }
        std::function<void(Window&)> action = std::move(dialog_answers_.front());
        dialog_answers_.pop_front();
        action(dialog);
        // An answer that leaves the dialog up would hang the test: it ends as the close box.
        if (dialog.is_open()) close_dialog(dialog, 2);
    };
}

Driver::~Driver() {
    LayerHooks& hooks = layer_hooks();
    hooks.message_box = nullptr;
    hooks.file_requester = nullptr;
    hooks.start_program = nullptr;
    hooks.sound = nullptr;
    hooks.modal_dialog_shown = nullptr;
    hooks.manual_timers = false;
    give_desktop_back();
    common::set_clock(std::nullopt);
    if (zone_set_) common::set_time_zone(std::nullopt);
    disarm_file_faults();
}

void Driver::click(Window& window, int id) {
    auto* button = qobject_cast<QAbstractButton*>(control_widget(window, id));
    if (within_reach(button)) mouse_click(button, press_point(button));
}

void Driver::check(Window& window, int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(control_widget(window, id))) {
        if (button->isChecked() != checked) click(window, id);
    }
}

void Driver::type(Window& window, int id, const std::string& text) {
    QWidget* widget = control_widget(window, id);
    if (!within_reach(widget)) return;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) widget = combo->lineEdit();
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
        qobject_cast<QTextEdit*>(widget)) {
        type_over(widget, to_qt(text));
    }
}

void Driver::select_row(Window& window, int id, int row) {
    QWidget* widget = control_widget(window, id);
    if (!within_reach(widget)) return;
    if (auto* list = qobject_cast<QListView*>(widget)) {
        if (row >= 0 && row < list->model()->rowCount()) {
            mouse_click(list->viewport(), row_point(list, list->model()->index(row, 0)));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // With the arrow keys, one row at a time, as a person steps through a closed drop-down.
        if (row < 0 || row >= combo->count()) return;
        combo->setFocus(Qt::TabFocusReason);
        while (combo->currentIndex() != row) {
            int before = combo->currentIndex();
            key_click(combo, before < row ? Qt::Key_Down : Qt::Key_Up);
            if (combo->currentIndex() == before) break;  // a row it cannot reach
        }
    } else if (auto* view = qobject_cast<QTreeView*>(widget)) {
        if (row >= 0 && row < view->model()->rowCount()) {
            mouse_click(view->viewport(), row_point(view, view->model()->index(row, 0)));
        }
    }
}

void Driver::double_click_row(Window& window, int id, int row) {
    auto* view = qobject_cast<QAbstractItemView*>(control_widget(window, id));
    if (!within_reach(view) || qobject_cast<QComboBox*>(view)) return;
    if (row >= 0 && row < view->model()->rowCount()) {
        mouse_double_click(view->viewport(), row_point(view, view->model()->index(row, 0)));
    }
}

void Driver::drag_rows(Window& window, int id, int from_row, int to_row) {
    auto* view = qobject_cast<QAbstractItemView*>(control_widget(window, id));
    if (!within_reach(view) || qobject_cast<QComboBox*>(view)) return;
    int rows = view->model()->rowCount();
    if (from_row < 0 || from_row >= rows || to_row < 0 || to_row >= rows) return;
    QPoint from = row_point(view, view->model()->index(from_row, 0));
    mouse_drag(view->viewport(), from, row_point(view, view->model()->index(to_row, 0)));
}

void Driver::press_key(Window& window, int id, int virtual_key) {
    QWidget* widget = control_widget(window, id);
    if (!within_reach(widget)) return;
    widget->setFocus(Qt::TabFocusReason);  // as if tabbed to
    key_click(widget, qt_key(virtual_key));
}

void Driver::choose_tool(Window& window, int tool_bar_id, int command_id) {
    Control* control = find_control(window, tool_bar_id);
    if (control == nullptr || !control->tool_bar) return;
    auto found = control->tool_bar->actions.find(command_id);
    if (found == control->tool_bar->actions.end()) return;
    QWidget* button = control->tool_bar->bar->widgetForAction(found->second);
    if (within_reach(button)) mouse_click(button, button->rect().center());
}

void Driver::scroll(Window& window, int id, int scroll_code, int thumb_position) {
    auto* bar = qobject_cast<QScrollBar*>(control_widget(window, id));
    if (!within_reach(bar)) return;
    if (scroll_code == SB_THUMBTRACK || scroll_code == SB_THUMBPOSITION) {
        // A drag: press, move the thumb, and for the final position let go. The thumb is moved
        // by value, not by pixels: on a short bar a pixel spans several values, and tests name
        // the exact value a handler must see.
        bar->setSliderDown(true);
        bar->setSliderPosition(thumb_position);
        if (scroll_code == SB_THUMBPOSITION) bar->setSliderDown(false);
        return;
    }
    // Arrows and the trough are clicked; top and bottom have no place to click on a bar.
    QStyle::SubControl part = bar_part(scroll_code);
    if (part != QStyle::SC_None) {
        mouse_click(bar, part_point(bar, part));
        return;
    }
    QAbstractSlider::SliderAction action = slider_action(scroll_code);
    if (action != QAbstractSlider::SliderNoAction) bar->triggerAction(action);
}

void Driver::wheel(Window& window, int id, int notches) {
    auto* view = qobject_cast<QAbstractItemView*>(control_widget(window, id));
    if (!within_reach(view)) return;
    QWidget* area = view->viewport();
    wheel_turn(area, area->rect().center(), notches);
}

std::pair<int, int> Driver::visible_rows(Window& window, int id) {
    auto* list = qobject_cast<QListView*>(control_widget(window, id));
    if (list == nullptr || list->model()->rowCount() == 0) return {-1, -1};
    QWidget* area = list->viewport();
    // The middle of the top and bottom pixel rows: a row shown in part counts.
    const QModelIndex first = list->indexAt(QPoint(area->width() / 2, 0));
    QModelIndex last = list->indexAt(QPoint(area->width() / 2, area->height() - 1));
    if (!last.isValid()) last = list->model()->index(list->model()->rowCount() - 1, 0);
    return {first.isValid() ? first.row() : -1, last.row()};
}

void Driver::close_box(Window& window) {
    if (NativeWindow* native = native_of(window)) native->widget->close();
}

void Driver::fire_timer(Window& window, int timer_id) {
    if (timer_period(window, timer_id) == 0 &&
        !(window.native && window.native->timer_periods.count(timer_id))) {
        return;
    }
    deliver_event(window, EV_TIMER, timer_id, 0, timer_id);
}

void Driver::process_events() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Driver::set_clock(int year, int month, int day, int hour, int minute, int second) {
    common::set_clock(ClockTime{year, month, day, hour, minute, second});
}

void Driver::set_clock_instant(Instant instant) {
    common::set_clock_instant(instant);
}

void Driver::set_time_zone(const std::string& zone) {
    common::set_time_zone(zone);
    zone_set_ = true;
}

void Driver::answer_message_box(int button_code) {
    message_answers_.push_back(button_code);
}

void Driver::answer_file_requester(const std::string& path) {
    requester_answers_.push_back(path);
}

void Driver::answer_dialog(std::function<void(Window&)> action) {
    dialog_answers_.push_back(std::move(action));
}

static_assert(static_cast<int>(FileStep::Delete) == static_cast<int>(common::FileStep::Delete));

const std::vector<FileFailure>& rewrite_failures() {
    static const std::vector<FileFailure> failures = {
        {"temporary refused", FileStep::Create, ENOSPC},
        {"disk full on writing", FileStep::Write, ENOSPC},
        {"flush", FileStep::Flush, EIO},
        {"sync", FileStep::Sync, EIO},
        {"rename", FileStep::Rename, EXDEV}};
    return failures;
}

const std::vector<FileFailure>& append_failures() {
    static const std::vector<FileFailure> failures = {
        {"disk full on writing", FileStep::Write, ENOSPC}, {"flush", FileStep::Flush, EIO}};
    return failures;
}

void Driver::fail_file_step(FileStep step, int nth, int error, bool from_then_on,
                            const std::string& only_file) {
    arm_file_fault(static_cast<common::FileStep>(step), nth, error, from_then_on, only_file);
}

int Driver::file_steps_taken(FileStep step) const {
    return common::file_steps_taken(static_cast<common::FileStep>(step));
}

void Driver::stop_failing_files() {
    disarm_file_faults();
}

void Driver::clear_records() {
    messages_.clear();
    requesters_.clear();
    started_.clear();
    sounds_.clear();
    unanswered_.clear();
    notifications_.clear();
    notification_answers_.clear();
    attention_.clear();
}

}  // namespace common::testing
