#pragma once

#include <QTableView>

namespace quorlix {

// The item list's view: whole rows are selected, and a cell too narrow for its text shows the
// whole text as its tooltip. Copy (Ctrl+C) asks the window to copy the selected rows instead of
// the one current cell a table view copies by itself.
class ItemListView final : public QTableView
{
    Q_OBJECT

public:
    explicit ItemListView(QWidget* parent = nullptr);

    // Whether the cell's text is wider than the room its column leaves for it.
    bool IsCut(const QModelIndex& index) const;

signals:
    void CopyRequested();

protected:
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quorlix
