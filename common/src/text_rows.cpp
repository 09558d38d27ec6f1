#include "text_rows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <algorithm>

#include "encoding.h"

namespace common {

void TextRows::insert(int row, const std::string& text) {
    if (row < 0 || row > count()) row = count();
    beginInsertRows(QModelIndex(), row, row);
    rows_.insert(rows_.begin() + row, text);
    endInsertRows();
}

void TextRows::append(const std::vector<std::string>& texts) {
    if (texts.empty()) return;
    beginInsertRows(QModelIndex(), count(), count() + static_cast<int>(texts.size()) - 1);
    rows_.insert(rows_.end(), texts.begin(), texts.end());
    endInsertRows();
}

void TextRows::remove(int first, int how_many) {
    const int end = std::min(count(), first + how_many);
    if (first < 0 || first >= end) return;
    beginRemoveRows(QModelIndex(), first, end - 1);
    rows_.erase(rows_.begin() + first, rows_.begin() + end);
    endRemoveRows();
}

int TextRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TextRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return to_qt(text(index.row()));
    return {};
}

Qt::ItemFlags TextRows::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int selected_row(const QAbstractItemView& list) {
    QModelIndex current = list.currentIndex();
    return current.isValid() && list.selectionModel()->isSelected(current) ? current.row() : -1;
}

ComboRowsChange::ComboRowsChange(QComboBox* combo)
    : combo_(combo), shown_(combo->currentText()), current_(combo->currentIndex()) {}

void ComboRowsChange::rows_added() {
    if (current_ < 0) combo_->setCurrentIndex(-1);
    if (combo_->isEditable()) combo_->setEditText(shown_);
}

void ComboRowsChange::rows_removed(int first, int end) {
    const bool was_current = current_ >= first && current_ < end;
    if (combo_->isEditable()) combo_->setEditText(was_current ? QString() : shown_);
    if (was_current) combo_->setCurrentIndex(-1);
}

}  // namespace common
