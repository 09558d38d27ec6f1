// List boxes scrolled together: a change of one list's vertical position is given to the others,
// and the position is kept while rows come and go.
#include "common/list_columns.h"

#include <QListView>
#include <QPointer>
#include <QScrollBar>

#include "native_window.h"

namespace common {
namespace {

class ScrollTogether : public QObject {
public:
    ScrollTogether(QObject* owner, std::vector<QListView*> lists) : QObject(owner) {
        for (QListView* list : lists) {
            lists_.push_back(list);
            QScrollBar* down = list->verticalScrollBar();
            connect(down, &QScrollBar::valueChanged, this, [this](int row) { follow(row); });
            connect(down, &QScrollBar::rangeChanged, this, [this, down] { keep(down); });
            connect(list->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
                    &ScrollTogether::match_horizontal_bars);
        }
        match_horizontal_bars();
    }

private:
    // One list moved: the others take the same position.
    void follow(int position) {
        if (moving_) return;
        moving_ = true;
        position_ = position;
        for (QListView* list : lists_) {
            if (list != nullptr) list->verticalScrollBar()->setValue(position);
        }
        moving_ = false;
    }

    // A list whose rows changed keeps the position the others show.
    void keep(QScrollBar* bar) {
        if (moving_ || bar->value() == position_) return;
        moving_ = true;
        bar->setValue(position_);
        moving_ = false;
    }

    // A horizontal bar takes room from the rows: all lists have one, or none.
    void match_horizontal_bars() {
        bool needed = false;
        for (QListView* list : lists_) {
            if (list != nullptr && list->horizontalScrollBar()->maximum() > 0) needed = true;
        }
        const Qt::ScrollBarPolicy policy = needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
        for (QListView* list : lists_) {
            if (list != nullptr && list->horizontalScrollBarPolicy() != policy) {
                list->setHorizontalScrollBarPolicy(policy);
            }
        }
    }

    std::vector<QPointer<QListView>> lists_;
    int position_ = 0;
    bool moving_ = false;
};

}  // namespace

void scroll_lists_together(Window& window, const std::vector<int>& list_ids) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    std::vector<QListView*> lists;
    for (int id : list_ids) {
        Control* control = find_control(window, id);
        auto* list = control && control->kind == KIND_LIST_BOX
                         ? qobject_cast<QListView*>(control->widget.data())
                         : nullptr;
        if (list != nullptr) lists.push_back(list);
    }
    if (lists.size() > 1) new ScrollTogether(native->guard, lists);
}

}  // namespace common
