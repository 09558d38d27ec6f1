// How overlapping controls are stacked. The desktop the layouts were drawn on stacks a
// window's controls in the order they were made, the first on top (the same order as Tab),
// and the layouts rely on it: in the to-do dialog "Decrease priority" lies over the foot of
// "(1 = highest)". Labels paint their whole box, text or not, so some exceptions keep every
// text in sight:
// - a label never hides a field it overlaps (the to-do program's "-" separators are 20 pixels
//   wide and reach over the month and year fields beside them);
// - a label whose text another label's empty box would hide goes above that label, when its
//   own box leaves the other's text alone ("Priority" is 70 pixels wide and reaches over the
//   start of "Date created"; "1=Priority" over the top of "ONE" under it);
// - a group box is a frame round other controls, never a cover: it lies under them;
// - a tool bar along the top is the strip the window's controls stand on, so it lies under
//   them (the job manager's message field is drawn over the empty end of the tool bar);
// - a status bar lies over everything, child windows included, so its texts are always seen.
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <map>
#include <vector>

#include "native_window.h"

namespace common {
namespace {

constexpr long kVerticalToolBar = 0x80;

bool is_field(const Control& control) {
    return control.kind == KIND_EDIT || control.kind == KIND_COMBO_BOX ||
           control.kind == KIND_LIST_BOX || control.kind == KIND_LIST_VIEW ||
           control.kind == KIND_RICH_EDIT;
}

bool overlap(const Control& a, const Control& b) {
    return a.widget->geometry().intersects(b.widget->geometry());
}

// Where a label's text is drawn, in its window's coordinates (trailing spaces are not seen).
QRect text_extent(const Control& control) {
    auto* label = qobject_cast<QLabel*>(control.widget.data());
    if (label == nullptr) return {};
    QString text = label->text();
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    if (text.isEmpty()) return {};
    int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QRect inside = QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, text);
    return inside.translated(label->pos());
}

// Where each label's text is drawn, measured once per restacking: measuring lays the text
// out, and every pair of overlapping labels would otherwise measure both again.
class TextExtents {
public:
    const QRect& of(const Control& control) {
        auto found = measured_.find(&control);
        if (found == measured_.end()) found = measured_.emplace(&control, text_extent(control)).first;
        return found->second;
    }

private:
    std::map<const Control*, QRect> measured_;
};

// Does `upper`, stacked above `lower`, hide what must be seen of `lower`?
bool hides(const Control& upper, const Control& lower, TextExtents& texts) {
    if (upper.kind != KIND_STATIC) return false;
    if (is_field(lower)) return overlap(upper, lower);
    if (lower.kind != KIND_STATIC) return false;
    return upper.widget->geometry().intersects(texts.of(lower)) &&
           !lower.widget->geometry().intersects(texts.of(upper));
}

// Moves each field and label up to just above the highest label that would hide it.
void lift_hidden_controls(std::vector<Control*>& bottom_to_top) {
    std::vector<Control*> lifted;
    for (Control* control : bottom_to_top) {
        if (is_field(*control) || control->kind == KIND_STATIC) lifted.push_back(control);
    }
    TextExtents texts;
    for (Control* lower : lifted) {
        auto at = std::find(bottom_to_top.begin(), bottom_to_top.end(), lower);
        auto highest = bottom_to_top.end();
        for (auto it = at + 1; it != bottom_to_top.end(); ++it) {
            if (hides(**it, *lower, texts)) highest = it;
        }
        if (highest != bottom_to_top.end()) std::rotate(at, at + 1, highest + 1);
    }
}

}  // namespace

void NativeWindow::restack() {
    std::vector<Control*> bottom_to_top;
    for (auto& [id, control] : controls) {
        if (!control.widget.isNull()) bottom_to_top.push_back(&control);
    }
    std::sort(bottom_to_top.begin(), bottom_to_top.end(),
              [](const Control* a, const Control* b) { return a->sequence > b->sequence; });
    lift_hidden_controls(bottom_to_top);
    auto top_bar = [](const Control* c) {
        return c->kind == KIND_TOOL_BAR && !(c->style & kVerticalToolBar);
    };
    auto underneath = [&](const Control* c) { return top_bar(c) || c->kind == KIND_GROUP_BOX; };
    std::stable_partition(bottom_to_top.begin(), bottom_to_top.end(), top_bar);
    auto rest = std::stable_partition(bottom_to_top.begin(), bottom_to_top.end(), underneath);
    std::stable_partition(rest, bottom_to_top.end(),
                          [](const Control* c) { return c->kind != KIND_STATUS_BAR; });
    // Raised one after the other from the bottom up; the frames and bars that lie under
    // everything go under the child windows too.
    for (auto it = bottom_to_top.rbegin(); it != bottom_to_top.rend(); ++it) {
        if (underneath(*it)) (*it)->widget->lower();
    }
    for (Control* control : bottom_to_top) {
        if (!underneath(control)) control->widget->raise();
    }
}

}  // namespace common
