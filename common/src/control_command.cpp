// Control commands: list-view rows and columns, and the tool bar's settings.
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>

#include "encoding.h"
#include "native_window.h"
#include "tool_bar.h"

namespace common {
namespace {

// A Win32 list view keeps cell texts in buffers of this size.
constexpr std::size_t kCellTextLimit = 32766;

long number_of(const CommandArg& arg) {
    if (const long* value = std::get_if<long>(&arg)) return *value;
    return 0;
}

std::string text_of(const CommandArg& arg) {
    if (const std::string* value = std::get_if<std::string>(&arg)) return *value;
    if (std::string* const* variable = std::get_if<std::string*>(&arg)) {
        return *variable ? **variable : std::string();
    }
    return {};
}

QTreeWidgetItem* row_of(QTreeWidget* view, long row) {
    if (row < 0 || row >= view->topLevelItemCount()) return nullptr;
    return view->topLevelItem(static_cast<int>(row));
}

int insert_column(Control& control, QTreeWidget* view, long index, const std::string& heading) {
    int columns = control.list_view_columns;
    if (index < 0 || index > columns) index = columns;
    int at = static_cast<int>(index);
    QStringList headings;
    for (int c = 0; c < columns; ++c) headings << view->headerItem()->text(c);
    headings.insert(at, to_qt(heading));
    view->setColumnCount(columns + 1);
    view->setHeaderLabels(headings);
    // Cells right of the new column move one place on.
    for (int r = 0; r < view->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = view->topLevelItem(r);
        for (int c = columns; c > at; --c) item->setText(c, item->text(c - 1));
        item->setText(at, QString());
    }
    QFontMetrics metrics(view->font());
    int width = metrics.horizontalAdvance(to_qt(heading) + QStringLiteral("XX"));
    QList<int> widths;
    for (int c = 0; c < columns; ++c) widths << view->header()->sectionSize(c);
    widths.insert(at, width);
    for (int c = 0; c <= columns; ++c) view->header()->resizeSection(c, widths[c]);
    control.list_view_columns = columns + 1;
    return at;
}

int list_view_command(Control& control, QTreeWidget* view, int code, const CommandArg& a1,
                      const CommandArg& a2, const CommandArg& a3) {
    switch (code) {
        case LV_DELETE_ROW: {
            QTreeWidgetItem* item = row_of(view, number_of(a1));
            if (item == nullptr) return 0;
            delete item;
            return 1;
        }
        case LV_INSERT_ROW: {
            long row = number_of(a1);
            int count = view->topLevelItemCount();
            if (row < 0 || row > count) row = count;
            auto* item = new QTreeWidgetItem();
            item->setText(0, to_qt(text_of(a2)));
            view->insertTopLevelItem(static_cast<int>(row), item);
            return static_cast<int>(row);
        }
        case LV_INSERT_COLUMN:
            return insert_column(control, view, number_of(a1), text_of(a2));
        case LV_SET_CELL: {
            QTreeWidgetItem* item = row_of(view, number_of(a1));
            long column = number_of(a2);
            if (item == nullptr || column < 0 || column >= std::max(1, view->columnCount())) {
                return 0;
            }
            item->setText(static_cast<int>(column), to_qt(text_of(a3)));
            return 1;
        }
        case LV_GET_CELL: {
            QTreeWidgetItem* item = row_of(view, number_of(a1));
            std::string text = item ? from_qt(item->text(static_cast<int>(number_of(a2)))) : "";
            if (text.size() > kCellTextLimit) text.resize(kCellTextLimit);
            if (std::string* const* variable = std::get_if<std::string*>(&a3)) {
                if (*variable) **variable = text;
            }
            return static_cast<int>(text.size());
        }
        case LV_IS_SELECTED: {
            QTreeWidgetItem* item = row_of(view, number_of(a1));
            return item && item->isSelected() ? 2 : 0;
        }
        case LV_ROW_COUNT:
            return view->topLevelItemCount();
        default:
            return 0;
    }
}

}  // namespace

int control_command(Window& window, int id, int code, const CommandArg& a1, const CommandArg& a2,
                    const CommandArg& a3, const CommandArg& a4) {
    Control* control = find_control(window, id);
    if (control == nullptr) return 0;
    if (control->kind == KIND_LIST_VIEW) {
        auto* view = qobject_cast<QTreeWidget*>(control->widget.data());
        if (view == nullptr) return 0;
        Quiet quiet(*control);
        return list_view_command(*control, view, code, a1, a2, a3);
    }
    if (control->kind == KIND_TOOL_BAR) {
        return tool_bar_command(*control, code, number_of(a1), number_of(a2), text_of(a1),
                                text_of(a2));
    }
    (void)a4;
    return 0;
}

}  // namespace common
