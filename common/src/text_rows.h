// The rows of a list box or drop-down as the programs gave them: Windows-1252 texts, kept as
// they are. Reading a row costs no conversion, many rows change in one step, and the view asks
// for Qt text only for the rows it shows.
#pragma once

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

class QAbstractItemView;
class QComboBox;

namespace common {

class TextRows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int count() const { return static_cast<int>(rows_.size()); }
    const std::string& text(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // Rows outside 0 .. count() - 1 are appended; a row outside the list is not removed.
    void insert(int row, const std::string& text);
    void append(const std::vector<std::string>& texts);
    void remove(int first, int count);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<std::string> rows_;
};

// The rows and columns of a list view, kept the same way. Until the program inserts its first
// column the view has one column without a heading, as a Win32 list view has.
class TableRows : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int count() const { return static_cast<int>(rows_.size()); }
    int columns() const { return std::max(1, static_cast<int>(headings_.size())); }
    int inserted_columns() const { return static_cast<int>(headings_.size()); }
    const std::string& heading(int column) const;
    // The cell's text; the empty text for a cell that does not exist.
    const std::string& cell(int row, int column) const;
    int insert_row(int row, const std::string& first_cell);  // the row it landed on
    bool remove_row(int row);
    bool set_cell(int row, int column, const std::string& text);
    // A new column's cells are empty; the cells right of it move one place on.
    void insert_column(int column, const std::string& heading);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<std::string> headings_;
    std::vector<std::vector<std::string>> rows_;  // each as long as columns()
};

// The row a list box shows selected, -1 when none: Qt's current row is not always selected.
int selected_row(const QAbstractItemView& list);

// A change of a drop-down's rows leaves its choice and edit text as the program left them: new
// rows never select themselves (Qt chooses the first row added to an empty list), and removing
// the chosen row leaves nothing chosen and the edit empty.
class ComboRowsChange {
public:
    explicit ComboRowsChange(QComboBox* combo);
    void rows_added();
    void rows_removed(int first, int end);

private:
    QComboBox* combo_;
    QString shown_;
    int current_;
};

}  // namespace common
