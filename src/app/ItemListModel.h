#pragma once

#include "annotation/ItemRow.h"
#include "app/ItemColumn.h"
#include "diagnostics/Finding.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <cstddef>
#include <optional>
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

    // Removes every row and every finding.
    void DeleteAllItems();

    // Appends the rows behind those already there, in their order.
    void InsertItemRows(std::vector<ItemRow> rows);

    std::size_t ItemCount() const { return m_rows.size(); }

    // The text of a cell; empty past the last row.
    std::u16string ItemText(std::size_t row, ItemColumn column) const;

    // Puts the findings (ordered by offset) on the rows of their items: the offset column shows
    // the most severe one's icon, and its tooltip every message with its fix.
    void SetFindings(std::vector<Finding> findings);
    const std::vector<Finding>& Findings() const { return m_findings; }

    // The row of the item that holds offset; nothing before the first row or without rows.
    std::optional<std::size_t> RowOfOffset(std::size_t offset) const;

private:
    void MapFindingsToRows();
    QIcon SeverityIcon(Severity severity) const;
    QIcon BlankIcon() const;
    QString FindingsTip(std::size_t row) const;

    std::vector<ItemRow> m_rows;
    std::vector<Finding> m_findings;
    // The findings of row r are m_findings[m_firstFinding[r]] up to m_firstFinding[r + 1];
    // empty while there are no findings.
    std::vector<std::size_t> m_firstFinding;
    mutable QIcon m_icons[3];
    mutable QIcon m_blankIcon;
};

} // namespace quorlix
