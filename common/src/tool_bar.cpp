// The tool bar: buttons from a strip of 24 x 23 images, labels under them, tooltips, and each
// press reported as EV_CONTROL with its command id.
#include "tool_bar.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include "encoding.h"
#include "images.h"

namespace common {
namespace {

constexpr int kStripImageWidth = 24;
constexpr int kStripImageHeight = 23;
constexpr long TBSTYLE_TOOLTIPS = 0x100;
constexpr long CCS_VERT = 0x80;

std::vector<QImage> cut_strip(const QImage& strip) {
    std::vector<QImage> pieces;
    for (int x = 0; x + kStripImageWidth <= strip.width(); x += kStripImageWidth) {
        pieces.push_back(strip.copy(x, 0, kStripImageWidth, kStripImageHeight));
    }
    return pieces;
}

QImage strip_image(int image_strip, const std::string& strip_file) {
    if (const QImage* image = find_image(image_strip)) return *image;
    if (strip_file.empty()) return {};
    QImage image = read_image_file(strip_file);
    return image.isNull() ? image : map_3d_colours(image);
}

ToolBarState* state_of(Window& window, int id) {
    Control* control = find_control(window, id);
    return control && control->tool_bar ? control->tool_bar.get() : nullptr;
}

std::vector<std::string> split_labels(const std::string& text) {
    std::vector<std::string> labels;
    std::string piece;
    for (char c : text) {
        if (c == '|') {
            labels.push_back(piece);
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    if (!piece.empty()) labels.push_back(piece);
    return labels;
}

void lay_out(Control& control) {
    ToolBarState& state = *control.tool_bar;
    QToolBar* bar = state.bar;
    bar->adjustSize();
    if (state.style & CCS_VERT) return;  // placed by the program, not by its parent
    QWidget* parent = bar->parentWidget();
    bar->setGeometry(0, 0, parent ? parent->width() : bar->width(), bar->sizeHint().height());
}

void set_labels(Control& control, const std::string& text) {
    ToolBarState& state = *control.tool_bar;
    std::vector<std::string> labels = split_labels(text);
    std::size_t next = 0;
    for (int command : state.command_ids) {
        if (command == 0) continue;
        std::string label = next < labels.size() ? labels[next] : std::string();
        ++next;
        state.labels[command] = label;
        state.actions[command]->setText(to_qt(label));
        if (!state.tooltips.count(command)) state.actions[command]->setToolTip(QString());
    }
    state.bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    lay_out(control);
}

void set_button_size(ToolBarState& state, int width, int height) {
    for (auto& [command, action] : state.actions) {
        if (QWidget* button = state.bar->widgetForAction(action)) {
            button->setMinimumSize(width, height);
        }
    }
}

}  // namespace

int tool_bar_command(Control& control, int code, long n1, long n2, const std::string& t1,
                     const std::string& t2) {
    if (!control.tool_bar) return 0;
    ToolBarState& state = *control.tool_bar;
    switch (code) {
        case TB_LAYOUT:
            lay_out(control);
            return 1;
        case TB_IMAGE_SIZE:
            state.bar->setIconSize(QSize(static_cast<int>(n1), static_cast<int>(n2)));
            return 1;
        case TB_BUTTON_SIZE:
            set_button_size(state, static_cast<int>(n1), static_cast<int>(n2));
            return 1;
        case TB_LABELS:
            set_labels(control, t1);
            return 1;
        case TB_TOOLTIP: {
            auto found = state.actions.find(static_cast<int>(n1));
            if (found == state.actions.end()) return 0;
            state.tooltips[found->first] = t2;
            if (state.style & TBSTYLE_TOOLTIPS) found->second->setToolTip(to_qt(t2));
            return 1;
        }
        default:
            return 0;
    }
}

int create_tool_bar(Window& window, int image_strip, const std::string& strip_file, int id,
                    const std::vector<int>& command_ids, long style) {
    NativeWindow* native = native_of(window);
    if (native == nullptr || id <= 0 || native->controls.count(id) != 0) return 0;
    auto* bar = new QToolBar(native->widget);
    bar->setOrientation(style & CCS_VERT ? Qt::Vertical : Qt::Horizontal);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kStripImageWidth, kStripImageHeight));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setAutoFillBackground(true);  // the button face, whatever colour the window is
    Control& control = native->controls[id];
    control.id = id;
    control.kind = KIND_TOOL_BAR;
    control.style = style;
    control.widget = bar;
    control.tool_bar = std::make_unique<ToolBarState>();
    ToolBarState& state = *control.tool_bar;
    state.bar = bar;
    state.style = style;
    state.command_ids = command_ids;
    state.images = cut_strip(strip_image(image_strip, strip_file));
    std::size_t next_image = 0;
    std::uint64_t serial = native->serial;
    for (int command : command_ids) {
        if (command == 0) {
            bar->addSeparator();
            continue;
        }
        QIcon icon;
        if (next_image < state.images.size()) {
            icon = QIcon(QPixmap::fromImage(state.images[next_image]));
        }
        ++next_image;
        QAction* action = bar->addAction(icon, QString());
        action->setToolTip(QString());
        state.actions[command] = action;
        QObject::connect(action, &QAction::triggered, native->guard,
                         [w = &window, serial, command] {
                             if (still_open(w, serial))
                                 deliver_event(*w, EV_CONTROL, command, NOTIFY_CLICKED);
                         });
    }
    set_button_size(state, 16, 15);  // the tool bar enlarges them to fit image and label
    bar->show();
    lay_out(control);
    return 1;
}

std::string tool_bar_label(Window& window, int id, int command_id) {
    ToolBarState* state = state_of(window, id);
    if (state == nullptr || !state->labels.count(command_id)) return {};
    return state->labels[command_id];
}

std::string tool_bar_tooltip(Window& window, int id, int command_id) {
    ToolBarState* state = state_of(window, id);
    if (state == nullptr || !state->tooltips.count(command_id)) return {};
    return state->tooltips[command_id];
}

}  // namespace common
