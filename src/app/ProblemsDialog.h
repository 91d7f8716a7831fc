#pragma once

#include "diagnostics/Finding.h"

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quorlix {

// The list 问题列表 (Problems…) shows: one row per finding of the analysis with its severity,
// the byte offset of its item, the check and what to do. Choosing a row (转到, Enter or a
// double click) accepts the dialog with that finding. Without findings it says "no problems
// found" and nothing can be chosen.
class ProblemsDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit ProblemsDialog(const std::vector<Finding>& findings, QWidget* parent = nullptr);

    // The index of the chosen finding; nothing while none is chosen.
    std::optional<std::size_t> ChosenIndex() const;

    QTreeWidget* List() const { return m_list; }
    QLabel* Counts() const { return m_counts; }
    QPushButton* GoToButton() const { return m_goTo; }
    QPushButton* CloseButton() const { return m_close; }

private:
    QTreeWidget* m_list = nullptr;
    QLabel* m_counts = nullptr;
    QPushButton* m_goTo = nullptr;
    QPushButton* m_close = nullptr;
};

// "1 error, 2 warnings, 0 notes", or "no problems found".
QString FindingCountsText(const FindingCounts& counts);

} // namespace quorlix
