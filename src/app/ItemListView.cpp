#include "app/ItemListView.h"

#include "app/ItemColumn.h"
#include "app/MainDialogTemplate.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace quorlix {

ItemListView::ItemListView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
}

bool ItemListView::IsCut(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return false;
    }
    // The item delegate leaves the focus frame's margin and one pixel on each side of the text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QString text = index.data(Qt::DisplayRole).toString();
    return fontMetrics().horizontalAdvance(text) + 2 * margin > columnWidth(index.column());
}

void ItemListView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (model == nullptr) {
        return;
    }
    // A new list is read from its top, whatever the last one was scrolled to.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        scrollToTop();
        horizontalScrollBar()->setValue(0);
        FitColumnsToContents();
    });
}

void ItemListView::FitColumnsToContents()
{
    const int columns = model() != nullptr ? model()->columnCount() : 0;
    if (columns == 0) {
        return;
    }
    int used = 0;
    for (int column = 0; column + 1 < columns; ++column) {
        const int designed = kItemListColumns[static_cast<std::size_t>(column)].width;
        int width = std::max(designed, sizeHintForColumn(column));
        if (column == static_cast<int>(ItemColumn::Name)) {
            const int last = kItemListColumns[static_cast<std::size_t>(columns - 1)].width;
            width = std::max(designed, std::min(width, viewport()->width() - used - last));
        }
        setColumnWidth(column, width);
        used += width;
    }
}

void ItemListView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    // A window made wider gives the names the room they need before the last column, which
    // stretches, takes the rest. Only room the last column has beyond its designed width is
    // taken, so a width the user dragged is never made smaller.
    const int columns = model() != nullptr ? model()->columnCount() : 0;
    const int name = static_cast<int>(ItemColumn::Name);
    if (columns < 2 || name + 1 >= columns) {
        return;
    }
    const int want = sizeHintForColumn(name);
    const int have = columnWidth(name);
    if (have >= want) {
        return;
    }
    int others = 0;
    for (int column = 0; column + 1 < columns; ++column) {
        others += columnWidth(column);
    }
    const int last = kItemListColumns[static_cast<std::size_t>(columns - 1)].width;
    const int spare = viewport()->width() - others - last;
    if (spare > 0) {
        setColumnWidth(name, have + std::min(spare, want - have));
    }
}

bool ItemListView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTableView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString ownTip = index.data(Qt::ToolTipRole).toString();
    if (!ownTip.isEmpty()) {
        QToolTip::showText(help->globalPos(), ownTip, viewport(), visualRect(index));
    } else if (IsCut(index)) {
        QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(),
                           visualRect(index));
    } else {
        QToolTip::hideText();
    }
    return true;
}

void ItemListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        emit CopyRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace quorlix
