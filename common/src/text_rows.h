// The rows of a list box or drop-down as the programs gave them: Windows-1252 texts, kept as
// they are. Reading a row costs no conversion, many rows change in one step, and the view asks
// for Qt text only for the rows it shows.
#pragma once

#include <QAbstractListModel>
#include <QString>
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
