// The test driver: acts through the real widgets and takes over the layer's hooks.
#include "driver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>

#include "common/hooks.h"
#include "encoding.h"
#include "file_faults.h"
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

QAbstractSlider::SliderAction slider_action(int code) {
    switch (code) {
        case SB_LINEUP:
            return QAbstractSlider::SliderSingleStepSub;
        case SB_LINEDOWN:
            return QAbstractSlider::SliderSingleStepAdd;
        case SB_PAGEUP:
            return QAbstractSlider::SliderPageStepSub;
        case SB_PAGEDOWN:
            return QAbstractSlider::SliderPageStepAdd;
        case SB_TOP:
            return QAbstractSlider::SliderToMinimum;
        case SB_BOTTOM:
            return QAbstractSlider::SliderToMaximum;
        default:
            return QAbstractSlider::SliderNoAction;
    }
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
    common::set_clock(std::nullopt);
    disarm_file_faults();
}

void Driver::click(Window& window, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(control_widget(window, id))) {
        if (button->isEnabled()) button->click();
    }
}

void Driver::check(Window& window, int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(control_widget(window, id))) {
        if (button->isChecked() != checked) click(window, id);
    }
}

void Driver::type(Window& window, int id, const std::string& text) {
    QWidget* widget = control_widget(window, id);
    if (widget == nullptr || !widget->isEnabled()) return;
    QString qt = to_qt(text);
    QLineEdit* line = qobject_cast<QLineEdit*>(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) line = combo->lineEdit();
    if (line != nullptr) {
        // As a person types: the text is replaced and Qt reports it as edited.
        line->selectAll();
        line->insert(qt);
        if (qt.isEmpty()) line->backspace();
        return;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(qt.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        rich->setPlainText(qt);
    }
}

void Driver::select_row(Window& window, int id, int row) {
    QWidget* widget = control_widget(window, id);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (row >= 0 && row < list->count()) list->setCurrentRow(row);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (row >= 0 && row < combo->count()) {
            combo->setCurrentIndex(row);
            emit combo->activated(row);
        }
    } else if (auto* view = qobject_cast<QTreeWidget*>(widget)) {
        if (QTreeWidgetItem* item = view->topLevelItem(row)) {
            view->setCurrentItem(item);
            emit view->itemClicked(item, 0);
        }
    }
}

void Driver::double_click_row(Window& window, int id, int row) {
    QWidget* widget = control_widget(window, id);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (QListWidgetItem* item = list->item(row)) {
            list->setCurrentRow(row);
            emit list->itemDoubleClicked(item);
        }
    } else if (auto* view = qobject_cast<QTreeWidget*>(widget)) {
        if (QTreeWidgetItem* item = view->topLevelItem(row)) {
            view->setCurrentItem(item);
            emit view->itemDoubleClicked(item, 0);
        }
    }
}

void Driver::choose_tool(Window& window, int tool_bar_id, int command_id) {
    Control* control = find_control(window, tool_bar_id);
    if (control == nullptr || !control->tool_bar) return;
    auto found = control->tool_bar->actions.find(command_id);
    if (found != control->tool_bar->actions.end() && found->second->isEnabled()) {
        found->second->trigger();
    }
}

void Driver::scroll(Window& window, int id, int scroll_code, int thumb_position) {
    auto* bar = qobject_cast<QScrollBar*>(control_widget(window, id));
    if (bar == nullptr) return;
    if (scroll_code == SB_THUMBTRACK || scroll_code == SB_THUMBPOSITION) {
        // A drag: press, move the thumb, and for the final position let go.
        bar->setSliderDown(true);
        bar->setSliderPosition(thumb_position);
        if (scroll_code == SB_THUMBPOSITION) bar->setSliderDown(false);
        return;
    }
    QAbstractSlider::SliderAction action = slider_action(scroll_code);
    if (action != QAbstractSlider::SliderNoAction) bar->triggerAction(action);
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
}

}  // namespace common::testing
