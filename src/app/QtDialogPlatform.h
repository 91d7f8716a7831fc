#pragma once

#include "app/DialogPlatform.h"
#include "app/ProblemsDialog.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QTableView;
class QWidget;

namespace quorlix {

class ItemListModel;
class ItemListView;
class PaneFiller;

// The widgets of the main window that the handlers read and fill.
struct MainDialogControls
{
    QWidget* window = nullptr;
    QLineEdit* pathEdit = nullptr;
    ItemListModel* items = nullptr;
    ItemListView* itemList = nullptr;
    PaneFiller* summaryPane = nullptr;
    PaneFiller* detailPane = nullptr;
    QLabel* status = nullptr;
};

// The platform over the real widgets and Qt's own dialogs. It only passes things through.
class QtDialogPlatform final : public DialogPlatform
{
public:
    explicit QtDialogPlatform(const MainDialogControls& controls);

    std::string PathText() const override;
    void SetPathText(const std::string& path) override;
    void SetDetailText(const std::u16string& text) override;
    void SetSummaryText(const std::u16string& text) override;
    void DeleteAllItems() override;
    void InsertItemRows(std::vector<ItemRow> rows) override;
    std::size_t ItemCount() const override;
    std::u16string ItemText(std::size_t row, ItemColumn column) const override;
    std::vector<std::size_t> SelectedItemRows() const override;
    void SetFindings(std::vector<Finding> findings) override;
    std::vector<Finding> Findings() const override;
    void ShowProblems(const std::vector<Finding>& findings, ProblemsHandlers handlers) override;
    std::optional<std::vector<std::size_t>> ProblemsOrder() const override;
    void MarkFinding(std::size_t index) override;
    void SelectItemAt(std::size_t offset) override;
    void ShowStatus(const QString& text, const QString& details = QString()) override;
    void SetTitle(const QString& title) override;
    void CopyToClipboard(const std::string& text) override;
    Answer AskYesNoCancel(const QString& text, const QString& caption,
                          const QStringList& answers) override;
    void ShowMessage(const QString& text, const QString& caption, MessageKind kind) override;
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile(const std::string& suggested) override;
    std::optional<std::string> ChooseDevice() override;
    std::optional<std::size_t> ChooseDescriptor(const std::vector<DescriptorCandidate>& candidates,
                                                std::size_t proposed) override;
    void RunDecodeReportDialog(const std::string& descriptor) override;
    void RunCompareDialog(const std::string& descriptor, const std::string& name) override;
    void OpenLink(const std::string& address) override;
    void RunAboutBox() override;
    QString ExecutableName() const override;

    // The open problems' list, or nullptr.
    ProblemsDialog* Problems() const { return m_problems; }

private:
    MainDialogControls m_controls;
    QPointer<ProblemsDialog> m_problems;
};

} // namespace quorlix
