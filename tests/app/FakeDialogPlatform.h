#pragma once

#include "app/DialogPlatform.h"

#include <optional>
#include <string>
#include <vector>

namespace quorlix::test {

// A platform that answers the dialogs from a script and records what the handlers showed.
// Its item list keeps rows as the real list does and formats cells the same way.
class FakeDialogPlatform final : public DialogPlatform
{
public:
    struct Message
    {
        QString text;
        QString caption;
        MessageKind kind;
    };

    // The script.
    Answer answer = Answer::No;
    std::vector<std::size_t> selectedRows;
    std::optional<std::string> openFileAnswer;
    std::optional<std::string> saveFileAnswer;
    std::optional<std::string> deviceAnswer;
    std::vector<std::string> decodedDescriptors; // what each 解码报告… dialog was given
    std::vector<std::string> comparedNames;      // the name each 比较… dialog was given
    std::optional<std::vector<std::size_t>> problemsOrder; // the open list's order; none: closed
    QString executableName = QStringLiteral("quorlix");

    // What was shown. calls names each operation but the item list's cell reads, in order.
    std::string pathText;
    std::u16string detailText;
    std::u16string summaryText;
    std::vector<ItemRow> rows;
    QString status;
    QString statusDetails;
    QString title;
    std::string clipboard;
    std::vector<Finding> findings;
    // The chooser of a file of several: what it offered, and the answer (the proposed one when
    // unset; cancel when descriptorCancel).
    std::vector<std::vector<DescriptorCandidate>> offeredDescriptors;
    std::optional<std::size_t> descriptorAnswer;
    bool descriptorCancel = false;
    std::vector<std::vector<Finding>> offeredFindings; // what each ShowProblems listed
    ProblemsHandlers problemsHandlers;                 // what the last ShowProblems was given
    std::vector<std::size_t> markedFindings;
    std::vector<QStringList> questionAnswers; // the buttons of each question
    std::vector<std::string> suggestedSaveFiles;
    std::vector<std::size_t> selectedOffsets;
    std::vector<QString> questions;
    std::vector<Message> messages;
    std::vector<std::string> openedLinks;
    int aboutBoxRuns = 0;
    mutable std::vector<std::string> calls; // PathText is const, yet a call worth seeing

    std::string PathText() const override;
    void SetPathText(const std::string& path) override;
    void SetDetailText(const std::u16string& text) override;
    void SetSummaryText(const std::u16string& text) override;
    void DeleteAllItems() override;
    void InsertItemRows(std::vector<ItemRow> newRows) override;
    std::size_t ItemCount() const override;
    std::u16string ItemText(std::size_t row, ItemColumn column) const override;
    std::vector<std::size_t> SelectedItemRows() const override;
    void SetFindings(std::vector<Finding> newFindings) override;
    std::vector<Finding> Findings() const override;
    void ShowProblems(const std::vector<Finding>& offered, ProblemsHandlers handlers) override;
    std::optional<std::vector<std::size_t>> ProblemsOrder() const override;
    void MarkFinding(std::size_t index) override;
    void SelectItemAt(std::size_t offset) override;
    void ShowStatus(const QString& text, const QString& details = QString()) override;
    void SetTitle(const QString& text) override;
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
};

} // namespace quorlix::test
