#include "app/ItemListModel.h"

#include "annotation/RowColumns.h"
#include "app/MainDialogTemplate.h"

#include <iterator>
#include <limits>

namespace quorlix {

static_assert(std::size(kItemListColumns) == kItemColumnCount,
              "every column of the item list has its header and width");

std::u16string ItemColumnText(const ItemRow& row, ItemColumn column)
{
    switch (column) {
    case ItemColumn::Offset:
        return OffsetColumnText(row);
    case ItemColumn::Bytes:
        return BytesColumnText(row);
    case ItemColumn::Name:
        return row.name;
    case ItemColumn::Description:
        return row.description;
    }
    return {};
}

ItemListModel::ItemListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ItemListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) {
        return 0;
    }
    // A descriptor has at most 65535 bytes and so as many rows; the clamp only keeps the
    // conversion honest.
    constexpr std::size_t kMostRows = std::numeric_limits<int>::max();
    return static_cast<int>(m_rows.size() < kMostRows ? m_rows.size() : kMostRows);
}

int ItemListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kItemColumnCount;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= m_rows.size() || index.column() < 0 ||
        index.column() >= kItemColumnCount) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    // The view offers a tooltip only for a cell too narrow for its text.
    if (role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdU16String(ItemColumnText(m_rows[static_cast<std::size_t>(index.row())],
                                                    static_cast<ItemColumn>(index.column())));
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kItemColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return WindowText(kItemListColumns[static_cast<std::size_t>(section)].header);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

void ItemListModel::DeleteAllItems()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ItemListModel::InsertItemRows(std::vector<ItemRow> rows)
{
    if (rows.empty()) {
        return;
    }
    if (m_rows.empty()) {
        // One reset for the whole list: a view then lays out once, not once per row.
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return;
    }
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
}

std::u16string ItemListModel::ItemText(std::size_t row, ItemColumn column) const
{
    return row < m_rows.size() ? ItemColumnText(m_rows[row], column) : std::u16string();
}

} // namespace quorlix
