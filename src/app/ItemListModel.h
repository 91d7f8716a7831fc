#pragma once

#include "annotation/ItemRow.h"
#include "app/ItemColumn.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <string>
#include <vector>

namespace quorlix {

// The text of one column of a row, as the item list shows it; empty for a column out of range.
std::u16string ItemColumnText(const ItemRow& row, ItemColumn column);

// The rows of the item list. It keeps the rows as the parse gave them and formats a cell only
// when a view asks for it, so tens of thousands of rows cost no time until they are scrolled to.
class ItemListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ItemListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Removes every row.
    void DeleteAllItems();

    // Appends the rows behind those already there, in their order.
    void InsertItemRows(std::vector<ItemRow> rows);

    std::size_t ItemCount() const { return m_rows.size(); }

    // The text of a cell; empty past the last row.
    std::u16string ItemText(std::size_t row, ItemColumn column) const;

private:
    std::vector<ItemRow> m_rows;
};

} // namespace quorlix
