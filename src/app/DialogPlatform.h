#pragma once

#include "annotation/ItemRow.h"
#include "app/ItemColumn.h"
#include "diagnostics/Finding.h"
#include "forms/DescriptorInput.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorlix {

// The answer to a question with Yes, No and Cancel.
enum class Answer
{
    Yes,
    No,
    Cancel,
};

// How a message box presents itself.
enum class MessageKind
{
    Information,
    Error,
};

// Everything the main window's handlers ask of the desktop: the texts of its controls, the
// modal boxes and dialogs, and the outside world. The handlers touch nothing else, so a test
// can drive every command through a scripted stand-in.
//
// Paths are the bytes the file system takes (UTF-8 on Linux), never cut short.
class DialogPlatform
{
public:
    virtual ~DialogPlatform() = default;

    // The path edit's whole text.
    virtual std::string PathText() const = 0;
    virtual void SetPathText(const std::string& path) = 0;

    // The two panes. The texts end their lines with CR LF; the panes show them as lines.
    virtual void SetDetailText(const std::u16string& text) = 0;
    virtual void SetSummaryText(const std::u16string& text) = 0;

    // The item list: remove every row; append rows after the current ones, in order; the
    // number of rows; a cell's text; the rows the user has selected, ascending.
    virtual void DeleteAllItems() = 0;
    virtual void InsertItemRows(std::vector<ItemRow> rows) = 0;
    virtual std::size_t ItemCount() const = 0;
    virtual std::u16string ItemText(std::size_t row, ItemColumn column) const = 0;
    virtual std::vector<std::size_t> SelectedItemRows() const = 0;

    // The findings of the analysis on screen, ordered by offset: each row of the item list
    // whose item has one carries a marker, with the messages and fixes in its tooltip. An empty
    // list takes every marker away.
    virtual void SetFindings(std::vector<Finding> findings) = 0;
    // The findings the item list carries now.
    virtual std::vector<Finding> Findings() const = 0;
    // What the problems' list asks of the window: go to a finding, step to the next (true) or
    // previous one.
    struct ProblemsHandlers
    {
        std::function<void(std::size_t)> goTo;
        std::function<void(bool)> step;
        std::function<void(const std::string&)> hostChosen; // a profile's name, "" for none
        std::string host;                                   // the profile chosen now
    };
    // Opens the problems' list (问题列表…) beside the window, or brings the open one forward,
    // listing findings; it stays open while the user works in the window, and lists the findings
    // of each new analysis.
    virtual void ShowProblems(const std::vector<Finding>& findings, ProblemsHandlers handlers) = 0;
    // The indices of the findings in the order the open list shows them, filtered; nothing
    // while the list is closed.
    virtual std::optional<std::vector<std::size_t>> ProblemsOrder() const = 0;
    // Makes that finding the current row of the open list; nothing when it is closed.
    virtual void MarkFinding(std::size_t index) = 0;
    // Selects the item list's row of the item at offset and scrolls it into view.
    virtual void SelectItemAt(std::size_t offset) = 0;

    // The status bar along the window's bottom, shown whole; an empty text clears it. details,
    // where given, is what the text leaves out (a reader's own words), shown on hovering it.
    virtual void ShowStatus(const QString& text, const QString& details = QString()) = 0;

    // The window's title.
    virtual void SetTitle(const QString& title) = 0;

    // Puts UTF-8 text on the desktop's clipboard.
    virtual void CopyToClipboard(const std::string& text) = 0;

    // A question with three buttons named by answers (Yes, No, Cancel in that order), owned by
    // no window; the first is the default, Escape and the close box cancel.
    virtual Answer AskYesNoCancel(const QString& text, const QString& caption,
                                  const QStringList& answers) = 0;

    // A message with an OK button, modal to the window; returns once it is confirmed.
    virtual void ShowMessage(const QString& text, const QString& caption, MessageKind kind) = 0;

    // The open dialog, offering descriptor files (*.txt *.h *.c *.hpp *.bin *.rec *.hid) and all
    // files. Nothing on cancel.
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    // The save dialog, offering text files and all files, opened in suggested's folder with its
    // name filled in (an empty suggestion leaves both to the dialog); it adds .txt to a name
    // without extension and asks before it lets an existing file be replaced. Nothing on cancel.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& suggested) = 0;

    // The connected devices' list (从设备读取…): the chosen device's report descriptor path;
    // nothing on cancel or when there is no device to choose.
    virtual std::optional<std::string> ChooseDevice() = 0;

    // A file holding several descriptors: which one to analyse, proposed selected first;
    // nothing on cancel.
    virtual std::optional<std::size_t>
    ChooseDescriptor(const std::vector<DescriptorCandidate>& candidates, std::size_t proposed) = 0;

    // 解码报告… over the descriptor of these bytes; returns when the dialog is closed.
    virtual void RunDecodeReportDialog(const std::string& descriptor) = 0;
    // Compares the analysed descriptor (its bytes, and the name it was read from) with another,
    // in a window of its own that stays open beside this one; returns at once.
    virtual void RunCompareDialog(const std::string& descriptor, const std::string& name) = 0;

    // Opens a web address with the desktop's default handler; whether that worked is not told.
    virtual void OpenLink(const std::string& address) = 0;

    // Runs the About box modally and returns when it is closed.
    virtual void RunAboutBox() = 0;

    // The executable's file name without its extension, the caption of the program's messages.
    virtual QString ExecutableName() const = 0;
};

} // namespace quorlix
