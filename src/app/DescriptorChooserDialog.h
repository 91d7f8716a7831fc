#pragma once

#include "forms/DescriptorInput.h"

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace quorlix {

// Asks which of the descriptors a file holds to analyse: one row per candidate with its number,
// name, line, length and whether it reads as a report descriptor. The proposed one starts
// selected; Enter or a double click takes the selected one, Escape takes none.
class DescriptorChooserDialog final : public QDialog
{
    Q_OBJECT

public:
    DescriptorChooserDialog(const std::vector<DescriptorCandidate>& candidates,
                            std::size_t proposed, QWidget* parent = nullptr);

    // The chosen candidate's index; nothing unless accepted with a row selected.
    std::optional<std::size_t> ChosenIndex() const;

    QTreeWidget* List() const { return m_list; }
    QPushButton* OpenButton() const { return m_open; }

private:
    QTreeWidget* m_list = nullptr;
    QPushButton* m_open = nullptr;
};

} // namespace quorlix
