// Measures captions with the font each control really draws in, and reads the status bar from
// the window's own rendering, so tests see what a person sees.
#include "screen_check.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <map>

#include "encoding.h"
#include "native_window.h"

namespace common::testing {
namespace {

// Trailing spaces are never seen: the programs pad texts with them to overwrite longer ones.
QString visible_text(QString text) {
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
}

struct Caption {
    QString text;
    QRect area;    // where the control may draw it, in the control's coordinates
    QRect extent;  // where it is drawn, in the control's coordinates
    bool fits = true;
    int rows_cut = 0;  // rows of its letters outside the control
};

Caption label_caption(QLabel* label) {
    Caption c;
    c.text = visible_text(label->text());
    int margin = label->margin();
    c.area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    c.extent = QFontMetrics(label->font()).boundingRect(c.area, flags, c.text);
    c.fits = c.extent.width() <= c.area.width();
    if (label->wordWrap()) {
        c.fits = c.fits && c.extent.height() <= c.area.height();
    } else if (!c.text.contains(QLatin1Char('\n'))) {
        // One line: its letters, descenders included, must lie inside the label.
        QFontMetrics metrics(label->font());
        QRect ink = metrics.tightBoundingRect(c.text).translated(c.extent.left(),
                                                                 c.extent.top() + metrics.ascent());
        c.rows_cut = std::max(0, -ink.top()) + std::max(0, ink.bottom() + 1 - label->height());
        c.fits = c.fits && c.rows_cut == 0;
    }
    return c;
}

Caption button_caption(QAbstractButton* button) {
    Caption c;
    c.text = visible_text(button->text());
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    Qt::Alignment alignment = Qt::AlignCenter;
    if (qobject_cast<QCheckBox*>(button)) {
        contents = QStyle::SE_CheckBoxContents;
        alignment = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (qobject_cast<QRadioButton*>(button)) {
        contents = QStyle::SE_RadioButtonContents;
        alignment = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (auto* push = qobject_cast<QPushButton*>(button); push && push->isDefault()) {
        option.features |= QStyleOptionButton::DefaultButton;
    }
    c.area = button->style()->subElementRect(contents, &option, button);
    QFontMetrics metrics(button->font());
    int advance = metrics.horizontalAdvance(c.text);
    c.extent =
        QStyle::alignedRect(Qt::LeftToRight, alignment, QSize(advance, metrics.height()), c.area);
    c.fits = advance <= c.area.width();
    if (qobject_cast<QPushButton*>(button)) c.extent = button->rect();  // all of it must show
    return c;
}

Caption group_caption(QGroupBox* group) {
    Caption c;
    c.text = visible_text(group->title());
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    c.extent = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxLabel, group);
    c.area = group->rect();
    int advance = QFontMetrics(group->font()).horizontalAdvance(c.text);
    c.fits = advance <= c.extent.width() && c.area.contains(c.extent);
    return c;
}

// A tool button shows its picture above its label; both must fit inside the button.
Caption tool_caption(QToolButton* button, QSize image) {
    Caption c;
    c.text = visible_text(button->text());
    c.area = button->rect();
    QFontMetrics metrics(button->font());
    int advance = metrics.horizontalAdvance(c.text);
    int shown = std::max(advance, image.width());  // picture over label, both centred
    c.extent = QRect((c.area.width() - shown) / 2, 0, shown, c.area.height());
    c.fits = advance <= c.area.width() - 2 &&
             image.height() + metrics.height() <= c.area.height() &&
             image.width() <= c.area.width();
    return c;
}

QRect in_window(QWidget* widget, const QRect& rect, QWidget* window) {
    return QRect(widget->mapTo(window, rect.topLeft()), rect.size());
}

// The control a widget of the window belongs to, for readable reports.
int id_of(NativeWindow& native, const QWidget* widget) {
    for (auto& [id, control] : native.controls) {
        if (control.widget == widget) return id;
    }
    return 0;
}

// Controls are stacked as their widgets are ordered among the window's children, last on top.
std::vector<int> covering(NativeWindow& native, QWidget* top_level_child, const QRect& rect) {
    std::vector<int> ids;
    const QObjectList& siblings = native.widget->children();
    qsizetype at = siblings.indexOf(top_level_child);
    for (qsizetype i = at + 1; at >= 0 && i < siblings.size(); ++i) {
        auto* sibling = qobject_cast<QWidget*>(siblings[i]);
        if (sibling && sibling->isVisible() && !sibling->isWindow() &&
            sibling->geometry().intersects(rect))
            ids.push_back(id_of(native, sibling));
    }
    return ids;
}

std::string describe(int id, const QString& text) {
    return "id " + std::to_string(id) + " \"" + from_qt(text) + "\"";
}

void check_caption(NativeWindow& native, int id, QWidget* widget, QWidget* stacked,
                   const Caption& c, std::vector<std::string>& problems) {
    if (c.text.isEmpty() || !widget->isVisible()) return;
    QFontMetrics metrics(widget->font());
    if (!c.fits) {
        int over = std::max(0, metrics.horizontalAdvance(c.text) - c.area.width());
        problems.push_back(describe(id, c.text) + ": caption does not fit its control (" +
                           std::to_string(metrics.horizontalAdvance(c.text)) + " px in " +
                           std::to_string(c.area.width()) + " x " +
                           std::to_string(c.area.height()) + ": " + std::to_string(over) +
                           " px over, " + std::to_string(c.rows_cut) + " rows cut)");
    }
    QRect extent = in_window(widget, c.extent, native.widget);
    if (!native.widget->rect().contains(extent)) {
        problems.push_back(describe(id, c.text) + ": reaches outside its window (" +
                           std::to_string(extent.right() + 1) + ", " +
                           std::to_string(extent.bottom() + 1) + " in " +
                           std::to_string(native.widget->width()) + " x " +
                           std::to_string(native.widget->height()) + ")");
    }
    for (int above : covering(native, stacked, extent)) {
        problems.push_back(describe(id, c.text) + ": covered by " +
                           (above ? "control " + std::to_string(above) : "a child window"));
    }
}

void check_tool_bar(NativeWindow& native, int id, QToolBar* bar,
                    std::vector<std::string>& problems) {
    for (QAction* action : bar->actions()) {
        QWidget* widget = bar->widgetForAction(action);
        if (widget == nullptr) continue;
        if (!widget->isVisible()) {
            // A tool bar without room for a button hides it behind its extension arrow.
            if (!action->isSeparator())
                problems.push_back(describe(id, action->text()) + ": not shown in its tool bar");
            continue;
        }
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            check_caption(native, id, button, bar, tool_caption(button, bar->iconSize()), problems);
            continue;
        }
        // A separator's outermost pixels are blank margin round its line.
        QRect separator = in_window(widget, widget->rect().adjusted(1, 1, -1, -1), native.widget);
        if (!native.widget->rect().contains(separator))
            problems.push_back("id " + std::to_string(id) +
                               ": a separator lies outside its window");
    }
}

}  // namespace

std::vector<std::string> caption_problems(Window& window) {
    std::vector<std::string> problems;
    NativeWindow* native = native_of(window);
    if (native == nullptr) return {"the window is not open"};
    for (auto& [id, control] : native->controls) {
        QWidget* widget = control.widget;
        if (widget == nullptr) continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            check_caption(*native, id, widget, widget, label_caption(label), problems);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            check_caption(*native, id, widget, widget, button_caption(button), problems);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            check_caption(*native, id, widget, widget, group_caption(group), problems);
        } else if (auto* bar = qobject_cast<QToolBar*>(widget)) {
            check_tool_bar(*native, id, bar, problems);
        }
    }
    return problems;
}

