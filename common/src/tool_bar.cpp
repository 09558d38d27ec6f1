// The tool bar: buttons from a strip of images, labels under them, tooltips, and each press
// reported as EV_CONTROL with its command id.
//
// The bars are drawn at the classic desktop size, not at the toolkit's roomier one: the
// layouts put the first control under a top tool bar at y 43 to 46, the message field of the
// job manager at x 270, and the to-do program asks for 90 x 15 buttons in a 340-pixel dialog.
#include "tool_bar.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "encoding.h"
#include "images.h"
#include "keyboard.h"

namespace common {
namespace {

constexpr long TBSTYLE_TOOLTIPS = 0x100;
constexpr long CCS_VERT = 0x80;
// Room round a button's picture and label when the tool bar sizes the button itself.
constexpr int kSidePadding = 3;
constexpr int kEndPadding = 2;
constexpr int kLabelGap = 1;
constexpr int kSeparatorExtent = 6;

// Picture and label one above the other, centred, in whatever height the button has: a
// button of the size the program asked for keeps it even when that leaves no padding.
class ClassicToolBarStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
            case PM_ToolBarItemSpacing:
            case PM_ToolBarItemMargin:
            case PM_ToolBarFrameWidth:
            case PM_ToolBarHandleExtent:
                return 0;
            case PM_ToolBarSeparatorExtent:
                return kSeparatorExtent;
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        auto* tool = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (element != CE_ToolButtonLabel || tool == nullptr || widget == nullptr) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QRect r = widget->rect();
        bool enabled = tool->state & State_Enabled;
        QSize image = tool->iconSize;
        int label_height = tool->text.isEmpty() ? 0 : tool->fontMetrics.height();
        int free = r.height() - image.height() - label_height;
        int gap = label_height > 0 && free > 0 ? kLabelGap : 0;
        int top = std::max(0, (free - gap) / 2);
        QPixmap picture = tool->icon.pixmap(image, enabled ? QIcon::Normal : QIcon::Disabled);
        painter->drawPixmap(r.left() + (r.width() - picture.width()) / 2, top, picture);
        if (label_height == 0) return;
        QRect label(r.left(), top + image.height() + gap, r.width(), label_height);
        drawItemText(painter, label, Qt::AlignHCenter | Qt::AlignTop, tool->palette, enabled,
                     tool->text, QPalette::ButtonText);
    }
};

QStyle* classic_style() {
    static QPointer<ClassicToolBarStyle> style;
    if (style.isNull()) {
        style = new ClassicToolBarStyle;
        style->setParent(qApp);  // lives as long as the widgets that use it
    }
    return style;
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

// The buttons take the strip's pieces in order, each as wide and high as the image size says.
void cut_pictures(ToolBarState& state) {
    QSize size = state.image_size;
    int next = 0;
    for (int command : state.command_ids) {
        if (command == 0) continue;
        QRect piece(next * size.width(), 0, size.width(), size.height());
        ++next;
        QIcon icon;
        if (size.width() > 0 && piece.right() < state.strip.width()) {
            icon = QIcon(QPixmap::fromImage(state.strip.copy(piece)));
        }
        state.actions[command]->setIcon(icon);
    }
    state.bar->setIconSize(size);
}

QSize button_size(const ToolBarState& state, const QToolButton& button) {
    if (state.button_size_asked) return state.button_size;
    QFontMetrics metrics(button.font());
    bool labelled = !button.text().isEmpty();
    int width =
        std::max(state.image_size.width(), labelled ? metrics.horizontalAdvance(button.text()) : 0);
    int height = state.image_size.height() + (labelled ? kLabelGap + metrics.height() : 0);
    return QSize(width + 2 * kSidePadding, height + 2 * kEndPadding).expandedTo(state.button_size);
}

void lay_out(Control& control) {
    ToolBarState& state = *control.tool_bar;
    QToolBar* bar = state.bar;
    for (auto& [command, action] : state.actions) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            button->setFixedSize(button_size(state, *button));
        }
    }
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
    lay_out(control);
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
            state.image_size = QSize(static_cast<int>(n1), static_cast<int>(n2));
            cut_pictures(state);
            return 1;
        case TB_BUTTON_SIZE:
            state.button_size = QSize(static_cast<int>(n1), static_cast<int>(n2));
            state.button_size_asked = true;
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
    bar->setStyle(classic_style());
    bar->setOrientation(style & CCS_VERT ? Qt::Vertical : Qt::Horizontal);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    keep_system_colours(bar);
    bar->setAutoFillBackground(true);  // the button face, whatever colour the window is
    Control& control = native->controls[id];
    control.id = id;
    control.kind = KIND_TOOL_BAR;
    control.style = style;
    control.sequence = native->controls_made++;
    control.widget = bar;
    control.tool_bar = std::make_unique<ToolBarState>();
    ToolBarState& state = *control.tool_bar;
    state.bar = bar;
    state.style = style;
    state.command_ids = command_ids;
    state.strip = strip_image(image_strip, strip_file);
    std::uint64_t serial = native->serial;
    for (int command : command_ids) {
        if (command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(QString());
        action->setToolTip(QString());
        state.actions[command] = action;
        QObject::connect(action, &QAction::triggered, native->guard,
                         [w = &window, serial, command] {
                             if (still_open(w, serial))
                                 deliver_event(*w, EV_CONTROL, command, NOTIFY_CLICKED);
                         });
    }
    // Buttons and separators draw and measure themselves with the bar's classic style.
    for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setStyle(classic_style());
    }
    for (auto& [command, action] : state.actions)
        reach_by_keyboard(qobject_cast<QToolButton*>(bar->widgetForAction(action)));
    cut_pictures(state);
    bar->show();
    lay_out(control);
    native->restack();
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
