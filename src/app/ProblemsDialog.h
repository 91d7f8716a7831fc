#pragma once

#include "diagnostics/Finding.h"

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace quorlix {

// The list 问题列表… (Problems…) shows, beside the main window: one row per finding of the
// analysis with its severity, the byte offset of its item, the check, the problem and its fix.
// The rows sort by any column and can be filtered by severity. Going to a row (转到, Enter or a
// double click) asks the window to select its item and leaves the list open; F8 and Shift+F8
// ask for the next and previous finding. Without findings it says "no problems found".
class ProblemsDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit ProblemsDialog(const std::vector<Finding>& findings, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Lists these findings instead, keeping the sort order and the filter.
    void SetFindings(const std::vector<Finding>& findings);

    // The indices of the findings in the order the list shows them, the filtered-out ones left
    // out.
    std::vector<std::size_t> ShownOrder() const;

    // Makes the row of that finding the current one; nothing for an index not listed.
    void MarkFinding(std::size_t index);

    // The finding of the current row; nothing while there is none.
    std::optional<std::size_t> CurrentIndex() const;

    QTreeWidget* List() const { return m_list; }
    QLabel* Counts() const { return m_counts; }
    QCheckBox* SeverityFilter(Severity severity) const;
    QPushButton* GoToButton() const { return m_goTo; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* CloseButton() const { return m_close; }
    // The host profile whose rules check adds: its name as item data, "" for HID's rules only.
    QComboBox* HostChoice() const { return m_host; }
    // Shows that profile as chosen without announcing it; an unknown name shows HID's only.
    void SetHost(const QString& name);

signals:
    // The user chose a host profile ("" for none): the window checks again with its rules.
    void HostChosen(const QString& name);
    // The user asked for the window to select this finding's item.
    void GoToRequested(std::size_t index);
    // F8 (forward) or Shift+F8: the window steps to the next or previous finding.
    void StepRequested(bool forward);

private:
    void ApplyFilter();
    void GoToCurrent();

    QTreeWidget* m_list = nullptr;
    QLabel* m_counts = nullptr;
    QCheckBox* m_filters[3] = {};
    QPushButton* m_goTo = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_close = nullptr;
    QComboBox* m_host = nullptr;
};

} // namespace quorlix