Rect client_rect(Window& window, int id) {
    NativeWindow* native = native_of(window);
    if (native != nullptr && id == 0)
        return {0, 0, native->widget->width(), native->widget->height()};
    QWidget* widget = control_widget(window, id);
    if (native == nullptr || widget == nullptr) return {};
    QRect r = in_window(widget, widget->rect(), native->widget);
    return {r.x(), r.y(), r.width(), r.height()};
}

std::vector<Rect> tool_button_rects(Window& window, int tool_bar_id) {
    NativeWindow* native = native_of(window);
    auto* bar = qobject_cast<QToolBar*>(control_widget(window, tool_bar_id));
    if (native == nullptr || bar == nullptr) return {};
    std::vector<Rect> rects;
    for (QAction* action : bar->actions()) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        if (button == nullptr) continue;
        QRect r = in_window(button, button->rect(), native->widget);
        rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return rects;
}

bool stacked_above(Window& window, int upper, int lower) {
    NativeWindow* native = native_of(window);
    QWidget* up = control_widget(window, upper);
    QWidget* down = control_widget(window, lower);
    if (native == nullptr || up == nullptr || down == nullptr) return false;
    const QObjectList& order = native->widget->children();
    return order.indexOf(up) > order.indexOf(down);
}

StripLook status_bar_look(Window& window, int id) {
    NativeWindow* native = native_of(window);
    QWidget* bar = control_widget(window, id);
    if (native == nullptr || bar == nullptr) return {};
    // The whole window is rendered, so whatever covers the bar shows as it would on screen.
    QImage strip =
        native->widget->grab().toImage().copy(in_window(bar, bar->rect(), native->widget));
    std::map<int, int> counts;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) ++counts[qGray(strip.pixel(x, y))];
    }
    StripLook look;
    if (counts.empty()) return look;
    look.face_lightness = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
    look.text_lightness = look.face_lightness;
    for (auto [lightness, count] : counts) {
        if (std::abs(lightness - look.face_lightness) < 80) continue;
        look.text_pixels += count;
        look.text_lightness = std::min(look.text_lightness, lightness);
    }
    return look;
}

}  // namespace common::testing
