#pragma once

#include <QTableView>

namespace quorlix {

// The item list's view: whole rows are selected; a cell with a tooltip of its own (a finding's
// message and fix) shows that, and a cell too narrow for its text shows the whole text. Each new
// list starts at its top with its columns as wide as their texts; the last column takes the
// rest. Copy (Ctrl+C) asks the window to copy the selected rows instead of the one current cell
// a table view copies by itself.
class ItemListView final : public QTableView
{
    Q_OBJECT

public:
    explicit ItemListView(QWidget* parent = nullptr);

    // Whether the cell's text is wider than the room its column leaves for it.
    bool IsCut(const QModelIndex& index) const;

    // Widens the columns but the last to their texts, never below their designed widths; the
    // name column stops where the last one would leave the view.
    void FitColumnsToContents();

    void setModel(QAbstractItemModel* model) override;

signals:
    void CopyRequested();

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quorlix
