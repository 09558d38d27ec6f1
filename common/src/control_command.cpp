// Control commands: list-view rows and columns, and the tool bar's settings.
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <climits>

#include "encoding.h"
#include "native_window.h"
#include "text_rows.h"
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

int insert_column(Control& control, QTreeView* view, long index, const std::string& heading) {
    TableRows& table = *control.table;
    const int columns = table.inserted_columns();
    if (index < 0 || index > columns) index = columns;
    const int at = static_cast<int>(index);
    // Columns keep their widths when one is inserted before them; the new one is as wide as
    // its heading and "XX".
    QList<int> widths;
    for (int c = 0; c < columns; ++c) widths << view->header()->sectionSize(c);
    table.insert_column(at, heading);
    QFontMetrics metrics(view->font());
    widths.insert(at, metrics.horizontalAdvance(to_qt(heading) + QStringLiteral("XX")));
    for (int c = 0; c <= columns; ++c) view->header()->resizeSection(c, widths[c]);
    control.list_view_columns = columns + 1;
    return at;
}

int list_view_command(Control& control, QTreeView* view, int code, const CommandArg& a1,
                      const CommandArg& a2, const CommandArg& a3) {
    TableRows& table = *control.table;
    const int row = static_cast<int>(std::clamp(number_of(a1), -1L, long(INT_MAX)));
    switch (code) {
        case LV_DELETE_ROW:
            return table.remove_row(row) ? 1 : 0;
        case LV_INSERT_ROW:
            return table.insert_row(row, text_of(a2));
        case LV_INSERT_COLUMN:
            return insert_column(control, view, number_of(a1), text_of(a2));
        case LV_SET_CELL: {
            const long column = number_of(a2);
            if (column < 0 || column >= table.columns()) return 0;
            return table.set_cell(row, static_cast<int>(column), text_of(a3)) ? 1 : 0;
        }
        case LV_GET_CELL: {
            const long column = number_of(a2);
            std::string text =
                column >= 0 && column < table.columns() ? table.cell(row, int(column)) : "";
            if (text.size() > kCellTextLimit) text.resize(kCellTextLimit);
            if (std::string* const* variable = std::get_if<std::string*>(&a3)) {
                if (*variable) **variable = text;
            }
            return static_cast<int>(text.size());
        }
        case LV_IS_SELECTED:
            if (row < 0 || row >= table.count()) return 0;
            return view->selectionModel()->isSelected(table.index(row, 0)) ? 2 : 0;
        case LV_ROW_COUNT:
            return table.count();
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
        auto* view = qobject_cast<QTreeView*>(control->widget.data());
        if (view == nullptr || control->table == nullptr) return 0;
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
