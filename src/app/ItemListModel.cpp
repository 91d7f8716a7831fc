#include "app/ItemListModel.h"

#include "annotation/RowColumns.h"
#include "app/FindingDisplay.h"
#include "app/MainDialogTemplate.h"
#include "app/ShownText.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>

#include <algorithm>

#include <iterator>
#include <limits>

namespace quorlix {
namespace {

std::size_t RowOffset(const ItemRow& row)
{
    return static_cast<std::size_t>(row.offset);
}

} // namespace

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
    const auto row = static_cast<std::size_t>(index.row());
    const bool marked = index.column() == 0 && !m_firstFinding.empty() &&
                        m_firstFinding[row] != m_firstFinding[row + 1];
    if (!marked && index.column() == 0 && role == Qt::DecorationRole) {
        // Every row keeps the icon's room, so offsets line up with or without a finding.
        return BlankIcon();
    }
    if (marked && role == Qt::DecorationRole) {
        // The findings of a row are in offset order, not by severity: show the worst.
        Severity worst = Severity::Note;
        for (std::size_t i = m_firstFinding[row]; i < m_firstFinding[row + 1]; ++i) {
            worst = std::min(worst, m_findings[i].severity);
        }
        return SeverityIcon(worst);
    }
    if (marked && role == Qt::ToolTipRole) {
        return FindingsTip(row);
    }
    // Otherwise the view offers a tooltip only for a cell too narrow for its text.
    if (role != Qt::DisplayRole) {
        return {};
    }
    return CollapsePadding(QString::fromStdU16String(
        ItemColumnText(m_rows[row], static_cast<ItemColumn>(index.column()))));
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
    m_findings.clear();
    m_firstFinding.clear();
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
        MapFindingsToRows();
        endResetModel();
        return;
    }
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    MapFindingsToRows();
    endInsertRows();
}

std::u16string ItemListModel::ItemText(std::size_t row, ItemColumn column) const
{
    return row < m_rows.size() ? ItemColumnText(m_rows[row], column) : std::u16string();
}

std::optional<std::size_t> ItemListModel::RowOfOffset(std::size_t offset) const
{
    // Rows come in offset order: the item holding offset is the last one starting at or before.
    const auto after = std::upper_bound(
        m_rows.begin(), m_rows.end(), offset,
        [](std::size_t value, const ItemRow& row) { return value < RowOffset(row); });
    if (after == m_rows.begin()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(after - m_rows.begin()) - 1;
}

void ItemListModel::SetFindings(std::vector<Finding> findings)
{
    m_findings = std::move(findings);
    MapFindingsToRows();
    if (!m_rows.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0),
                         { Qt::DecorationRole, Qt::ToolTipRole });
    }
}

void ItemListModel::MapFindingsToRows()
{
    m_firstFinding.clear();
    if (!m_findings.empty() && !m_rows.empty()) {
        // One walk over both lists, each in offset order.
        m_firstFinding.assign(m_rows.size() + 1, 0);
        std::size_t next = 0;
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            m_firstFinding[row] = next;
            const bool last = row + 1 == m_rows.size();
            while (next < m_findings.size() &&
                   (last || m_findings[next].offset < RowOffset(m_rows[row + 1]))) {
                ++next;
            }
        }
        m_firstFinding[m_rows.size()] = next;
    }
}

QIcon ItemListModel::SeverityIcon(Severity severity) const
{
    QIcon& icon = m_icons[static_cast<std::size_t>(severity)];
    if (icon.isNull()) {
        const QStyle::StandardPixmap kinds[] = { QStyle::SP_MessageBoxCritical,
                                                 QStyle::SP_MessageBoxWarning,
                                                 QStyle::SP_MessageBoxInformation };
        icon = QApplication::style()->standardIcon(kinds[static_cast<std::size_t>(severity)]);
    }
    return icon;
}

QIcon ItemListModel::BlankIcon() const
{
    if (m_blankIcon.isNull()) {
        const int side = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
        QPixmap blank(side, side);
        blank.fill(Qt::transparent);
        m_blankIcon = QIcon(blank);
    }
    return m_blankIcon;
}

QString ItemListModel::FindingsTip(std::size_t row) const
{
    QStringList lines;
    for (std::size_t i = m_firstFinding[row]; i < m_firstFinding[row + 1]; ++i) {
        lines << FindingTip(m_findings[i]);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace quorlix
