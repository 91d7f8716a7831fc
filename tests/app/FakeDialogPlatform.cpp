#include "FakeDialogPlatform.h"

#include "app/ItemListModel.h"

#include <iterator>

namespace quorlix::test {

std::string FakeDialogPlatform::PathText() const
{
    calls.push_back("PathText");
    return pathText;
}

void FakeDialogPlatform::SetPathText(const std::string& path)
{
    calls.push_back("SetPathText");
    pathText = path;
}

void FakeDialogPlatform::SetDetailText(const std::u16string& text)
{
    calls.push_back("SetDetailText");
    detailText = text;
}

void FakeDialogPlatform::SetSummaryText(const std::u16string& text)
{
    calls.push_back("SetSummaryText");
    summaryText = text;
}

void FakeDialogPlatform::DeleteAllItems()
{
    calls.push_back("DeleteAllItems");
    rows.clear();
    findings.clear();
}

void FakeDialogPlatform::InsertItemRows(std::vector<ItemRow> newRows)
{
    calls.push_back("InsertItemRows");
    rows.insert(rows.end(), std::make_move_iterator(newRows.begin()),
                std::make_move_iterator(newRows.end()));
}

std::size_t FakeDialogPlatform::ItemCount() const
{
    return rows.size();
}

std::u16string FakeDialogPlatform::ItemText(std::size_t row, ItemColumn column) const
{
    return row < rows.size() ? ItemColumnText(rows[row], column) : std::u16string();
}

std::vector<std::size_t> FakeDialogPlatform::SelectedItemRows() const
{
    calls.push_back("SelectedItemRows");
    return selectedRows;
}

void FakeDialogPlatform::SetTitle(const QString& text)
{
    calls.push_back("SetTitle");
    title = text;
}

void FakeDialogPlatform::CopyToClipboard(const std::string& text)
{
    calls.push_back("CopyToClipboard");
    clipboard = text;
}

void FakeDialogPlatform::ShowStatus(const QString& text, const QString& details)
{
    calls.push_back("ShowStatus");
    status = text;
    statusDetails = details;
}

Answer FakeDialogPlatform::AskYesNoCancel(const QString& text, const QString& caption,
                                          const QStringList& answers)
{
    calls.push_back("AskYesNoCancel");
    questions.push_back(caption + QStringLiteral(": ") + text);
    questionAnswers.push_back(answers);
    return answer;
}

void FakeDialogPlatform::ShowMessage(const QString& text, const QString& caption, MessageKind kind)
{
    calls.push_back("ShowMessage");
    messages.push_back(Message{ text, caption, kind });
}

std::optional<std::string> FakeDialogPlatform::ChooseOpenFile()
{
    calls.push_back("ChooseOpenFile");
    return openFileAnswer;
}

std::optional<std::string> FakeDialogPlatform::ChooseSaveFile(const std::string& suggested)
{
    calls.push_back("ChooseSaveFile");
    suggestedSaveFiles.push_back(suggested);
    return saveFileAnswer;
}

void FakeDialogPlatform::OpenLink(const std::string& address)
{
    calls.push_back("OpenLink");
    openedLinks.push_back(address);
}

std::optional<std::string> FakeDialogPlatform::ChooseDevice()
{
    calls.push_back("ChooseDevice");
    return deviceAnswer;
}

std::optional<std::size_t>
FakeDialogPlatform::ChooseDescriptor(const std::vector<DescriptorCandidate>& candidates,
                                     std::size_t proposed)
{
    calls.push_back("ChooseDescriptor");
    offeredDescriptors.push_back(candidates);
    if (descriptorCancel) {
        return std::nullopt;
    }
    return descriptorAnswer.value_or(proposed);
}

void FakeDialogPlatform::RunDecodeReportDialog(const std::string& descriptor)
{
    calls.push_back("RunDecodeReportDialog");
    decodedDescriptors.push_back(descriptor);
}

void FakeDialogPlatform::RunCompareDialog(const std::string& descriptor, const std::string& name)
{
    calls.push_back("RunCompareDialog");
    decodedDescriptors.push_back(descriptor);
    comparedNames.push_back(name);
}

void FakeDialogPlatform::SetFindings(std::vector<Finding> newFindings)
{
    calls.push_back("SetFindings");
    findings = std::move(newFindings);
}

std::vector<Finding> FakeDialogPlatform::Findings() const
{
    return findings;
}

void FakeDialogPlatform::ShowProblems(const std::vector<Finding>& offered,
                                      ProblemsHandlers handlers)
{
    calls.push_back("ShowProblems");
    offeredFindings.push_back(offered);
    problemsHandlers = std::move(handlers);
}

std::optional<std::vector<std::size_t>> FakeDialogPlatform::ProblemsOrder() const
{
    return problemsOrder;
}

void FakeDialogPlatform::MarkFinding(std::size_t index)
{
    calls.push_back("MarkFinding");
    markedFindings.push_back(index);
}

void FakeDialogPlatform::SelectItemAt(std::size_t offset)
{
    calls.push_back("SelectItemAt");
    selectedOffsets.push_back(offset);
}

void FakeDialogPlatform::RunAboutBox()
{
    calls.push_back("RunAboutBox");
    ++aboutBoxRuns;
}

QString FakeDialogPlatform::ExecutableName() const
{
    return executableName;
}

} // namespace quorlix::test
