#include "app/ItemListView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>

namespace quorlix {

ItemListView::ItemListView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
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

bool ItemListView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTableView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (IsCut(index)) {
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
