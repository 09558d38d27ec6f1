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

namespace {
const std::string kNoText;
}

const std::string& TableRows::heading(int column) const {
    return column >= 0 && column < inserted_columns() ? headings_[std::size_t(column)] : kNoText;
}

const std::string& TableRows::cell(int row, int column) const {
    if (row < 0 || row >= count() || column < 0 || column >= columns()) return kNoText;
    return rows_[std::size_t(row)][std::size_t(column)];
}

int TableRows::insert_row(int row, const std::string& first_cell) {
    if (row < 0 || row > count()) row = count();
    std::vector<std::string> cells(static_cast<std::size_t>(columns()));
    cells[0] = first_cell;
    beginInsertRows(QModelIndex(), row, row);
    rows_.insert(rows_.begin() + row, std::move(cells));
    endInsertRows();
    return row;
}

bool TableRows::remove_row(int row) {
    if (row < 0 || row >= count()) return false;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    return true;
}

bool TableRows::set_cell(int row, int column, const std::string& text) {
    if (row < 0 || row >= count() || column < 0 || column >= columns()) return false;
    rows_[std::size_t(row)][std::size_t(column)] = text;
    emit dataChanged(index(row, column), index(row, column));
    return true;
}

void TableRows::insert_column(int column, const std::string& text) {
    const int inserted = inserted_columns();
    if (column < 0 || column > inserted) column = inserted;
    if (inserted == 0) {
        // The first column takes the place of the one without a heading, emptied.
        headings_.push_back(text);
        for (auto& cells : rows_) cells[0].clear();
        emit headerDataChanged(Qt::Horizontal, 0, 0);
        if (count() > 0) emit dataChanged(index(0, 0), index(count() - 1, 0));
        return;
    }
    beginInsertColumns(QModelIndex(), column, column);
    headings_.insert(headings_.begin() + column, text);
    for (auto& cells : rows_) cells.insert(cells.begin() + column, std::string());
    endInsertColumns();
}

int TableRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int TableRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns();
}

QVariant TableRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return to_qt(cell(index.row(), index.column()));
}

QVariant TableRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return to_qt(heading(section));
}

Qt::ItemFlags TableRows::flags(const QModelIndex& index) const {
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
